#include "sheetfontlocator.h"

#include <QTextBlock>
#include <QTextDocument>

namespace varelith {

QString SheetFontLocator::familyAt(const QTextDocument& document, int position) {
    for (QTextBlock block = document.findBlock(position); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            // Only a sample is drawn with no other font merged in.
            if ((format.fontStyleStrategy() & QFont::NoFontMerging) &&
                !format.fontFamilies().toStringList().isEmpty())
                return format.fontFamilies().toStringList().constFirst();
        }
    }
    return {};
}

} // namespace varelith
