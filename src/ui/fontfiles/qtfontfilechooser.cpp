#include "qtfontfilechooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace varelith {

QStringList QtFontFileChooser::extensions() {
    return {u"ttf"_s, u"otf"_s, u"ttc"_s, u"otc"_s, u"woff"_s, u"woff2"_s};
}

QString QtFontFileChooser::nameFilters() {
    QStringList patterns;
    for (const QString& extension : extensions())
        patterns.append(u"*."_s + extension);
    for (const QString& extension : extensions())
        patterns.append(u"*."_s + extension.toUpper());
    return u"フォントファイル (%1);;すべてのファイル (*)"_s.arg(patterns.join(u' '));
}

QStringList QtFontFileChooser::chooseFontFiles(QWidget* parent) {
    const QStringList files = QFileDialog::getOpenFileNames(
        parent, u"フォントファイルを開く"_s, m_folder.isEmpty() ? QDir::homePath() : m_folder,
        nameFilters());
    if (!files.isEmpty())
        m_folder = QFileInfo(files.first()).absolutePath();
    return files;
}

} // namespace varelith
