#include "report/ReportFile.h"

#include "report/AtomicFile.h"
#include "report/GifFile.h"

#include <QIODevice>
#include <QPageSize>
#include <QPdfWriter>

QString WritePdfFile(TPageEngine& engine, const QString& path, const QString& title)
{
    return WriteFileAtomically(path, [&](QIODevice& device) {
        QPdfWriter pdf(&device);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Vellox"));
        // The engine and its painter let go of the writer however the run
        // ends, before the writer goes.
        struct TRelease {
            TPageEngine& Engine;
            ~TRelease()
            {
                if (Engine.DrawCanvas()->isActive())
                    Engine.DrawCanvas()->end();
                Engine.Printing = false;
                Engine.PrintDevice = nullptr;
            }
        } release{engine};
        engine.Printing = true;
        engine.PrintDevice = &pdf;
        engine.PrintDeviceName = path;
        // A run that failed part way leaves a PDF without the rest of the
        // report: its failure cancels the file.
        return QString::fromStdString(engine.DoReport());
    });
}

QString WriteReportFile(TPageEngine& engine, const QString& path, const QString& title)
{
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return WritePdfFile(engine, path, title);
    if (path.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive)) {
        engine.Printing = false;
        // The pages of a run that failed part way are not the report.
        const std::string failure = engine.DoReport();
        if (!failure.empty())
            return QString::fromStdString(failure);
        return WriteGifFile(engine.Pages, path);
    }
    return QStringLiteral("a report file name ends in .pdf or .gif");
}
