#pragma once

#include <QFontDatabase>
#include <QSortFilterProxyModel>
#include <QStringList>

#include <functional>

namespace varelith {

class FamilyListNames;
class FamilyWritingSystems;
class GlyphCoverage;
class TickListModel;

// The rows of the font list that the user asked to see: families with a name, in any
// language, containing the filter text, families supporting the chosen writing system,
// and, when asked, families that have a glyph for every character of the sample text.
// Hiding a row never changes its tick. The order stays the list's own; each row reads as
// FamilyListNames shows it.
class FontFilterModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    FontFilterModel(TickListModel& fonts, FamilyWritingSystems& writingSystems,
                    GlyphCoverage& coverage, FamilyListNames& names, QObject* parent = nullptr);

    // Anywhere in any of the family's names, without regard to case or to half-width and
    // full-width forms ("ipa" finds "IPAGothic", "ＩＰＡ" and "ゴシック" too). Empty: every
    // name.
    void setNameFilter(const QString& text);
    void setWritingSystem(QFontDatabase::WritingSystem system);
    // The main window's sample text; it counts only while the sample filter is on.
    void setSampleText(const QString& text);
    void setSampleFilter(bool on);

    // Only the families the condition holds for ("only families with duplicates"); an
    // empty condition: every family.
    void setOnlyWhere(std::function<bool(const QString& family)> condition);

    // A note read after a family's name ("無効"), or an empty text for none. Notes of
    // several kinds share one pair of brackets, in the order their kinds were first set:
    // "名前（無効・未インストール）"; setting a kind again replaces its note.
    void setNoteFor(const QString& kind, std::function<QString(const QString& family)> noteFor);
    // The notes changed: views redraw every row.
    void notesChanged();

    // The rows shown, as rows of the font list, in order.
    QList<int> shownSourceRows() const;

    // The form names are compared in: compatibility forms unified, case folded.
    static QString comparable(const QString& text);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    const QString& comparableNames(int row) const;

    TickListModel& m_fonts;
    FamilyWritingSystems& m_writingSystems;
    GlyphCoverage& m_coverage;
    FamilyListNames& m_names;
    QString m_nameFilter;
    QFontDatabase::WritingSystem m_writingSystem = QFontDatabase::Any;
    QString m_sampleText;
    bool m_sampleFilter = false;
    QList<std::pair<QString, std::function<QString(const QString&)>>> m_notes;
    std::function<bool(const QString&)> m_onlyWhere;
    // Every row's names in comparable form, one string a row, made at the first filtering
    // by name after a refill.
    mutable QStringList m_comparableNames;
};

} // namespace varelith
