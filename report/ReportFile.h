#pragma once

#include "report/PageEngine.h"

#include <QString>

// Writes the report the engine's hooks describe to a file: a PDF (vector
// text, A4 pages) for a name ending in ".pdf", else a GIF picture of all
// preview pages one under the other for ".gif". A run of the report that
// fails part way writes nothing and leaves what was at `path`. Returns the
// reason of a failure (the run's, "Report write error: out of memory", or
// the file's), empty on success.
QString WriteReportFile(TPageEngine& engine, const QString& path, const QString& title);

// Lays the report out on a PDF file (vector text, A4 pages) at `path`,
// whatever its extension, written whole or not at all. The run leaves the
// engine set up for that device (Printing false again, but MarginPx, PxPerCm
// and the pages of the PDF's resolution): a preview must lay the report out
// again afterwards. Returns the reason of a failure (the run's or the
// file's), empty on success.
QString WritePdfFile(TPageEngine& engine, const QString& path, const QString& title);
