#include "fontinfoduplicates.h"

#include "duplicatefiles.h"
#include "fontinfowindow.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QTreeWidget>

namespace varelith {

using namespace Qt::StringLiterals;

FontInfoDuplicates::FontInfoDuplicates(FontInfoWindow& window, DuplicateFiles& duplicates)
    : m_window(window)
    , m_duplicates(duplicates) {
    connect(&window, &FontInfoWindow::faceChanged, this,
            [this](const QString& family) { showFamily(family); });
}

void FontInfoDuplicates::build() {
    if (m_table)
        return;
    m_table = new QTreeWidget;
    m_table->setObjectName(u"tree_Duplicates"_s);
    m_table->setAccessibleName(u"同じ書体を持つファイル"_s);
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels(
        {u"書体"_s, u"表示に使用"_s, u"バージョン"_s, u"フォルダー"_s, u"ファイル"_s});
    m_table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_window.addSection(m_table, u"重複(&U)"_s);
}

void FontInfoDuplicates::showFamily(const QString& family) {
    build();
    m_table->clear();
    const QList<DuplicateFiles::File> files = m_duplicates.of(family);
    if (files.isEmpty()) {
        auto* none = new QTreeWidgetItem(m_table, {u"同じ書体のファイルはほかにありません"_s});
        none->setFirstColumnSpanned(true);
        return;
    }
    for (const DuplicateFiles::File& file : files) {
        const QFileInfo info(file.path);
        new QTreeWidgetItem(m_table, {file.style, file.drawn ? u"●"_s : QString(),
                                      file.version.isEmpty() ? u"（なし）"_s : file.version,
                                      info.absolutePath(), info.fileName()});
    }
}

} // namespace varelith
