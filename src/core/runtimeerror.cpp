#include "runtimeerror.h"

namespace varelith {

const char* RuntimeError::what() const noexcept {
    switch (m_kind) {
    case Kind::Overflow:
        return "overflow";
    case Kind::SubscriptOutOfRange:
        return "subscript out of range";
    case Kind::TypeMismatch:
        return "type mismatch";
    case Kind::InvalidValue:
        return "invalid value";
    }
    return "run-time error";
}

} // namespace varelith
