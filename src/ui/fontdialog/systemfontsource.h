#pragma once

#include "fontsource.h"

#include <QString>

// fontconfig's own declaration, so that users need not see its headers.
using FcConfig = struct _FcConfig;

namespace varelith {

// The font families installed on this machine, each once, as fontconfig finds them in
// the font files: no generic alias ("Serif", "Sans Serif", "Monospace") unless a file
// carries that name, no family twice for two foundries. A QFont with a listed name draws
// that family. Sorted as Qt sorts its families, without regard to case.
class SystemFontSource : public FontSource {
public:
    // The fonts of fontconfig's current configuration.
    SystemFontSource() = default;
    // The fonts of a configuration the program holds, which must outlive this: every
    // installed font while the current one holds the interface's faces alone.
    explicit SystemFontSource(FcConfig* fonts)
        : m_config(fonts) {}
    // The fonts a fontconfig file of its own sees.
    explicit SystemFontSource(QString configFile)
        : m_configFile(std::move(configFile)) {}

    QStringList families() const override;

    // Lists these fonts from the next build on: the installed fonts read again.
    void setFonts(FcConfig* fonts) { m_config = fonts; }

private:
    QString m_configFile;
    FcConfig* m_config = nullptr;
};

} // namespace varelith
