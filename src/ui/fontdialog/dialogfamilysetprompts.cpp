#include "dialogfamilysetprompts.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>

namespace varelith {

using namespace Qt::StringLiterals;

namespace {

const QString TextFiles = u"テキストファイル (*.txt);;すべてのファイル (*)"_s;

} // namespace

QString DialogFamilySetPrompts::askName(const QString& title, const QString& suggested) {
    bool ok = false;
    const QString name = QInputDialog::getText(m_parent, title, u"セットの名前:"_s,
                                               QLineEdit::Normal, suggested, &ok);
    return ok ? name.trimmed() : QString();
}

QString DialogFamilySetPrompts::exportPath(const QString& suggestedName) {
    return QFileDialog::getSaveFileName(m_parent, u"セットの書き出し"_s,
                                        QDir::home().filePath(suggestedName + u".txt"_s),
                                        TextFiles);
}

QString DialogFamilySetPrompts::importPath() {
    return QFileDialog::getOpenFileName(m_parent, u"セットの読み込み"_s, QDir::homePath(),
                                        TextFiles);
}

} // namespace varelith
