#pragma once

#include <QFontDatabase>
#include <QSortFilterProxyModel>
#include <QStringList>

namespace varelith {

class FamilyWritingSystems;
class GlyphCoverage;
class TickListModel;

// The rows of the font list that the user asked to see: names containing the filter
// text, families supporting the chosen writing system, and, when asked, families that
// have a glyph for every character of the sample text. Hiding a row never changes its
// tick. The order stays the list's own.
class FontFilterModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    FontFilterModel(TickListModel& fonts, FamilyWritingSystems& writingSystems,
                    GlyphCoverage& coverage, QObject* parent = nullptr);

    // Anywhere in the name, without regard to case or to half-width and full-width
    // forms ("ipa" finds "IPAGothic", "ＩＰＡ" too). Empty: every name.
    void setNameFilter(const QString& text);
    void setWritingSystem(QFontDatabase::WritingSystem system);
    // The main window's sample text; it counts only while the sample filter is on.
    void setSampleText(const QString& text);
    void setSampleFilter(bool on);

    // The rows shown, as rows of the font list, in order.
    QList<int> shownSourceRows() const;

    // The form names are compared in: compatibility forms unified, case folded.
    static QString comparable(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    const QString& comparableName(int row) const;

    TickListModel& m_fonts;
    FamilyWritingSystems& m_writingSystems;
    GlyphCoverage& m_coverage;
    QString m_nameFilter;
    QFontDatabase::WritingSystem m_writingSystem = QFontDatabase::Any;
    QString m_sampleText;
    bool m_sampleFilter = false;
    // The names in comparable form, made at the first filtering by name after a refill.
    mutable QStringList m_comparableNames;
};

} // namespace varelith
