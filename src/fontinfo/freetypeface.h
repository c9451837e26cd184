#pragma once

#include <QFile>
#include <QString>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace varelith {

// One face of a font file opened by FreeType in a library of its own, both let go with it.
// The index is FreeType's: a collection's face in the low 16 bits, a named instance above
// them; -(n + 1) opens face n only to count its named instances, -1 only to count faces.
class FreeTypeFace {
public:
    FreeTypeFace(const QString& file, FT_Long index) {
        if (FT_Init_FreeType(&m_library) != 0) {
            m_library = nullptr;
            return;
        }
        if (FT_New_Face(m_library, QFile::encodeName(file).constData(), index, &m_face) != 0)
            m_face = nullptr;
    }
    ~FreeTypeFace() {
        if (m_face)
            FT_Done_Face(m_face);
        if (m_library)
            FT_Done_FreeType(m_library);
    }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    // Null when the file could not be opened as a font.
    FT_Face get() const { return m_face; }
    FT_Library library() const { return m_library; }
    FT_Face operator->() const { return m_face; }
    explicit operator bool() const { return m_face != nullptr; }

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};

} // namespace varelith
