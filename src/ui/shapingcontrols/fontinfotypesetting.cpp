#include "fontinfotypesetting.h"

#include "facelist.h"
#include "fontface.h"
#include "fontinfowindow.h"
#include "shapedfacedelegate.h"
#include "typesettingpanel.h"

using namespace Qt::StringLiterals;

namespace varelith {

FontInfoTypesetting::FontInfoTypesetting(FontInfoWindow& window, Shaper& shaper)
    : m_window(window)
    , m_shaper(shaper) {
    connect(&window, &FontInfoWindow::faceChanged, this,
            [this](const QString&, const FontFace& face) {
                build();
                m_panel->setSample(m_window.faceList()->sample());
                m_panel->setFace({face.file, face.index});
            });
}

void FontInfoTypesetting::build() {
    // Made with the window's first face, as the window builds its own sections: nothing
    // of it at start.
    if (m_panel)
        return;
    m_panel = new TypesettingPanel(m_shaper);
    m_window.addSection(m_panel, u"組版(&K)"_s);
    m_faces = new ShapedFaceDelegate(*m_window.faceList());
    m_window.faceList()->setItemDelegate(m_faces);
    connect(m_panel, &TypesettingPanel::typesettingChanged, this,
            [this](const FeatureSettings& features) {
                // Only a feature switched changes the list; a slider moves the preview alone.
                if (features == m_shownFeatures)
                    return;
                m_shownFeatures = features;
                m_faces->setFeatures(features);
                m_window.faceList()->viewport()->update();
            });
}

} // namespace varelith
