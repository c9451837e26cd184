#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

// fontconfig's own declaration, so that users need not see its headers.
using FcConfig = struct _FcConfig;

namespace varelith {

class FontCatalogue;
class FontConfiguration;
class FontInfoOpener;
class Form1;
class SettingsStore;

// Follows the fonts while the program runs: fonts installed or removed by any program, and
// the font files the user opens without installing them. At each change the fonts are read
// again, every reader of them is handed the new configuration, and the catalogue is built
// anew, each font keeping its tick by its name. The page shown is not drawn again: it is
// out of date (told) until the next page is shown, and the fonts it was set in stay loaded
// until then.
class FontSetRefresh : public QObject {
    Q_OBJECT

public:
    using Reader = std::function<void(FcConfig* fonts)>;
    // Told the files refused, each with why, in a sentence naming it.
    using Refusals = std::function<void(const QStringList& problems)>;

    FontSetRefresh(FontConfiguration& fonts, Form1& window, FontCatalogue& catalogue,
                   SettingsStore& store, QObject* parent = nullptr);
    ~FontSetRefresh() override;

    // Handed each new configuration, in the order added, before the catalogue is rebuilt.
    void addReader(Reader reader);
    void setFontInfoOpener(FontInfoOpener* opener) { m_fontInfo = opener; }
    void setRefusals(Refusals refusals) { m_refusals = std::move(refusals); }

    // Reads the installed fonts again. False, with nothing changed, when they cannot be read.
    bool refresh();

    // Opens font files for this run. Each is read first: one that is not a font, damaged or
    // hostile is refused and told, and changes nothing. The families of the others join
    // the list, ticked; the page with the first one's line is shown and its information
    // opened. A file already installed is not added again: its family is ticked and shown.
    // Returns those families, in the order of the files.
    QStringList open(const QStringList& paths);

    // Opened files were installed: from now on their families are the installed ones, the
    // fonts read again once.
    void installedFrom(const QStringList& openedFiles);

    // Whether the page shown was set in fonts read before the last change.
    bool isPageOutdated() const { return m_outdated; }

Q_SIGNALS:
    void pageOutdatedChanged(bool outdated);

private:
    void rebuild();
    void pageShown();
    void setOutdated(bool outdated);
    void storeTicked(const QStringList& families);
    void showLineOf(const QString& family);

    FontConfiguration& m_fonts;
    Form1& m_window;
    FontCatalogue& m_catalogue;
    SettingsStore& m_store;
    FontInfoOpener* m_fontInfo = nullptr;
    Refusals m_refusals;
    QList<Reader> m_readers;
    bool m_pageShown = false;
    bool m_outdated = false;
    // The configuration the page shown was set in, held while it is shown.
    FcConfig* m_shownWith = nullptr;
};

} // namespace varelith
