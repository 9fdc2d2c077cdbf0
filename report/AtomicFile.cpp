#include "report/AtomicFile.h"

#include "common/FileKind.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

QString NotAFileToWrite(const QString& path)
{
    return QString::fromStdString(NotARegularFile(QFile::encodeName(path).toStdString()));
}

QString WriteFileAtomically(const QString& path, const std::function<QString(QIODevice&)>& write)
{
    if (const QString refused = NotAFileToWrite(path); !refused.isEmpty())
        return QStringLiteral("Not written: the path ") + refused;

    // The bytes are made in memory first: a failure to make them leaves no
    // trace on disk, and the one write below tells the system's reason
    // exactly when the disk or a file-size limit cuts it short.
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (const QString failure = write(bytes); !failure.isEmpty())
        return failure;
    bytes.close();

    QSaveFile file(path);
    // No writing straight into the target when no temporary file can be made
    // beside it: that is the half-written file this exists to prevent.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A write cut short by the disk or a file-size limit returns what got
    // through without a reason; writing the rest then fails with the system's.
    const QByteArray& data = bytes.data();
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 count = file.write(data.constData() + written, data.size() - written);
        if (count <= 0)
            break;
        written += count;
    }
    if (written != data.size() || file.error() != QFileDevice::NoError) {
        // Read now: cancelling removes the temporary file and with it the
        // reason the device gave.
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
