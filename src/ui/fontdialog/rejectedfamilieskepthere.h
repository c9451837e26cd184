#pragma once

// fontconfig's own declaration, so that users need not see its headers.
using FcConfig = struct _FcConfig;

namespace varelith {

// Families this program switched off for other programs stay listed, shown and drawn in
// it: fontconfig reads the rejectfont file in the user's conf.d at this program's start
// too. Called before anything reads fontconfig, it makes the current configuration as
// fontconfig makes it, plus an <acceptfont> for each of those families, which fontconfig
// weighs before any <rejectfont>. With no family switched off it does nothing.
class RejectedFamiliesKeptHere {
public:
    // False when the configuration could not be made: the program goes on with
    // fontconfig's own, without those families.
    static bool install();
    // The configuration fontconfig makes now, its fonts read, those families accepted: the
    // installed fonts read again while the program runs. The caller's to release; null
    // when it cannot be made.
    static FcConfig* makeConfiguration();
};

} // namespace varelith
