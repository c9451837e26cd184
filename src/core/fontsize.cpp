#include "fontsize.h"

#include "numberconversion.h"

namespace varelith {

double FontSize::fromText(const QString& text) {
    const double points = NumberConversion::toDouble(text);
    if (!(points >= MinPoints && points <= MaxPoints))
        throw RuntimeError(RuntimeError::Kind::InvalidValue);
    return points;
}

} // namespace varelith
