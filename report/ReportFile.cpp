#include "report/ReportFile.h"

#include "report/AtomicFile.h"
#include "report/GifFile.h"

#include <QIODevice>
#include <QPageSize>
#include <QPdfWriter>

namespace {

TReportOutcome WriteOutcome(const QString& failure)
{
    if (failure.isEmpty())
        return {};
    return {TReportResult::WriteError, failure};
}

} // namespace

TReportOutcome WritePdfFile(TPageEngine& engine, const QString& path,
                            const TReportFileSettings& settings)
{
    TReportOutcome run;
    const QString failure = WriteFileAtomically(path, [&](QIODevice& device) {
        QPdfWriter pdf(&device);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(settings.PdfResolution);
        pdf.setTitle(settings.Title);
        pdf.setCreator(QStringLiteral("Vellox"));
        // A run that failed part way leaves a PDF without the rest of the
        // report: its failure cancels the file.
        run = engine.RenderToDevice(pdf, path);
        return run.Ok() ? QString() : run.Message;
    });
    return run.Ok() ? WriteOutcome(failure) : run;
}

TReportOutcome WriteGifReport(TPageEngine& engine, const QString& path)
{
    std::vector<QImage> pages;
    const TReportOutcome run = engine.RenderPictures(pages);
    // The pages of a run that failed part way are not the report.
    if (!run.Ok())
        return run;
    return WriteOutcome(WriteGifFile(pages, path));
}

TReportOutcome WriteReportFile(TPageEngine& engine, const QString& path,
                               const TReportFileSettings& settings)
{
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return WritePdfFile(engine, path, settings);
    if (path.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive))
        return WriteGifReport(engine, path);
    return {TReportResult::UnsupportedFile,
            QStringLiteral("a report file name ends in .pdf or .gif")};
}
