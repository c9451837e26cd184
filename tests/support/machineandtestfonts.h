#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace varelith::testing {

// The machine's own fonts and the tests' set (VARELITH_TEST_FONTS) as one configuration
// of fontconfig's, which the process reads from now on (FONTCONFIG_FILE): for a test that
// runs as the program does, the interface's faces apart from every installed font. Made
// first in main(), before anything reads fontconfig.
class MachineAndTestFonts {
public:
    MachineAndTestFonts() {
        QFile config(m_cache.filePath(QStringLiteral("fonts.conf")));
        if (!m_cache.isValid() || !config.open(QIODevice::WriteOnly))
            return;
        config.write(
            QStringLiteral("<fontconfig><cachedir>%1</cachedir>"
                           "<include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>"
                           "<dir>%2</dir></fontconfig>")
                .arg(m_cache.path(), QStringLiteral(VARELITH_TEST_FONTS))
                .toUtf8());
        config.close();
        qputenv("FONTCONFIG_FILE", config.fileName().toLocal8Bit());
        m_ready = true;
    }
    bool isReady() const { return m_ready; }

private:
    QTemporaryDir m_cache;
    bool m_ready = false;
};

} // namespace varelith::testing
