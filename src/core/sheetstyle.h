#pragma once

namespace varelith {

// The face every line of the sheet is drawn in. Regular draws each family as a plain font
// of its name does; the others ask for a face the family has, never a synthesised one.
enum class SheetStyle { Regular, Light, Bold, Italic, BoldItalic };

} // namespace varelith
