#pragma once

#include "fontsource.h"

#include <QString>

namespace varelith {

// The font families installed on this machine, each once, as fontconfig finds them in
// the font files: no generic alias ("Serif", "Sans Serif", "Monospace") unless a file
// carries that name, no family twice for two foundries. A QFont with a listed name draws
// that family. Sorted as Qt sorts its families, without regard to case.
class SystemFontSource : public FontSource {
public:
    // The fonts of fontconfig's current configuration, the one Qt draws with.
    SystemFontSource() = default;
    // The fonts a fontconfig file of its own sees.
    explicit SystemFontSource(QString configFile)
        : m_configFile(std::move(configFile)) {}

    QStringList families() const override;

private:
    QString m_configFile;
};

} // namespace varelith
