#pragma once

#include "featuresettings.h"

#include <QObject>

namespace varelith {

class FontInfoWindow;
class ShapedFaceDelegate;
class Shaper;
class TypesettingPanel;

// Typesetting in the font information window: a section "組版" with the chosen face's
// features, its axes and a waterfall in 横書き or 縦書き, which follows the window's
// chosen face. A feature switched there is applied to the face list too; the axis sliders
// move the waterfall only, each face in the list staying drawn as itself.
class FontInfoTypesetting : public QObject {
    Q_OBJECT

public:
    FontInfoTypesetting(FontInfoWindow& window, Shaper& shaper);

    // Null until the window has shown its first face.
    TypesettingPanel* panel() const { return m_panel; }

private:
    void build();

    FontInfoWindow& m_window;
    Shaper& m_shaper;
    TypesettingPanel* m_panel = nullptr;
    ShapedFaceDelegate* m_faces = nullptr;
    FeatureSettings m_shownFeatures; // as the face list draws them
};

} // namespace varelith
