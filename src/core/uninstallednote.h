#pragma once

#include <QString>

#include <functional>

namespace varelith {

// Families the user opened from font files this run rather than installed ones: each is
// marked 未インストール wherever its name stands (the font selection dialog's list, the
// sheet, the specimen book), so that nobody takes it for a font other programs can use.
class UninstalledNote {
public:
    // Whether a family was opened from a file this run; an empty one marks no family.
    using Families = std::function<bool(const QString& family)>;

    // The word in the dialog's list, among the row's other notes: "無効・未インストール".
    static QString word();
    // Beside the name on the sheet and in the book: "（未インストール）", or empty when the
    // family is installed.
    static QString noteFor(const Families& uninstalled, const QString& family);
    // The same word for the list: empty for an installed family.
    static QString wordFor(const Families& uninstalled, const QString& family);
};

} // namespace varelith
