#pragma once

#include "report/PageEngine.h"

#include <QString>

// Writes the report the engine's hooks describe to a file: a PDF (vector
// text, A4 pages) for a name ending in ".pdf", else a GIF picture of all
// preview pages one under the other for ".gif". Returns the reason of a
// failure, empty on success.
QString WriteReportFile(TPageEngine& engine, const QString& path, const QString& title);
