#pragma once

#include "latinpairing.h"
#include "pairingcss.h"
#include "pairingpreset.h"
#include "pairingpresets.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;
class QSpinBox;

namespace varelith {

class CssFileChooser;
class PairingFaces;
class SettingsStore;

// 欧文フォント: which Latin font the sheet pairs with its Japanese ones (和欧混植), at what
// size and rise; or one Japanese font with each line's font as its Latin partner; or
// neither (なし). Pairings are kept under a name (presets, in the settings store) and one
// is written out as CSS for a web page. OK and 適用 hand the pairing on; the presets are
// stored as soon as they change.
class LatinFontDialog : public QDialog {
    Q_OBJECT

public:
    LatinFontDialog(const QStringList& families, PairingFaces& faces, SettingsStore& store,
                    CssFileChooser& cssFiles, QWidget* parent = nullptr);

    void setPairing(const LatinPairing& pairing);
    LatinPairing pairing() const;

    // The fields from the preset of that name; false when there is none.
    bool choosePreset(const QString& name);
    // The fields kept under the name typed in the preset box; false without a name or a
    // Latin and a Japanese family.
    bool savePreset();
    void removePreset();
    const PairingPresets& presets() const { return m_presets; }
    // The fields as CSS, through the file dialog handed in; a file that cannot be written
    // is told in a message over the dialog.
    PairingCss::Written exportCss();
    // The fields as a preset under the preset box's name (or 和欧混植 without one).
    PairingPreset currentPreset() const;

    QRadioButton* noneButton() const { return m_none; }
    QRadioButton* eachLineButton() const { return m_eachLine; }
    QRadioButton* partnersButton() const { return m_partners; }
    QComboBox* latinFamilyBox() const { return m_latinFamily; }
    QComboBox* latinStyleBox() const { return m_latinStyle; }
    QComboBox* japaneseFamilyBox() const { return m_japaneseFamily; }
    QSpinBox* scaleBox() const { return m_scale; }
    QDoubleSpinBox* shiftBox() const { return m_shift; }
    QComboBox* presetBox() const { return m_presetBox; }

Q_SIGNALS:
    void pairingChosen(const LatinPairing& pairing);

private:
    QComboBox* familyBox(const QStringList& families, const QString& objectName);
    void fillStyles(const QString& family, const QString& chosen);
    void fillPresets(const QString& current);

    PairingFaces& m_faces;
    SettingsStore& m_store;
    CssFileChooser& m_cssFiles;
    PairingPresets m_presets;
    QRadioButton* m_none;
    QRadioButton* m_eachLine;
    QRadioButton* m_partners;
    QComboBox* m_latinFamily;
    QComboBox* m_latinStyle;
    QComboBox* m_japaneseFamily;
    QSpinBox* m_scale;
    QDoubleSpinBox* m_shift;
    QComboBox* m_presetBox;
};

} // namespace varelith
