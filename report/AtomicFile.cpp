#include "report/AtomicFile.h"

#include <QSaveFile>

QString WriteFileAtomically(const QString& path, const std::function<QString(QIODevice&)>& write)
{
    QSaveFile file(path);
    // No writing straight into the target when no temporary file can be made
    // beside it: that is the half-written file this exists to prevent.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QString failure = write(file);
    if (!failure.isEmpty() || file.error() != QFileDevice::NoError) {
        // The device's own error says why the bytes did not get through.
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : failure;
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
