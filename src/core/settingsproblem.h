#pragma once

#include <QString>

#include <functional>

namespace varelith {

// Something the user has to know about the settings file, as data: what went wrong, with
// which file, and why. Whoever is told turns it into words.
struct SettingsProblem {
    enum class Kind {
        NotSaved,       // a write did not reach the file; this session keeps the values
        Damaged,        // the file was not a readable settings file; kept as a .damaged copy
        DamagedNotKept, // the same, but no copy could be made, so nothing is written over it
    };
    enum class Reason {
        None,         // nothing more to say than the kind
        NoPermission, // the file or its folder may not be written
        NoSpace,      // the disk is full
        InTheWay,     // a folder where the file goes, or a file where a folder goes
        Unknown,      // the write failed for a reason the store cannot tell
    };

    Kind kind;
    Reason reason;
    QString path; // the settings file
};

// Called by a settings store each time something goes wrong; it must not throw.
using SettingsProblemObserver = std::function<void(const SettingsProblem&)>;

} // namespace varelith
