#include "cupsjob.h"

#include "runtimeerror.h"

#include <QFile>
#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>

#include <cups/cups.h>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// The printer's own options (its trays, its quality...) as Qt's print dialog leaves them
// on the print engine for CUPS: a list of names and values in turn.
constexpr auto PrinterOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

} // namespace

CupsJob::CupsJob(QString queue, QString title)
    : m_queue(std::move(queue))
    , m_title(std::move(title)) {}

CupsJob CupsJob::forPrinter(const QPrinter& printer, int copies, const QString& title) {
    CupsJob job(printer.printerName(), title);
    if (QPrintEngine* engine = printer.printEngine()) {
        const QStringList chosen = engine->property(PrinterOptionsKey).toStringList();
        for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
            job.setOption(chosen.at(i), chosen.at(i + 1));
    }
    job.setOption(u"copies"_s, QString::number(std::max(copies, 1)));
    job.setOption(u"collate"_s, u"true"_s);
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
        job.setOption(u"sides"_s, u"two-sided-long-edge"_s);
        break;
    case QPrinter::DuplexShortSide:
        job.setOption(u"sides"_s, u"two-sided-short-edge"_s);
        break;
    case QPrinter::DuplexNone:
        job.setOption(u"sides"_s, u"one-sided"_s);
        break;
    case QPrinter::DuplexAuto:
        break;
    }
    if (printer.colorMode() == QPrinter::GrayScale)
        job.setOption(u"print-color-mode"_s, u"monochrome"_s);
    // The sheets are drawn on this paper; the server is told so that it need not scale them.
    const QString paper = printer.pageLayout().pageSize().key();
    if (!paper.isEmpty())
        job.setOption(u"media"_s, paper);
    return job;
}

void CupsJob::setOption(const QString& name, const QString& value) {
    for (QPair<QString, QString>& option : m_options) {
        if (option.first == name) {
            option.second = value;
            return;
        }
    }
    m_options.append({name, value});
}

int CupsJob::submit(const QString& pdfFile) const {
    QFile pdf(pdfFile);
    if (!pdf.open(QIODevice::ReadOnly))
        throw RuntimeError(RuntimeError::Kind::InvalidValue);
    cups_option_t* options = nullptr;
    int optionCount = 0;
    for (const auto& [name, value] : m_options)
        optionCount = cupsAddOption(name.toUtf8().constData(), value.toUtf8().constData(),
                                    optionCount, &options);
    const QByteArray queue = m_queue.toUtf8();
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(),
                                  m_title.toUtf8().constData(), optionCount, options);
    bool sent = false;
    if (job > 0 && cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), job, "specimen.pdf",
                                     CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE) {
        sent = true;
        while (sent && !pdf.atEnd()) {
            const QByteArray chunk = pdf.read(64 * 1024);
            sent = !chunk.isEmpty() &&
                   cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk.constData(),
                                        size_t(chunk.size())) == HTTP_STATUS_CONTINUE;
        }
        sent = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) == IPP_STATUS_OK && sent;
    }
    cupsFreeOptions(optionCount, options);
    if (!sent) {
        if (job > 0)
            cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
        throw RuntimeError(RuntimeError::Kind::InvalidValue);
    }
    return job;
}

} // namespace varelith
