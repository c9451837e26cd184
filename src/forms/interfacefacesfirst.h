#pragma once

// fontconfig's own declaration, so that the program need not see its headers.
using FcConfig = struct _FcConfig;

namespace varelith {

// Qt fills its font database once, at the first text laid out, from fontconfig's current
// configuration, and lists every installed font to do so: with tens of thousands of fonts
// that is most of the time to the first page. Qt draws the interface alone (every sample is
// set by the shaper from its face's file), so it never needs them. Made before the
// application object, this makes the current configuration, for its whole life, one that
// holds the interface's faces alone (every installed face of
// JapaneseInterface::gothicFaces()), under the same rules, and keeps the whole
// configuration for the program's own readers of the installed fonts, which are handed it
// (allFonts()). Where no Japanese interface face is installed it changes nothing: the
// current configuration stays the whole one.
class InterfaceFacesFirst {
public:
    InterfaceFacesFirst();
    ~InterfaceFacesFirst();
    InterfaceFacesFirst(const InterfaceFacesFirst&) = delete;
    InterfaceFacesFirst& operator=(const InterfaceFacesFirst&) = delete;

    // Whether the current configuration holds the interface's faces alone.
    bool isActive() const { return m_faces != nullptr; }
    // The configuration with every installed font, held while this lives; null where the
    // current configuration is that one.
    FcConfig* allFonts() const { return m_all; }

private:
    FcConfig* m_all = nullptr;
    FcConfig* m_faces = nullptr;
};

} // namespace varelith
