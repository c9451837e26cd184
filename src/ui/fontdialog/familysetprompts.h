#pragma once

#include <QString>

namespace varelith {

// What the sets bar asks the user: a set's name and the files a set is written to and
// read from. The dialog hands in the platform's own dialogs; tests hand in answers.
class FamilySetPrompts {
public:
    virtual ~FamilySetPrompts() = default;

    // A name for a set, offering `suggested`; empty when the user cancels.
    virtual QString askName(const QString& title, const QString& suggested) = 0;
    // Where to write a set's file, offering `suggestedName`; empty when cancelled.
    virtual QString exportPath(const QString& suggestedName) = 0;
    // Which file to read a set from; empty when cancelled.
    virtual QString importPath() = 0;
};

} // namespace varelith
