#pragma once

namespace varelith {

// The screen's mouse pointer as the program uses it: a state, hourglass or default, over
// every window. Qt's override cursor is a stack, so this keeps one flag: setting the
// hourglass twice and the default once leaves the default pointer.
class MousePointer {
public:
    static constexpr int Default = 0;
    static constexpr int Hourglass = 11;

    static void set(int pointer);
    static int current() { return s_current; }

private:
    static int s_current;
};

} // namespace varelith
