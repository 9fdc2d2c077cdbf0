#pragma once

#include <optional>
#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The suite's programs hand text to a running copy of one another over a
// local socket of that copy. The socket belongs to the user and is named after
// the program's base name (see PoolSocketName). A message is
//   the code, 32-bit little-endian;
//   the block: n, 32-bit little-endian, then the n bytes of the 8-bit text
//   (UTF-8), without terminator.
// A connection may carry several messages one after another.

// The code of the message that hands a running program the argument text it
// would otherwise have been started with.
inline constexpr quint32 PoolArgumentsCode = 3;

// Texts longer than this are not accepted; a connection announcing one is
// dropped.
inline constexpr quint32 MaxPoolTextLength = 16 * 1024 * 1024;

// A program's base name: its file name without folder and without the last
// extension ("/opt/Brennick/Pelorus/Pelorus" and "Pelorus.exe" give "Pelorus").
QString ProgramBaseName(const QString& path);

// The full path of the socket of a program, per user: in the user's runtime
// folder ($XDG_RUNTIME_DIR, else a private folder of the user's own), named
// "nq-message-pool-<user id>-<base name>". The user id keeps users apart even
// where the fallback folder is shared.
QString PoolSocketName(const QString& baseName);

QByteArray EncodePoolMessage(quint32 code, const QByteArray& text);

struct TPoolMessage {
    quint32 Code = 0;
    QByteArray Text;
};

// Takes the bytes of a connection as they arrive and hands out complete
// messages.
class TPoolMessageReader {
public:
    void Append(const QByteArray& bytes);
    // The next complete message, if one has arrived.
    std::optional<TPoolMessage> Next();
    // True after a message announced a text longer than MaxPoolTextLength;
    // nothing more is read from the connection then.
    bool Failed() const { return Failed_; }
    // Bytes received that are not yet part of a complete message.
    qsizetype Pending() const { return Buffer_.size(); }

private:
    QByteArray Buffer_;
    bool Failed_ = false;
};
