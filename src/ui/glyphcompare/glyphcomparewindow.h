#pragma once

#include "comparedfont.h"
#include "featuresettings.h"
#include "glyphcomparison.h"
#include "ivdcollections.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace varelith {

class ComparisonCanvas;
class OutlineFingerprints;
class Shaper;
class VariationSequences;

// "字形比較": the characters typed, each drawn large in every ticked font side by side,
// with switches for the JIS forms, the kanji form sets and the widths applied to every
// cell; the cells whose shape differs from the first font that draws the character are
// framed. After each character, the variation sequences the fonts define for it, each in
// every font that defines any for it. Not modal, one window for the run; Esc closes it.
class GlyphCompareWindow : public QWidget {
    Q_OBJECT

public:
    using FontList = std::function<QList<ComparedFont>()>;
    // How many characters are compared at most: the first ones typed.
    static constexpr int MaxCharacters = 20;

    // `fonts`: the fonts ticked at the moment of asking. `ivdFiles`: where the variation
    // database may be, read at the first sequence shown.
    GlyphCompareWindow(Shaper& shaper, FontList fonts, QStringList ivdFiles,
                       QWidget* parent = nullptr);
    ~GlyphCompareWindow() override;

    // Compares `characters` (what was typed before, when empty) in the fonts ticked now,
    // and brings the window to the front.
    void showCharacters(const QString& characters);
    // Compares again in the same fonts, as the characters and switches are now.
    void compare();

    FeatureSettings switches() const;
    const QList<GlyphComparison::Row>& rows() const { return m_rows; }
    const QList<ComparedFont>& fonts() const { return m_fonts; }

    QLineEdit* characterBox() const { return m_characterBox; }
    QCheckBox* switchBox(const QString& tag) const { return m_switches.value(tag); }
    ComparisonCanvas* canvas() const { return m_canvas; }
    QLabel* summary() const { return m_summary; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const IvdCollections& collections();

    FontList m_fontList;
    QStringList m_ivdFiles;
    std::optional<IvdCollections> m_collections;
    std::unique_ptr<OutlineFingerprints> m_fingerprints;
    std::unique_ptr<VariationSequences> m_sequences;
    std::unique_ptr<GlyphComparison> m_comparison;
    QList<ComparedFont> m_fonts;
    QList<GlyphComparison::Row> m_rows;

    QLineEdit* m_characterBox = nullptr;
    QHash<QString, QCheckBox*> m_switches;
    QLabel* m_summary = nullptr;
    QScrollArea* m_area = nullptr;
    ComparisonCanvas* m_canvas = nullptr;
};

} // namespace varelith
