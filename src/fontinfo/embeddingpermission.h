#pragma once

#include <QString>

namespace varelith {

// What a font's licence lets a document do with it, from the OS/2 table's fsType, told in
// plain Japanese. The specimen book embeds every font it prints in its PDF, so this is
// what a user checks first.
class EmbeddingPermission {
public:
    enum class Level {
        Installable,     // 0: may be embedded and installed
        Editable,        // bit 3: embedded, and the document may be edited
        PreviewAndPrint, // bit 2: embedded for viewing and printing only
        Restricted,      // bit 1 alone: may not be embedded at all
    };

    // A font without an OS/2 table says nothing: Unknown.
    static EmbeddingPermission unknown() { return EmbeddingPermission(); }
    explicit EmbeddingPermission(quint16 fsType);

    bool known() const { return m_known; }
    quint16 fsType() const { return m_fsType; }
    // Where several of bits 1 to 3 are set, as older fonts do, the least restrictive wins.
    Level level() const;
    bool noSubsetting() const { return m_fsType & 0x0100; }
    bool bitmapOnly() const { return m_fsType & 0x0200; }
    // "プレビューと印刷のみ（PDF への埋め込みは閲覧と印刷に限る）"...
    QString text() const;

private:
    EmbeddingPermission() = default;

    quint16 m_fsType = 0;
    bool m_known = false;
};

} // namespace varelith
