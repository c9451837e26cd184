#pragma once

#include <QHash>
#include <QList>
#include <QString>

using FcConfig = struct _FcConfig;

namespace varelith {

// Families with a face installed more than once: two or more files giving the same family
// and style (a font in ~/.local/share/fonts and in /usr/share/fonts, an old version beside
// a new one). Read at the first question.
class DuplicateFiles {
public:
    // `fonts`: the configuration that holds every installed font, which must outlive this;
    // null for fontconfig's current one.
    explicit DuplicateFiles(FcConfig* fonts = nullptr)
        : m_fonts(fonts) {}

    struct File {
        QString style;
        QString path;
        // The font's version, "2.001"; empty when the font gives none.
        QString version;
        // Whether fontconfig gives this file for the family and style, so it is the one drawn.
        bool drawn = false;
    };

    // Reads these fonts from the next question on: the installed fonts read again.
    void setFonts(FcConfig* fonts) {
        m_fonts = fonts;
        m_read = false;
        m_duplicates.clear();
    }

    // Whether a face of the family comes from more than one file.
    bool hasDuplicates(const QString& family);
    // The files of the family's faces that come from more than one, by style, in
    // fontconfig's order; none when the family has no such face.
    QList<File> of(const QString& family);

private:
    void read();

    FcConfig* m_fonts;
    bool m_read = false;
    // By family, as fontconfig spells it first.
    QHash<QString, QList<File>> m_duplicates;
};

} // namespace varelith
