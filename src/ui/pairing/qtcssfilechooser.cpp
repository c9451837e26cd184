#include "qtcssfilechooser.h"

#include <QDir>
#include <QFileDialog>

using namespace Qt::StringLiterals;

namespace varelith {

QString QtCssFileChooser::chooseCssFile(QWidget* parent, const QString& suggested) {
    QString file = QFileDialog::getSaveFileName(parent, u"CSS を書き出す"_s,
                                                QDir::home().filePath(suggested), u"CSS (*.css)"_s);
    if (!file.isEmpty() && !file.endsWith(u".css"_s, Qt::CaseInsensitive))
        file += u".css"_s;
    return file;
}

} // namespace varelith
