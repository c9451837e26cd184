#pragma once

#include <QStringList>

class QCoreApplication;

namespace varelith {

// What makes the program Japanese whatever the user's locale: Qt's own stock texts
// (message box buttons, a text box's context menu, the print dialog) from Qt's Japanese
// translation, and real faces behind the two Windows face names the windows use.
class JapaneseInterface {
public:
    // The folders searched for Qt's translation, in order: Qt's own translations folder,
    // the Debian folder, and folders beside the program for a relocated install. Missing
    // folders are simply passed over.
    static QStringList translationSearchPaths();

    // Loads "qtbase_ja" from the first folder that has it and installs it in the
    // application. Returns whether one was found; without it Qt's texts stay English and
    // the program runs on.
    static bool installQtTranslation(QCoreApplication& application);

    // The faces tried, in order, for the interface face "System" and for "ＭＳ Ｐゴシック".
    static QStringList gothicFaces();

    // Maps "System" and "ＭＳ Ｐゴシック" onto the gothicFaces() installed here (reads the
    // platform's font list once); with none of them installed, onto the first installed
    // face.
    static void insertFontSubstitutions();

    // The installed face that stands for `windowsFace` ("System", "ＭＳ Ｐゴシック"), or
    // the name itself when no substitution is known. The windows ask for this face by
    // its own name: Qt resolves a face that is not installed by sorting every installed
    // font as a fallback, which takes seconds with thousands of fonts.
    static QString interfaceFace(const QString& windowsFace);

    // insertFontSubstitutions(), then the application's font set to the face that stands
    // for "ＭＳ Ｐゴシック", so that every window, Qt's own dialogs included, is drawn in it.
    static void setApplicationFont();
};

} // namespace varelith
