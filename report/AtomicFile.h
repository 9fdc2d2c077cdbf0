#pragma once

#include <functional>
#include <QString>

class QIODevice;

// Writes a file whole or not at all: `write` fills the file's bytes in
// memory, which then go into a temporary file beside `path` that is renamed
// over `path` once complete, so that a reader never sees half a file and a
// failure leaves whatever was at `path` before (or nothing). `write` returns
// the reason it failed, empty on success. A path that names something other
// than a regular file (a folder, a device, a FIFO, also through a link) is
// refused, never replaced. Returns the reason of a failure, the system's own
// text where the system refused ("Permission denied", "No space left on
// device", "File too large"), empty on success.
QString WriteFileAtomically(const QString& path, const std::function<QString(QIODevice&)>& write);

// Why a file may not be written at `path`, empty when it may: what
// NotARegularFile says ("is a folder", "is a device", "is a FIFO", …) of
// something that exists and is no regular file once links are followed.
QString NotAFileToWrite(const QString& path);
