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
        // The engine lets go of the device however the run ends.
        struct TRelease {
            TPageEngine& Engine;
            ~TRelease()
            {
                Engine.Printing = false;
                Engine.PrintDevice = nullptr;
            }
        } release{engine};
        engine.Printing = true;
        engine.PrintDevice = &pdf;
        engine.PrintDeviceName = path;
        engine.DoReport();
        return QString();
    });
}

QString WriteReportFile(TPageEngine& engine, const QString& path, const QString& title)
{
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return WritePdfFile(engine, path, title);
    if (path.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive)) {
        engine.Printing = false;
        engine.DoReport();
        return WriteGifFile(engine.Pages, path);
    }
    return QStringLiteral("a report file name ends in .pdf or .gif");
}
