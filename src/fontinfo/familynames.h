#pragma once

#include <QHash>
#include <QList>
#include <QString>

// fontconfig's own declaration, so that users need not see its headers.
using FcConfig = struct _FcConfig;

namespace varelith {

// Every name a family carries, in each language its fonts give (fontconfig's family and
// familylang), so that a family is found and shown by the name its users know
// ("IPAゴシック" for "IPAGothic"). All families are read in one pass over the installed
// fonts the first time any is asked for; after that an answer is a table lookup.
class FamilyNames {
public:
    // `fonts`: the configuration that holds every installed font, which must outlive this;
    // null for fontconfig's current one.
    explicit FamilyNames(FcConfig* fonts = nullptr)
        : m_fonts(fonts) {}

    struct Name {
        QString text;
        QString language; // as fontconfig gives it ("ja", "en"); empty if unknown
        bool operator==(const Name&) const = default;
    };

    // The family's names, each once, Japanese ones first, then in the fonts' own order
    // (the name Qt lists first among them). Any of its names (case ignored) finds them
    // all. Empty for a family that is not installed.
    const QList<Name>& names(const QString& family);
    // The family's first Japanese name, or empty if it has none other than `family`.
    QString japaneseName(const QString& family);

    static bool isJapanese(const QString& language);

    // Reads these fonts from the next question on: the installed fonts read again.
    void setFonts(FcConfig* fonts) {
        m_fonts = fonts;
        m_built = false;
        m_names.clear();
    }

    // The installed fonts these names are read from, for whoever reads more of the same
    // fonts (a window given the names and nothing else); null for fontconfig's current ones.
    FcConfig* installedFonts() const { return m_fonts; }

private:
    void build();

    FcConfig* m_fonts;
    bool m_built = false;
    QHash<QString, QList<Name>> m_names; // by case-folded name
};

} // namespace varelith
