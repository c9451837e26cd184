#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// fontconfig's own declaration, so that users need not see its headers.
using FcConfig = struct _FcConfig;

namespace varelith {

// The fonts this run sees: every installed font, as fontconfig's configuration lists them,
// and the font files the user opened without installing them. Read again whenever fonts
// are installed or removed while the program runs; each reading is a new configuration,
// which the program's readers of the fonts are handed in turn, the files opened added to
// it again.
class FontConfiguration {
public:
    // A new configuration with its fonts read, the caller's to release; null when it cannot
    // be made.
    using Maker = std::function<FcConfig*()>;

    // `initial`: the configuration read at start (referenced here); null for fontconfig's
    // current one. `maker` makes each later one.
    FontConfiguration(FcConfig* initial, Maker maker);
    ~FontConfiguration();
    FontConfiguration(const FontConfiguration&) = delete;
    FontConfiguration& operator=(const FontConfiguration&) = delete;

    // The configuration now; it lives while this holds it or a reader references it.
    FcConfig* fonts() const { return m_config; }

    // Reads the installed fonts again. False, with nothing changed, when no configuration
    // can be made.
    bool reload();

    // Adds a font file's faces for this run, as fontconfig reads an installed one. The file
    // is trusted: the caller has read it first (FontFile).
    bool open(const QString& path);
    // The file is no longer shown as opened (it was installed, or removed); the next
    // reading leaves it out.
    void forget(const QString& path);
    bool isOpened(const QString& path) const { return m_opened.contains(path); }
    // Whether the file is one of the installed fonts (however its folder is spelt): opened,
    // it is shown as installed and not added a second time.
    bool isInstalled(const QString& path) const;
    const QStringList& openedFiles() const { return m_openedInOrder; }

    // The folders whose fonts the configuration reads, its subfolders included, and the
    // user's own font folder, where fonts are installed, whether or not it exists yet.
    QStringList folders() const;

private:
    FcConfig* m_config = nullptr;
    Maker m_maker;
    QSet<QString> m_opened;
    QStringList m_openedInOrder;
};

} // namespace varelith
