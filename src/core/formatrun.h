#pragma once

#include <QString>

namespace varelith {

// One stretch of a composed page set in one font: positions count UTF-16 code units of
// the page text with each line break as two ("\r\n").
struct FormatRun {
    enum class Role {
        Name,   // the font's name, in the interface's face
        Sample, // the space, the sample and the line break, in the named font
    };

    int start = 0;
    int length = 0;
    QString family;
    QString sizeText; // handed to the view as it stands; the view decides if it is usable
    Role role = Role::Name;

    friend bool operator==(const FormatRun&, const FormatRun&) = default;
};

} // namespace varelith
