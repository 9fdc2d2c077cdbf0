#pragma once

#include "report/PageEngine.h"
#include "report/ReportOutcome.h"

#include <QString>

// How a report file is written.
struct TReportFileSettings {
    QString Title = QStringLiteral("Report"); // the PDF's title
    int PdfResolution = 300;                  // the PDF page's dots per inch
};

// Lays the report out on a PDF file (vector text, A4 pages) at `path`,
// whatever its extension, written whole or not at all. The preview's pages
// and layout in the engine stay as they were. A run that fails part way
// writes nothing and leaves what was at `path`: its outcome comes back; a
// file that cannot be written is a WriteError with the system's reason.
TReportOutcome WritePdfFile(TPageEngine& engine, const QString& path,
                            const TReportFileSettings& settings);

// Lays the report out on pictures as the preview's pages are and writes them
// one under the other into one GIF picture at `path`, the preview's own
// pages untouched; failures as for WritePdfFile.
TReportOutcome WriteGifReport(TPageEngine& engine, const QString& path);

// WritePdfFile for a name ending in ".pdf", WriteGifReport for ".gif"; any
// other name is an UnsupportedFile.
TReportOutcome WriteReportFile(TPageEngine& engine, const QString& path,
                               const TReportFileSettings& settings);
