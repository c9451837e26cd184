#pragma once

#include <QHashFunctions>
#include <QString>

namespace varelith {

// One face of an installed font, as fontconfig names it: the file and the face's index in
// it (a collection holds several; a variable font's named instance adds its number in the
// upper 16 bits, as fontconfig gives it). Whatever is shaped, drawn or checked for
// coverage is loaded from this, never matched by name again.
struct FaceRef {
    QString file;
    int index = 0;

    bool isNull() const { return file.isEmpty(); }
    friend bool operator==(const FaceRef&, const FaceRef&) = default;
};

inline size_t qHash(const FaceRef& face, size_t seed = 0) noexcept {
    return qHashMulti(seed, face.file, face.index);
}

} // namespace varelith
