#include "report/ReportFile.h"

#include "report/GifFile.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

QString WriteReportFile(TPageEngine& engine, const QString& path, const QString& title)
{
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return file.errorString();
        {
            QPdfWriter pdf(&file);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setResolution(300);
            pdf.setTitle(title);
            pdf.setCreator(QStringLiteral("Vellox"));
            engine.Printing = true;
            engine.PrintDevice = &pdf;
            engine.PrintDeviceName = path;
            engine.DoReport();
            engine.Printing = false;
            engine.PrintDevice = nullptr;
        }
        if (!file.commit())
            return file.errorString();
        return {};
    }
    if (path.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive)) {
        engine.Printing = false;
        engine.DoReport();
        return WriteGifFile(engine.Pages, path);
    }
    return QStringLiteral("a report file name ends in .pdf or .gif");
}
