#include "fontsetrefresh.h"

#include "errortrap.h"
#include "fontcatalogue.h"
#include "fontconfigfonts.h"
#include "fontconfiguration.h"
#include "fontfile.h"
#include "fontinfoopener.h"
#include "form1.h"
#include "form2.h"
#include "numberconversion.h"
#include "pagerules.h"
#include "settingsstore.h"

#include <QLabel>
#include <QLineEdit>

#include <fontconfig/fontconfig.h>

namespace varelith {

FontSetRefresh::FontSetRefresh(FontConfiguration& fonts, Form1& window, FontCatalogue& catalogue,
                               SettingsStore& store, QObject* parent)
    : QObject(parent)
    , m_fonts(fonts)
    , m_window(window)
    , m_catalogue(catalogue)
    , m_store(store) {
    connect(&m_window, &Form1::pageShown, this, &FontSetRefresh::pageShown);
}

FontSetRefresh::~FontSetRefresh() {
    if (m_shownWith)
        FcConfigDestroy(m_shownWith);
}

void FontSetRefresh::addReader(Reader reader) {
    m_readers.append(std::move(reader));
}

bool FontSetRefresh::refresh() {
    if (!m_fonts.reload())
        return false;
    rebuild();
    return true;
}

void FontSetRefresh::rebuild() {
    for (const Reader& reader : std::as_const(m_readers))
        reader(m_fonts.fonts());
    m_window.reloadFonts();
    if (m_pageShown)
        setOutdated(true);
}

QStringList FontSetRefresh::open(const QStringList& paths) {
    QStringList problems;
    QStringList families;
    bool added = false;
    for (const QString& path : paths) {
        const FontFile file = FontFile::read(path);
        if (!file.isReadable()) {
            problems.append(file.problem());
            continue;
        }
        if (!m_fonts.isInstalled(file.path()) && !m_fonts.open(file.path())) {
            problems.append(tr("「%1」を開けませんでした。").arg(path));
            continue;
        }
        added = true;
        for (const FcPattern* face : file.faces())
            FontconfigFonts::appendFamilyNames(face, families);
    }
    families.removeDuplicates();
    if (added) {
        // Ticked through the settings the build reads, so that it writes them once.
        if (Form2* const dialog = m_window.form2(); dialog && !dialog->isUnloaded())
            dialog->commitChangedTicks();
        storeTicked(families);
        rebuild();
        if (!families.isEmpty()) {
            showLineOf(families.constFirst());
            if (m_fontInfo)
                m_fontInfo->showFamily(families.constFirst());
        }
    }
    if (!problems.isEmpty() && m_refusals)
        m_refusals(problems);
    return families;
}

void FontSetRefresh::installedFrom(const QStringList& openedFiles) {
    for (const QString& file : openedFiles)
        m_fonts.forget(file);
    refresh();
}

void FontSetRefresh::storeTicked(const QStringList& families) {
    // A family never seen is ticked by the build anyway; one listed unticked is ticked here.
    // Every build and commit stores each listed name at its place, so the catalogue's
    // names are the stored ones.
    trapErrors([&] {
        for (int n = 1; n <= m_catalogue.FontNum(); ++n)
            if (families.contains(m_catalogue.FontName(n), Qt::CaseInsensitive))
                m_store.SaveSetting(FontCatalogue::flagKey(n), QStringLiteral("1"));
    });
}

void FontSetRefresh::showLineOf(const QString& family) {
    trapErrors([&] {
        int before = 0;
        for (int n = 1; n <= m_catalogue.FontNum(); ++n) {
            if (m_catalogue.isTicked(n) &&
                m_catalogue.FontName(n).compare(family, Qt::CaseInsensitive) == 0) {
                const Int16 page = Int16::fromInt(before / PageRules::LinesPerPage + 1);
                m_window.lbl_Page1()->setText(NumberConversion::toText(page));
                m_window.Showpage(page);
                return;
            }
            if (m_catalogue.isTicked(n))
                ++before;
        }
    });
}

void FontSetRefresh::pageShown() {
    m_pageShown = true;
    FcConfig* const now = FcConfigReference(m_fonts.fonts());
    if (m_shownWith)
        FcConfigDestroy(m_shownWith);
    m_shownWith = now;
    setOutdated(false);
}

void FontSetRefresh::setOutdated(bool outdated) {
    if (m_outdated == outdated)
        return;
    m_outdated = outdated;
    Q_EMIT pageOutdatedChanged(outdated);
}

} // namespace varelith
