#pragma once

#include "facesampledelegate.h"
#include "featuresettings.h"
#include "variationsettings.h"

namespace varelith {

class FaceList;
class Shaper;

// The information window's face list with the features and axis values the user chose:
// each face's sample set by the shaper from the face's own file. With nothing chosen,
// rows are drawn exactly as the list draws them by itself.
class ShapedFaceDelegate : public FaceSampleDelegate {
    Q_OBJECT

public:
    ShapedFaceDelegate(const FaceList& list, Shaper& shaper);

    void setTypesetting(const FeatureSettings& features, const VariationSettings& variations);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const FaceList& m_list;
    Shaper& m_shaper;
    FeatureSettings m_features;
    VariationSettings m_variations;
};

} // namespace varelith
