#pragma once

#include <QProcess>
#include <QStringList>

namespace varelith::testing {

// A PDF read back as text with poppler's pdftotext, keeping the layout: one string per
// sheet, its lines in order, empty lines dropped.
class PdfText {
public:
    static QString read(const QString& pdfPath) {
        QProcess process;
        process.start(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                       pdfPath, QStringLiteral("-")});
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    static QList<QStringList> sheets(const QString& pdfPath) {
        QList<QStringList> result;
        QStringList pages = read(pdfPath).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast(); // pdftotext ends every sheet with a form feed
        for (const QString& page : pages) {
            QStringList lines;
            for (const QString& line : page.split(QLatin1Char('\n'))) {
                if (!line.trimmed().isEmpty())
                    lines.append(line);
            }
            result.append(lines);
        }
        return result;
    }

    static QStringList lines(const QString& pdfPath) {
        QStringList all;
        for (const QStringList& sheet : sheets(pdfPath))
            all += sheet;
        return all;
    }

    static QStringList trimmed(QStringList lines) {
        for (QString& line : lines)
            line = line.trimmed();
        return lines;
    }
};

} // namespace varelith::testing
