#pragma once

#include <fontconfig/fontconfig.h>

namespace varelith {

// While it lives, fontconfig's current configuration holds one face alone, so that the
// match Qt runs when it sets up a font engine compares that face only, not every
// installed font. Meant for the span of one font load on this thread: nothing else may
// look fonts up meanwhile, since it would find that face alone.
class SingleFaceMatch {
public:
    explicit SingleFaceMatch(const FcPattern* face);
    ~SingleFaceMatch();
    SingleFaceMatch(const SingleFaceMatch&) = delete;
    SingleFaceMatch& operator=(const SingleFaceMatch&) = delete;

private:
    FcConfig* m_previous;
    FcConfig* m_single = nullptr;
};

} // namespace varelith
