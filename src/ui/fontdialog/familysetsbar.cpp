#include "familysetsbar.h"

#include "familysetprompts.h"
#include "familysets.h"
#include "ticklistmodel.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace varelith {

using namespace Qt::StringLiterals;

FamilySetsBar::FamilySetsBar(FamilySets& sets, TickListModel& ticks, FamilySetPrompts& prompts,
                             QWidget* parent)
    : QWidget(parent)
    , m_sets(sets)
    , m_ticks(ticks)
    , m_prompts(prompts)
    , m_setsBox(new QComboBox(this))
    , m_save(new QPushButton(u"保存(&S)..."_s, this))
    , m_rename(new QPushButton(u"名前変更(&R)..."_s, this))
    , m_remove(new QPushButton(u"削除(&D)"_s, this))
    , m_export(new QPushButton(u"書き出し(&E)..."_s, this))
    , m_import(new QPushButton(u"読み込み(&L)..."_s, this))
    , m_message(new QLabel(this)) {
    setObjectName(u"FamilySetsBar"_s);
    m_setsBox->setObjectName(u"cmb_Sets"_s);
    m_setsBox->setAccessibleName(u"フォントセット"_s);
    m_setsBox->setPlaceholderText(u"（セットを選ぶ）"_s);
    m_save->setObjectName(u"btn_SaveSet"_s);
    m_save->setToolTip(u"いまのチェックを名前を付けてセットに保存します"_s);
    m_rename->setObjectName(u"btn_RenameSet"_s);
    m_remove->setObjectName(u"btn_DeleteSet"_s);
    m_export->setObjectName(u"btn_ExportSet"_s);
    m_export->setToolTip(u"セットをテキストファイル（1行に1フォント）に書き出します"_s);
    m_import->setObjectName(u"btn_ImportSet"_s);
    m_message->setObjectName(u"lbl_SetMessage"_s);
    m_message->setAccessibleDescription(u"セットの操作の結果"_s);
    m_message->setWordWrap(true);
    m_message->hide();

    auto* label = new QLabel(u"セット(&T):"_s, this);
    label->setBuddy(m_setsBox);
    auto* first = new QHBoxLayout;
    first->addWidget(label);
    first->addWidget(m_setsBox, 1);
    first->addWidget(m_save);
    auto* second = new QHBoxLayout;
    second->addStretch(1);
    for (QPushButton* button : {m_rename, m_remove, m_export, m_import}) {
        button->setAutoDefault(false);
        second->addWidget(button);
    }
    m_save->setAutoDefault(false);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 4, 8, 4);
    column->setSpacing(4);
    column->addLayout(first);
    column->addLayout(second);
    column->addWidget(m_message);

    fillBox({});
    connect(m_setsBox, &QComboBox::activated, this,
            [this](int index) { switchTo(m_setsBox->itemText(index)); });
    connect(m_save, &QPushButton::clicked, this, &FamilySetsBar::saveTicks);
    connect(m_rename, &QPushButton::clicked, this, &FamilySetsBar::renameCurrent);
    connect(m_remove, &QPushButton::clicked, this, &FamilySetsBar::deleteCurrent);
    connect(m_export, &QPushButton::clicked, this, &FamilySetsBar::exportCurrent);
    connect(m_import, &QPushButton::clicked, this, &FamilySetsBar::importSet);
}

QString FamilySetsBar::currentSet() const {
    return m_setsBox->currentIndex() < 0 ? QString() : m_setsBox->currentText();
}

void FamilySetsBar::fillBox(const QString& current) {
    m_setsBox->clear();
    m_setsBox->addItems(m_sets.names());
    m_setsBox->setCurrentIndex(int(m_sets.names().indexOf(current)));
    updateButtons();
}

void FamilySetsBar::updateButtons() {
    const bool chosen = !currentSet().isEmpty();
    m_rename->setEnabled(chosen);
    m_remove->setEnabled(chosen);
    m_export->setEnabled(chosen);
}

void FamilySetsBar::tell(const QString& text) {
    m_message->setText(text);
    m_message->setVisible(!text.isEmpty());
}

QStringList FamilySetsBar::tickedFamilies() const {
    QStringList families;
    families.reserve(m_ticks.tickedCount());
    for (int row = 0; row < m_ticks.count(); ++row) {
        if (m_ticks.isTicked(row))
            families.append(m_ticks.name(row));
    }
    return families;
}

void FamilySetsBar::switchTo(const QString& name) {
    if (!m_sets.contains(name))
        return;
    const QStringList families = m_sets.families(name);
    QHash<QString, int> rowOf;
    rowOf.reserve(m_ticks.count());
    for (int row = 0; row < m_ticks.count(); ++row)
        rowOf.insert(m_ticks.name(row), row);
    QList<int> ticked;
    QList<bool> inSet(m_ticks.count(), false);
    int missing = 0;
    for (const QString& family : families) {
        const auto row = rowOf.constFind(family);
        if (row == rowOf.cend()) {
            ++missing;
            continue;
        }
        inSet[*row] = true;
        ticked.append(*row);
    }
    QList<int> unticked;
    for (int row = 0; row < m_ticks.count(); ++row) {
        if (!inSet.at(row))
            unticked.append(row);
    }
    m_ticks.setTickedRows(unticked, false);
    m_ticks.setTickedRows(ticked, true);
    fillBox(name);
    tell(missing == 0
             ? QString()
             : u"「%1」の %2 個のフォントはインストールされていません。"_s.arg(name).arg(missing));
}

void FamilySetsBar::saveTicks() {
    const QString name = m_prompts.askName(u"チェックをセットに保存"_s, currentSet());
    if (name.isEmpty())
        return;
    const QStringList families = tickedFamilies();
    const bool replaced = m_sets.contains(name);
    if (!m_sets.save(name, families))
        return;
    fillBox(name);
    tell((replaced ? u"「%1」を %2 個のフォントで上書きしました。"_s
                   : u"「%1」に %2 個のフォントを保存しました。"_s)
             .arg(name)
             .arg(families.size()));
}

void FamilySetsBar::renameCurrent() {
    const QString oldName = currentSet();
    if (oldName.isEmpty())
        return;
    const QString newName = m_prompts.askName(u"セットの名前変更"_s, oldName);
    if (newName.isEmpty() || newName == oldName)
        return;
    if (!m_sets.rename(oldName, newName)) {
        tell(u"「%1」というセットはすでにあります。"_s.arg(newName));
        return;
    }
    fillBox(newName);
    tell({});
}

void FamilySetsBar::deleteCurrent() {
    const QString name = currentSet();
    if (name.isEmpty() || !m_sets.remove(name))
        return;
    fillBox({});
    tell(u"「%1」を削除しました。"_s.arg(name));
}

void FamilySetsBar::exportCurrent() {
    const QString name = currentSet();
    if (name.isEmpty())
        return;
    const QString path = m_prompts.exportPath(name);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray text = FamilySets::toText(m_sets.families(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        tell(u"%1 に書き出せませんでした。"_s.arg(QFileInfo(path).fileName()));
        return;
    }
    tell(u"「%1」を %2 に書き出しました。"_s.arg(name, QFileInfo(path).fileName()));
}

void FamilySetsBar::importSet() {
    const QString path = m_prompts.importPath();
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(u"%1 を読めませんでした。"_s.arg(QFileInfo(path).fileName()));
        return;
    }
    const QStringList families = FamilySets::fromText(file.readAll());
    const QString name =
        m_prompts.askName(u"読み込んだセットの名前"_s, QFileInfo(path).completeBaseName());
    if (name.isEmpty() || !m_sets.save(name, families))
        return;
    switchTo(name);
}

} // namespace varelith
