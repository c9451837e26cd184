#pragma once

#include <QList>
#include <QString>

#include <fontconfig/fontconfig.h>

#include <memory>

namespace varelith {

// A font file the user opens without installing it: its faces as fontconfig lists an
// installed font's (family names, style, index, characters), read from the file alone, or
// why it cannot be shown. A hostile file is refused before fontconfig reads it whole: too
// large, or more faces or named instances than any real font has.
class FontFile {
public:
    // The largest real fonts (IPAmj明朝, Noto CJK collections) are tens of megabytes.
    static constexpr qint64 MaxBytes = qint64(256) << 20;
    // Real collections hold a few dozen faces, variable fonts a few dozen named instances.
    static constexpr int MaxFaces = 256;
    static constexpr int MaxInstances = 1024;

    static FontFile read(const QString& path);

    const QString& path() const { return m_path; }
    bool isReadable() const { return m_problem.isEmpty(); }
    // Why the file cannot be shown, in a sentence naming it; empty when it can.
    const QString& problem() const { return m_problem; }
    // Each face and named instance, as fontconfig's query gives them; empty when refused.
    QList<const FcPattern*> faces() const;

private:
    QString m_path;
    QString m_problem;
    std::shared_ptr<FcFontSet> m_faces;
};

} // namespace varelith
