#include "services/PoolMessage.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>
#include <unistd.h>

namespace {

constexpr qsizetype HeaderSize = 8; // code and length

// The four bytes at `at` as a little-endian number, read byte by byte (the
// caller has checked that they are there).
quint32 LittleEndian32(const QByteArray& bytes, qsizetype at)
{
    quint32 value = 0;
    for (qsizetype i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

} // namespace

QString ProgramBaseName(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}

QString PoolSocketName(const QString& baseName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(
        QStringLiteral("nq-message-pool-%1-%2").arg(::getuid()).arg(baseName));
}

QByteArray EncodePoolMessage(quint32 code, const QByteArray& text)
{
    QByteArray message(HeaderSize, '\0');
    qToLittleEndian<quint32>(code, message.data());
    qToLittleEndian<quint32>(static_cast<quint32>(text.size()), message.data() + 4);
    message.append(text);
    return message;
}

void TPoolMessageReader::Append(const QByteArray& bytes)
{
    if (!Failed_)
        Buffer_.append(bytes);
}

std::optional<TPoolMessage> TPoolMessageReader::Next()
{
    if (Failed_ || Buffer_.size() < HeaderSize)
        return std::nullopt;
    const quint32 code = LittleEndian32(Buffer_, 0);
    const quint32 length = LittleEndian32(Buffer_, 4);
    if (length > MaxPoolTextLength) {
        Failed_ = true;
        Buffer_.clear();
        return std::nullopt;
    }
    if (Buffer_.size() - HeaderSize < static_cast<qsizetype>(length))
        return std::nullopt;
    TPoolMessage message{code, Buffer_.mid(HeaderSize, length)};
    Buffer_.remove(0, HeaderSize + length);
    return message;
}
