#pragma once

class QWidget;

namespace varelith {

class SheetSource;

// "見本帳を印刷...": every ticked font's sample in the font itself, on a printer or into a
// PDF file. Never lets an error out.
class SpecimenBookCommand {
public:
    virtual ~SpecimenBookCommand() = default;
    virtual void printSpecimenBook(const SheetSource& source, QWidget* parent) noexcept = 0;
};

} // namespace varelith
