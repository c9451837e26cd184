#pragma once

#include <QFontDatabase>
#include <QHash>
#include <QString>

#include <memory>

namespace varelith {

class GlyphCoverage;
class JapaneseWriting;

// Which writing systems each family supports, read from its plain face's fontconfig
// languages by the rules Qt's font database reads them with (Qt's database holds the
// interface's faces alone); Japanese alone is judged on the characters of the family's own
// font, the ones its 日本語 tab counts. Asked once per family, then kept.
class FamilyWritingSystems {
public:
    explicit FamilyWritingSystems(GlyphCoverage& coverage);
    ~FamilyWritingSystems();
    FamilyWritingSystems(const FamilyWritingSystems&) = delete;
    FamilyWritingSystems& operator=(const FamilyWritingSystems&) = delete;

    // Any: every family.
    bool supports(const QString& family, QFontDatabase::WritingSystem system);
    // Forgets every answer: the coverage reads other fonts.
    void forget();

private:
    bool writesJapanese(const QString& family);

    GlyphCoverage& m_coverage;
    // One bit per writing system; Qt has fewer than 64.
    QHash<QString, quint64> m_systems;
    // Made at the first question about Japanese.
    std::unique_ptr<JapaneseWriting> m_japanese;
    QHash<QString, bool> m_writesJapanese;
};

} // namespace varelith
