#include "fontfiltermodel.h"

#include "familylistnames.h"
#include "familywritingsystems.h"
#include "glyphcoverage.h"
#include "ticklistmodel.h"

#include <algorithm>

namespace varelith {

namespace {

// Between a family's names in their comparable form: a noncharacter, which no name and no
// typed filter holds, so that a filter never matches across two names.
constexpr QChar NameSeparator(0xffff);

} // namespace

FontFilterModel::FontFilterModel(TickListModel& fonts, FamilyWritingSystems& writingSystems,
                                 GlyphCoverage& coverage, FamilyListNames& names, QObject* parent)
    : QSortFilterProxyModel(parent)
    , m_fonts(fonts)
    , m_writingSystems(writingSystems)
    , m_coverage(coverage)
    , m_names(names) {
    // Ticking changes nothing that is filtered on: the rows stay, only their boxes change.
    setDynamicSortFilter(false);
    setSourceModel(&fonts);
    connect(&fonts, &QAbstractItemModel::modelReset, this, [this] { m_comparableNames.clear(); });
}

QString FontFilterModel::comparable(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

void FontFilterModel::setNameFilter(const QString& text) {
    const QString filter = comparable(text);
    if (filter == m_nameFilter)
        return;
    m_nameFilter = filter;
    invalidateFilter();
}

void FontFilterModel::setWritingSystem(QFontDatabase::WritingSystem system) {
    if (system == m_writingSystem)
        return;
    m_writingSystem = system;
    invalidateFilter();
}

void FontFilterModel::setSampleText(const QString& text) {
    if (text == m_sampleText)
        return;
    m_sampleText = text;
    if (m_sampleFilter)
        invalidateFilter();
}

void FontFilterModel::setSampleFilter(bool on) {
    if (on == m_sampleFilter)
        return;
    m_sampleFilter = on;
    invalidateFilter();
}

QList<int> FontFilterModel::shownSourceRows() const {
    QList<int> rows;
    const int shown = rowCount();
    rows.reserve(shown);
    for (int row = 0; row < shown; ++row)
        rows.append(mapToSource(index(row, 0)).row());
    return rows;
}

QVariant FontFilterModel::data(const QModelIndex& index, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::AccessibleTextRole) || !index.isValid())
        return QSortFilterProxyModel::data(index, role);
    const QString& family = m_fonts.name(mapToSource(index).row());
    QStringList notes;
    for (const auto& [kind, noteFor] : m_notes)
        if (QString note = noteFor ? noteFor(family) : QString(); !note.isEmpty())
            notes.append(std::move(note));
    return notes.isEmpty() ? m_names.displayText(family)
                           : m_names.displayText(family) + u'（' + notes.join(u'・') + u'）';
}

void FontFilterModel::setNoteFor(const QString& kind,
                                 std::function<QString(const QString&)> noteFor) {
    const auto same = std::find_if(m_notes.begin(), m_notes.end(),
                                   [&kind](const auto& note) { return note.first == kind; });
    if (same != m_notes.end())
        same->second = std::move(noteFor);
    else
        m_notes.append({kind, std::move(noteFor)});
    notesChanged();
}

void FontFilterModel::notesChanged() {
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0),
                           {Qt::DisplayRole, Qt::AccessibleTextRole});
}

const QString& FontFilterModel::comparableNames(int row) const {
    if (m_comparableNames.size() != m_fonts.count()) {
        m_comparableNames.clear();
        m_comparableNames.reserve(m_fonts.count());
        for (int k = 0; k < m_fonts.count(); ++k)
            m_comparableNames.append(
                comparable(m_names.everyName(m_fonts.name(k)).join(NameSeparator)));
    }
    return m_comparableNames.at(row);
}

bool FontFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (sourceParent.isValid() || sourceRow >= m_fonts.count())
        return false;
    if (!m_nameFilter.isEmpty() && !comparableNames(sourceRow).contains(m_nameFilter))
        return false;
    const QString& family = m_fonts.name(sourceRow);
    if (!m_writingSystems.supports(family, m_writingSystem))
        return false;
    if (m_onlyWhere && !m_onlyWhere(family))
        return false;
    return !m_sampleFilter || m_coverage.coversText(family, m_sampleText);
}

void FontFilterModel::setOnlyWhere(std::function<bool(const QString&)> condition) {
    m_onlyWhere = std::move(condition);
    invalidateFilter();
}

} // namespace varelith
