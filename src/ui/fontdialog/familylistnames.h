#pragma once

#include "familynames.h"

#include <QString>
#include <QStringList>

namespace varelith {

// The names the font list shows and finds a family by: the catalogue's name with the
// family's Japanese name beside it where it has one ("IPAGothic — IPAゴシック"), and, for
// the filter, every name the family carries in any language. The names are read from
// fontconfig at the first question, when the dialog is first shown or filtered, never at
// the program's start, into the program's one FamilyNames, which the font information
// window asks too. What is stored, ticked, shown on the sheet and printed stays the
// catalogue's name.
class FamilyListNames {
public:
    explicit FamilyListNames(FamilyNames& names)
        : m_names(names) {}

    QString displayText(const QString& family);
    // The catalogue's name first, then the family's other names, each once.
    QStringList everyName(const QString& family);

private:
    FamilyNames& m_names;
};

} // namespace varelith
