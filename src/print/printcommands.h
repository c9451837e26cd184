#pragma once

class QWidget;

namespace varelith {

class SheetSource;

// The two print commands of the main window's print menu. Each shows the printer dialog
// and prints once per copy chosen; neither ever lets an error out.
class PrintCommands {
public:
    virtual ~PrintCommands() = default;
    // "現在のページ": the page in the page box, read again for every copy.
    virtual void printCurrentPage(const SheetSource& source, QWidget* parent) noexcept = 0;
    // "全てのページ": every ticked font under one header.
    virtual void printAllPages(const SheetSource& source, QWidget* parent) noexcept = 0;
};

} // namespace varelith
