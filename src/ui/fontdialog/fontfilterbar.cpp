#include "fontfilterbar.h"

#include "enterbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

EnterButton* button(const QString& text, const QString& name, const QString& accessibleName,
                    QWidget* parent) {
    auto* made = new EnterButton(text, parent);
    made->setObjectName(name);
    made->setAccessibleName(accessibleName);
    return made;
}

} // namespace

QList<std::pair<QString, QFontDatabase::WritingSystem>> FontFilterBar::writingSystems() {
    using WS = QFontDatabase;
    return {{u"すべて"_s, WS::Any},
            {u"日本語"_s, WS::Japanese},
            {u"ラテン文字"_s, WS::Latin},
            {u"ギリシャ文字"_s, WS::Greek},
            {u"キリル文字"_s, WS::Cyrillic},
            {u"中国語（簡体字）"_s, WS::SimplifiedChinese},
            {u"中国語（繁体字）"_s, WS::TraditionalChinese},
            {u"韓国語"_s, WS::Korean},
            {u"ベトナム語"_s, WS::Vietnamese},
            {u"アラビア文字"_s, WS::Arabic},
            {u"ヘブライ文字"_s, WS::Hebrew},
            {u"タイ文字"_s, WS::Thai},
            {u"デーヴァナーガリー"_s, WS::Devanagari},
            {u"ベンガル文字"_s, WS::Bengali},
            {u"タミル文字"_s, WS::Tamil},
            {u"アルメニア文字"_s, WS::Armenian},
            {u"ジョージア文字"_s, WS::Georgian},
            {u"クメール文字"_s, WS::Khmer},
            {u"ラーオ文字"_s, WS::Lao},
            {u"チベット文字"_s, WS::Tibetan},
            {u"ミャンマー文字"_s, WS::Myanmar},
            {u"記号"_s, WS::Symbol}};
}

FontFilterBar::FontFilterBar(QWidget* parent)
    : QWidget(parent)
    , m_filter(new QLineEdit(this))
    , m_script(new QComboBox(this))
    , m_sample(new QCheckBox(u"見本の文字を含むフォントのみ"_s, this))
    , m_duplicates(new QCheckBox(u"同じ書体のファイルが複数あるフォントのみ(&U)"_s, this))
    , m_tickAll(button(u"すべて選択(&A)"_s, u"btn_TickAll"_s, u"すべて選択"_s, this))
    , m_untickAll(button(u"すべて解除(&N)"_s, u"btn_UntickAll"_s, u"すべて解除"_s, this))
    , m_invert(button(u"選択を反転(&I)"_s, u"btn_Invert"_s, u"選択を反転"_s, this)) {
    setObjectName(u"FilterBar"_s);
    m_filter->setObjectName(u"txt_Filter"_s);
    m_filter->setPlaceholderText(u"絞り込み"_s);
    m_filter->setAccessibleName(u"絞り込み"_s);
    m_filter->setAccessibleDescription(u"名前の一部でフォントを絞り込みます"_s);
    m_filter->setClearButtonEnabled(true);

    auto* scriptLabel = new QLabel(u"文字体系(&W):"_s, this);
    scriptLabel->setObjectName(u"lbl_Script"_s);
    scriptLabel->setBuddy(m_script);
    m_script->setObjectName(u"cmb_Script"_s);
    m_script->setAccessibleName(u"文字体系"_s);
    for (const auto& [name, system] : writingSystems())
        m_script->addItem(name, int(system));

    m_sample->setObjectName(u"chk_Sample"_s);
    m_sample->setAccessibleName(u"見本の文字を含むフォントのみ"_s);

    m_duplicates->setObjectName(u"chk_Duplicates"_s);
    m_duplicates->setAccessibleName(u"同じ書体のファイルが複数あるフォントのみ"_s);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->addWidget(m_filter, 0, 0, 1, 2);
    grid->addWidget(scriptLabel, 1, 0);
    grid->addWidget(m_script, 1, 1);
    grid->addWidget(m_sample, 2, 0, 1, 2);
    grid->addWidget(m_duplicates, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (EnterButton* bulk : {m_tickAll, m_untickAll, m_invert})
        buttons->addWidget(bulk);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(m_filter, &QLineEdit::textChanged, this, &FontFilterBar::nameFilterChanged);
    connect(m_script, &QComboBox::currentIndexChanged, this, [this](int choice) {
        Q_EMIT writingSystemChanged(
            QFontDatabase::WritingSystem(m_script->itemData(choice).toInt()));
    });
    connect(m_sample, &QCheckBox::toggled, this, &FontFilterBar::sampleFilterToggled);
    connect(m_duplicates, &QCheckBox::toggled, this, &FontFilterBar::duplicatesFilterToggled);
}

} // namespace varelith
