#pragma once

#include "japanesecoverage.h"

#include <QWidget>

#include <optional>

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace varelith {

// A face's Japanese coverage: each set as "n / total", and on request the characters of
// the chosen set that the face lacks, as text to read or copy.
class CoverageView : public QWidget {
    Q_OBJECT

public:
    explicit CoverageView(QWidget* parent = nullptr);

    void setCoverage(const JapaneseCoverage& coverage);
    // Lists the missing characters of the current row's set.
    void showMissing();

    // "99.9%": the share of the set the face has, to a tenth of a percent, rounded down.
    static QString share(JapaneseCoverage::Count count);

    QTreeWidget* table() const { return m_table; }
    QPushButton* missingButton() const { return m_showMissing; }
    QPlainTextEdit* missingText() const { return m_missing; }

private:
    std::optional<JapaneseCoverage> m_coverage;
    QTreeWidget* m_table;
    QPushButton* m_showMissing;
    QPlainTextEdit* m_missing;
};

} // namespace varelith
