#pragma once

#include <QString>

// fontconfig's own declaration, so that the program need not see its headers.
using FcConfig = struct _FcConfig;

namespace varelith {

// Qt fills its font database once, at the first text laid out, from fontconfig's current
// configuration, and lists every installed font to do so: with tens of thousands of fonts
// that is most of the time to the first window. Made before the application object, this
// makes the current configuration, until allFonts(), one that holds the interface's faces
// alone (every installed face of JapaneseInterface::gothicFaces()), under the same rules,
// so that the window is laid out and painted in the very faces it keeps. allFonts() puts
// the whole configuration back and has Qt fill its database from it again at its next
// use. Where no Japanese interface face is installed it does nothing.
class InterfaceFacesFirst {
public:
    InterfaceFacesFirst();
    ~InterfaceFacesFirst();
    InterfaceFacesFirst(const InterfaceFacesFirst&) = delete;
    InterfaceFacesFirst& operator=(const InterfaceFacesFirst&) = delete;

    // Whether the current configuration holds the interface's faces alone.
    bool isActive() const { return m_faces != nullptr; }
    // Every installed font again, for fontconfig and, from its next use, for Qt's font
    // database. Needs the application object; a second call does nothing.
    void allFonts();

private:
    void restore();

    FcConfig* m_all = nullptr;
    FcConfig* m_faces = nullptr;
    // The file of a Japanese one of the faces: added and removed as an application font,
    // the public way to have Qt read its font database again.
    QString m_faceFile;
};

} // namespace varelith
