#include "report/TextFileLines.h"

#include "common/Cp1252.h"

#include <fstream>
#include <QFileInfo>
#include <string>
#include <string_view>

namespace {

// The length of the bytes without a UTF-8 character cut off at their end.
std::size_t WholeCharacters(std::string_view bytes)
{
    std::size_t at = bytes.size();
    for (int back = 0; back < 4 && at > 0; ++back) {
        --at;
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: its lead byte is further back
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return at + length <= bytes.size() ? bytes.size() : at;
    }
    return bytes.size();
}

// Where line `count` + 1 starts, or the end when there are no more lines.
std::size_t EndOfLines(std::string_view bytes, qsizetype count)
{
    std::size_t at = 0;
    for (qsizetype line = 0; line < count && at < bytes.size(); ++line) {
        const std::size_t end = bytes.find('\n', at);
        at = end == std::string_view::npos ? bytes.size() : end + 1;
    }
    return at;
}

QString KiloBytes(std::size_t bytes)
{
    return QString::number(static_cast<qulonglong>(bytes / 1024)) + QStringLiteral(" KB");
}

} // namespace

TTextFileLines ReadTextLines(const QString& path, qsizetype maxLines, std::size_t maxBytes)
{
    TTextFileLines result;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return result;
    std::ifstream file(path.toStdString(), std::ios::binary);
    // One byte more than is kept tells whether the file goes on.
    std::string bytes(maxBytes + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    if (bytes.size() > maxBytes) {
        bytes.resize(maxBytes);
        const std::size_t lastEnd = bytes.rfind('\n');
        bytes.resize(lastEnd != std::string::npos ? lastEnd + 1 : WholeCharacters(bytes));
        result.CutTo = QStringLiteral("its first ") + KiloBytes(maxBytes);
    }
    const std::size_t end = EndOfLines(bytes, maxLines);
    if (end < bytes.size()) {
        bytes.resize(end);
        result.CutTo = QStringLiteral("its first %1 lines").arg(maxLines);
    }
    const std::string text = ExternalTextToUtf8(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t stop = text.find('\n', start);
        const std::size_t next = stop == std::string::npos ? text.size() : stop + 1;
        if (stop == std::string::npos)
            stop = text.size();
        if (stop > start && text[stop - 1] == '\r')
            --stop;
        result.Lines.append(QString::fromStdString(text.substr(start, stop - start)));
        start = next;
    }
    return result;
}
