#include "japaneseinterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace varelith {

QStringList JapaneseInterface::translationSearchPaths() {
    QStringList paths{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                      u"/usr/share/qt6/translations"_s};
    // Beside the program: <prefix>/bin/varelith finds <prefix>/share/qt6/translations.
    const QString programDir = QCoreApplication::applicationDirPath();
    if (!programDir.isEmpty()) {
        paths.append(QDir(programDir).absoluteFilePath(u"../share/qt6/translations"_s));
        paths.append(QDir(programDir).absoluteFilePath(u"translations"_s));
    }
    paths.removeDuplicates();
    return paths;
}

bool JapaneseInterface::installQtTranslation(QCoreApplication& application) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    for (const QString& path : translationSearchPaths()) {
        // Owned by the application, so it lives as long as the texts it translates.
        auto* translator = new QTranslator(&application);
        if (translator->load(japanese, u"qtbase"_s, u"_"_s, path)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    return false;
}

QStringList JapaneseInterface::gothicFaces() {
    return {u"IPAPGothic"_s, u"IPAGothic"_s,    u"Noto Sans CJK JP"_s,   u"Noto Sans JP"_s,
            u"VL PGothic"_s, u"TakaoPGothic"_s, u"Source Han Sans JP"_s, u"DejaVu Sans"_s};
}

void JapaneseInterface::insertFontSubstitutions() {
    QStringList faces;
    for (const QString& face : gothicFaces()) {
        // Each face looked up by its name: the list of every installed family would cost
        // tens of milliseconds at each start with thousands installed.
        if (!QFontDatabase::styles(face).isEmpty())
            faces.append(face);
    }
    // No Japanese face at all: the platform's own interface face, not an arbitrary one.
    if (faces.isEmpty())
        faces.append(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    QFont::insertSubstitutions(u"System"_s, faces);
    QFont::insertSubstitutions(u"ＭＳ Ｐゴシック"_s, faces);
}

QString JapaneseInterface::interfaceFace(const QString& windowsFace) {
    const QStringList faces = QFont::substitutes(windowsFace);
    return faces.isEmpty() ? windowsFace : faces.first();
}

void JapaneseInterface::setApplicationFont() {
    insertFontSubstitutions();
    QFont font = QGuiApplication::font();
    font.setFamilies({interfaceFace(u"ＭＳ Ｐゴシック"_s)});
    QGuiApplication::setFont(font);
}

} // namespace varelith
