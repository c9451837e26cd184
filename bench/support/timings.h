#pragma once

#include <QList>

#include <algorithm>

namespace varelith::bench {

// Milliseconds from a QElapsedTimer's nanoseconds, as the benchmarks print them.
inline double ms(qint64 nanoseconds) {
    return double(nanoseconds) / 1e6;
}

// The times of one step run again and again: its median and its worst.
class Timings {
public:
    void add(qint64 nanoseconds) { m_runs.append(ms(nanoseconds)); }
    double median() const {
        QList<double> sorted = m_runs;
        std::sort(sorted.begin(), sorted.end());
        return sorted.at(sorted.size() / 2);
    }
    double worst() const { return *std::max_element(m_runs.begin(), m_runs.end()); }
    qsizetype count() const { return m_runs.size(); }

private:
    QList<double> m_runs;
};

} // namespace varelith::bench
