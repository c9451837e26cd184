#include "latinfontdialog.h"

#include "pairingfaces.h"
#include "settingsstore.h"
#include "webfacefacts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {
const QString UnnamedPreset = u"和欧混植"_s;
}

LatinFontDialog::LatinFontDialog(const QStringList& families, PairingFaces& faces,
                                 SettingsStore& store, CssFileChooser& cssFiles, QWidget* parent)
    : QDialog(parent)
    , m_faces(faces)
    , m_store(store)
    , m_cssFiles(cssFiles)
    , m_presets(PairingPresets::load(store)) {
    setObjectName(u"LatinFontDialog"_s);
    setWindowTitle(u"欧文フォント"_s);

    auto* modes = new QGroupBox(u"組み合わせ"_s, this);
    m_none = new QRadioButton(u"なし(&N)"_s, modes);
    m_eachLine = new QRadioButton(u"各フォントに欧文フォントを組み合わせる(&L)"_s, modes);
    m_partners = new QRadioButton(
        u"和文フォントに合う欧文を探す（選択した各フォントを欧文に）(&P)"_s, modes);
    auto* modeGroup = new QButtonGroup(this);
    auto* modeLayout = new QVBoxLayout(modes);
    for (QRadioButton* button : {m_none, m_eachLine, m_partners}) {
        modeGroup->addButton(button);
        modeLayout->addWidget(button);
    }
    m_none->setChecked(true);

    m_latinFamily = familyBox(families, u"latinFamily"_s);
    m_latinStyle = new QComboBox(this);
    m_latinStyle->setObjectName(u"latinStyle"_s);
    m_japaneseFamily = familyBox(families, u"japaneseFamily"_s);
    m_scale = new QSpinBox(this);
    m_scale->setObjectName(u"latinScale"_s);
    m_scale->setRange(LatinPairing::MinScale, LatinPairing::MaxScale);
    m_scale->setSuffix(u" %"_s);
    m_scale->setValue(100);
    m_scale->setToolTip(u"欧文の大きさ（和文の文字サイズに対して）"_s);
    m_shift = new QDoubleSpinBox(this);
    m_shift->setObjectName(u"latinShift"_s);
    m_shift->setRange(-LatinPairing::MaxShift, LatinPairing::MaxShift);
    m_shift->setDecimals(1);
    m_shift->setSingleStep(0.5);
    m_shift->setSuffix(u" %"_s);
    m_shift->setToolTip(u"欧文のベースラインを上げる量（全角に対して。負の値で下げる）"_s);
    auto* fields = new QFormLayout;
    fields->addRow(u"欧文フォント(&E)"_s, m_latinFamily);
    fields->addRow(u"スタイル(&S)"_s, m_latinStyle);
    fields->addRow(u"和文フォント(&J)"_s, m_japaneseFamily);
    fields->addRow(u"欧文の大きさ(&Z)"_s, m_scale);
    fields->addRow(u"ベースライン(&B)"_s, m_shift);

    auto* presetGroup = new QGroupBox(u"プリセット"_s, this);
    m_presetBox = new QComboBox(presetGroup);
    m_presetBox->setObjectName(u"presets"_s);
    m_presetBox->setEditable(true);
    m_presetBox->setInsertPolicy(QComboBox::NoInsert);
    m_presetBox->lineEdit()->setPlaceholderText(u"名前"_s);
    m_presetBox->setAccessibleName(u"プリセット名"_s);
    auto* save = new QPushButton(u"保存(&V)"_s, presetGroup);
    save->setObjectName(u"savePreset"_s);
    auto* remove = new QPushButton(u"削除(&D)"_s, presetGroup);
    remove->setObjectName(u"removePreset"_s);
    auto* css = new QPushButton(u"CSS を書き出す(&C)..."_s, presetGroup);
    css->setObjectName(u"exportCss"_s);
    auto* presetLayout = new QHBoxLayout(presetGroup);
    presetLayout->addWidget(m_presetBox, 1);
    presetLayout->addWidget(save);
    presetLayout->addWidget(remove);
    presetLayout->addWidget(css);
    fillPresets({});

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons->button(QDialogButtonBox::Ok)->setText(u"OK"_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"キャンセル"_s);
    buttons->button(QDialogButtonBox::Apply)->setText(u"適用(&A)"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modes);
    layout->addLayout(fields);
    layout->addWidget(presetGroup);
    layout->addWidget(buttons);

    // The Latin family is each line's own in the search for a partner; the Japanese one
    // stays open in every mode, for the presets and the CSS.
    const auto followMode = [this] {
        m_latinFamily->setEnabled(!m_partners->isChecked());
        m_latinStyle->setEnabled(!m_partners->isChecked());
        m_scale->setEnabled(!m_none->isChecked());
        m_shift->setEnabled(!m_none->isChecked());
    };
    connect(modeGroup, &QButtonGroup::buttonToggled, this, followMode);
    followMode();
    connect(m_latinFamily, &QComboBox::currentTextChanged, this,
            [this](const QString& family) { fillStyles(family, m_latinStyle->currentText()); });
    connect(m_presetBox, &QComboBox::activated, this,
            [this](int index) { choosePreset(m_presetBox->itemText(index)); });
    connect(save, &QPushButton::clicked, this, &LatinFontDialog::savePreset);
    connect(remove, &QPushButton::clicked, this, &LatinFontDialog::removePreset);
    connect(css, &QPushButton::clicked, this, &LatinFontDialog::exportCss);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Q_EMIT pairingChosen(pairing());
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { Q_EMIT pairingChosen(pairing()); });
}

QComboBox* LatinFontDialog::familyBox(const QStringList& families, const QString& objectName) {
    auto* box = new QComboBox(this);
    box->setObjectName(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(families);
    box->setCurrentIndex(-1);
    // Among thousands of families, typed letters anywhere in a name find it.
    box->completer()->setFilterMode(Qt::MatchContains);
    box->completer()->setCompletionMode(QCompleter::PopupCompletion);
    return box;
}

void LatinFontDialog::fillStyles(const QString& family, const QString& chosen) {
    const QSignalBlocker quiet(m_latinStyle);
    m_latinStyle->clear();
    const QStringList styles = family.isEmpty() ? QStringList() : m_faces.styles(family);
    m_latinStyle->addItems(styles);
    const int index = int(styles.indexOf(chosen));
    m_latinStyle->setCurrentIndex(index >= 0 ? index : 0);
}

void LatinFontDialog::fillPresets(const QString& current) {
    m_presetBox->clear();
    for (const PairingPreset& preset : m_presets.presets())
        m_presetBox->addItem(preset.name);
    m_presetBox->setCurrentIndex(-1);
    m_presetBox->setEditText(current);
}

void LatinFontDialog::setPairing(const LatinPairing& pairing) {
    m_none->setChecked(pairing.mode == LatinPairing::Mode::None);
    m_eachLine->setChecked(pairing.mode == LatinPairing::Mode::EachLine);
    m_partners->setChecked(pairing.mode == LatinPairing::Mode::Partners);
    m_latinFamily->setEditText(pairing.latinFamily);
    fillStyles(pairing.latinFamily, pairing.latinStyle);
    m_japaneseFamily->setEditText(pairing.japaneseFamily);
    m_scale->setValue(pairing.scalePercent);
    m_shift->setValue(pairing.shiftPercent);
}

LatinPairing LatinFontDialog::pairing() const {
    LatinPairing pairing;
    pairing.mode = m_eachLine->isChecked()   ? LatinPairing::Mode::EachLine
                   : m_partners->isChecked() ? LatinPairing::Mode::Partners
                                             : LatinPairing::Mode::None;
    pairing.latinFamily = m_latinFamily->currentText().trimmed();
    pairing.latinStyle = m_latinStyle->currentText();
    pairing.japaneseFamily = m_japaneseFamily->currentText().trimmed();
    pairing.scalePercent = m_scale->value();
    pairing.shiftPercent = m_shift->value();
    return pairing;
}

PairingPreset LatinFontDialog::currentPreset() const {
    const LatinPairing fields = pairing();
    const QString name = m_presetBox->currentText().trimmed();
    return {name.isEmpty() ? UnnamedPreset : name,
            fields.japaneseFamily,
            fields.latinFamily,
            fields.latinStyle,
            fields.scalePercent,
            fields.shiftPercent};
}

bool LatinFontDialog::choosePreset(const QString& name) {
    const PairingPreset* preset = m_presets.find(name);
    if (!preset)
        return false;
    LatinPairing chosen = pairing();
    // A preset names both fonts; with nothing paired yet it pairs its Latin font.
    if (chosen.mode == LatinPairing::Mode::None)
        chosen.mode = LatinPairing::Mode::EachLine;
    chosen.latinFamily = preset->latinFamily;
    chosen.latinStyle = preset->latinStyle;
    chosen.japaneseFamily = preset->japaneseFamily;
    chosen.scalePercent = preset->scalePercent;
    chosen.shiftPercent = preset->shiftPercent;
    setPairing(chosen);
    m_presetBox->setEditText(name);
    return true;
}

bool LatinFontDialog::savePreset() {
    const PairingPreset preset = currentPreset();
    if (m_presetBox->currentText().trimmed().isEmpty() || preset.latinFamily.isEmpty() ||
        preset.japaneseFamily.isEmpty())
        return false;
    m_presets.put(preset);
    m_presets.save(m_store);
    m_store.flush();
    fillPresets(preset.name);
    return true;
}

void LatinFontDialog::removePreset() {
    const QString name = m_presetBox->currentText().trimmed();
    if (!m_presets.find(name))
        return;
    m_presets.remove(name);
    m_presets.save(m_store);
    m_store.flush();
    fillPresets({});
}

PairingCss::Written LatinFontDialog::exportCss() {
    const PairingPreset preset = currentPreset();
    if (preset.japaneseFamily.isEmpty() || preset.latinFamily.isEmpty())
        return PairingCss::Written::Cancelled;
    QString suggested = preset.name + u".css"_s;
    suggested.replace(u'/', u'_').replace(u'\\', u'_');
    const WebFaceFacts japanese =
        WebFaceFacts::read(m_faces.face(preset.japaneseFamily, {}), preset.japaneseFamily);
    const WebFaceFacts latin =
        WebFaceFacts::read(m_faces.face(preset.latinFamily, preset.latinStyle), preset.latinFamily);
    QString file;
    const PairingCss::Written written = PairingCss::write(PairingCss::text(preset, japanese, latin),
                                                          suggested, m_cssFiles, this, &file);
    if (written == PairingCss::Written::Failed) {
        // Told without waiting for it: the dialog stays usable.
        auto* box =
            new QMessageBox(QMessageBox::Warning, windowTitle(),
                            u"CSS を書き出せませんでした。\n%1"_s.arg(file), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setObjectName(u"cssNotWritten"_s);
        box->open();
    }
    return written;
}

} // namespace varelith
