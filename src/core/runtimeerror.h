#pragma once

#include <exception>

namespace varelith {

// The one failure the program's procedures raise and trap. The kinds are the ones the
// forms runtime knew; a trapping procedure stops where the error arose and goes on
// silently, so nothing ever reaches the user as a crash or a message.
class RuntimeError : public std::exception {
public:
    enum class Kind {
        Overflow,            // a 16-bit step left -32768..32767
        SubscriptOutOfRange, // an index outside an array's bounds
        TypeMismatch,        // a text that is not a number where one is needed
        InvalidValue,        // a value a control or the printer refuses
    };

    explicit RuntimeError(Kind kind) noexcept
        : m_kind(kind) {}

    Kind kind() const noexcept { return m_kind; }
    const char* what() const noexcept override;

private:
    Kind m_kind;
};

} // namespace varelith
