#pragma once

#include <QList>
#include <QPair>
#include <QString>

class QPrinter;

namespace varelith {

// One PDF document sent to a CUPS queue as one job, with the options the print dialog
// chose: the print server makes the copies itself (collated), so the document holds one.
// Raises a RuntimeError when the server refuses the job; a job refused half way is
// cancelled, so that nothing half sent is printed.
class CupsJob {
public:
    CupsJob(QString queue, QString title);
    // The queue, copies and options chosen on `printer` in Qt's print dialog: its duplex,
    // colour and paper, and the printer's own options the dialog's property page set.
    static CupsJob forPrinter(const QPrinter& printer, int copies, const QString& title);

    void setOption(const QString& name, const QString& value);
    const QList<QPair<QString, QString>>& options() const { return m_options; }
    const QString& queue() const { return m_queue; }

    // Sends the file as the job's one document; the job's number.
    int submit(const QString& pdfFile) const;

private:
    QString m_queue;
    QString m_title;
    QList<QPair<QString, QString>> m_options;
};

} // namespace varelith
