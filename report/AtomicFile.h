#pragma once

#include <functional>
#include <QString>

class QIODevice;

// Writes a file whole or not at all: `write` fills a temporary file beside
// `path`, which is renamed over `path` once complete, so that a reader never
// sees half a file and a failure leaves whatever was at `path` before (or
// nothing). `write` returns the reason it failed, empty on success. Returns
// the reason of a failure, the system's own text where the system refused
// ("Permission denied", "No space left on device"), empty on success.
QString WriteFileAtomically(const QString& path, const std::function<QString(QIODevice&)>& write);
