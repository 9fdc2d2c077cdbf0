#include "services/IniFile.h"

#include "common/CheckedMath.h"
#include "common/Cp1252.h"
#include "common/Errors.h"
#include "common/Text.h"
#include "common/TextToNumber.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool IsBlankName(const std::string& name)
{
    return Trim(name).empty();
}

// What one line of an INI file is. Blank lines, comments (";") and lines
// without "=" or without a name carry nothing.
enum class TLineKind { Nothing, Section, Value };

struct TLine {
    TLineKind Kind = TLineKind::Nothing;
    std::string Name;
    std::string Value;          // trimmed, not cut
    std::size_t ValueStart = 0; // where the value part begins (after "=")
};

TLine ClassifyLine(const std::string& line)
{
    TLine result;
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';')
        return result;
    if (trimmed[0] == '[') {
        const auto close = trimmed.find(']');
        result.Kind = TLineKind::Section;
        result.Name =
            Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return result;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos)
        return result;
    result.Name = Trim(line.substr(0, equals));
    if (result.Name.empty())
        return result;
    result.Kind = TLineKind::Value;
    result.Value = Trim(line.substr(equals + 1));
    result.ValueStart = equals + 1;
    return result;
}

struct TParsedSection {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Values;
};

// The file's bytes; nothing when it cannot be read, and nothing for what is
// not a regular file (a FIFO would block the reader, a device never ends).
std::optional<std::string> ReadWholeFile(const std::string& fileName)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error))
        return std::nullopt;
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream buffer;
    buffer << file.rdbuf();
    if (file.bad())
        return std::nullopt;
    return buffer.str();
}

// The file's lines as UTF-8 text, each without its "\n" (a "\r" before it
// stays part of the line).
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Reads the whole file into sections; values of a repeated section are
// appended to its first occurrence, and the first of repeated value names
// wins. Values are not cut here. Names are found again through hash tables
// of their folded text, so that a file of many sections reads in linear time.
std::vector<TParsedSection> ParseFile(const std::string& fileName)
{
    std::vector<TParsedSection> sections;
    const auto content = ReadWholeFile(fileName);
    if (!content)
        return sections;
    std::unordered_map<std::string, std::size_t> sectionAt;
    std::vector<std::unordered_set<std::string>> valueNames;
    std::optional<std::size_t> current;
    for (const std::string& line : SplitLines(ExternalTextToUtf8(*content))) {
        TLine parsed = ClassifyLine(line);
        if (parsed.Kind == TLineKind::Section) {
            const auto [at, added] =
                sectionAt.try_emplace(FoldedText(parsed.Name), sections.size());
            if (added) {
                sections.push_back({std::move(parsed.Name), {}});
                valueNames.emplace_back();
            }
            current = at->second;
        } else if (parsed.Kind == TLineKind::Value && current) {
            if (valueNames[*current].insert(FoldedText(parsed.Name)).second)
                sections[*current].Values.emplace_back(std::move(parsed.Name),
                                                       std::move(parsed.Value));
        }
    }
    return sections;
}

const TParsedSection* FindSection(const std::vector<TParsedSection>& sections,
                                  const std::string& name)
{
    const std::string wanted = Trim(name);
    for (const auto& section : sections)
        if (SameText(section.Name, wanted))
            return &section;
    return nullptr;
}

} // namespace

IniFile::IniFile(std::string fileName) : FileName_(std::move(fileName)) {}

std::optional<std::int32_t> IniFile::ParseInteger(const std::string& text)
{
    const std::string trimmed = Trim(text);
    if (trimmed.size() > 2 && trimmed[0] == '0' && (trimmed[1] == 'x' || trimmed[1] == 'X')) {
        unsigned long long value = 0;
        for (std::size_t i = 2; i < trimmed.size(); ++i) {
            const char c = trimmed[i];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return std::nullopt;
            value = value * 16 + static_cast<unsigned>(digit);
            if (value > 0xFFFFFFFFULL)
                return std::nullopt;
        }
        // Eight hexadecimal digits give the full 32-bit pattern.
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    return TryTextToInt(trimmed);
}

std::optional<double> IniFile::ParseFloat(const std::string& text)
{
    try {
        return TextToDouble(text);
    } catch (const EVelloxError&) {
        return std::nullopt;
    }
}

std::optional<std::string> IniFile::TSection::Find(const std::string& name) const
{
    const std::string wanted = Trim(name);
    if (wanted.empty())
        return std::nullopt;
    for (const auto& [key, value] : Values)
        if (SameText(key, wanted))
            return value;
    return std::nullopt;
}

std::string IniFile::TSection::ReadString(const std::string& name,
                                          const std::string& defaultValue) const
{
    return Find(name).value_or(defaultValue);
}

std::int32_t IniFile::TSection::ReadInteger(const std::string& name,
                                            std::int32_t defaultValue) const
{
    const auto text = Find(name);
    if (!text)
        return defaultValue;
    return ParseInteger(*text).value_or(defaultValue);
}

double IniFile::TSection::ReadFloat(const std::string& name, double defaultValue) const
{
    const auto text = Find(name);
    if (!text || text->empty())
        return defaultValue;
    return ParseFloat(*text).value_or(defaultValue);
}

IniFile::TSection IniFile::ReadSectionMap(const std::string& section) const
{
    TSection result;
    if (IsBlankName(section))
        return result;
    const auto sections = ParseFile(FileName_);
    if (const auto* found = FindSection(sections, section))
        for (const auto& [name, value] : found->Values)
            result.Values.emplace_back(name, CutCharacters(value, MaxValueLength));
    return result;
}

std::string IniFile::ReadString(const std::string& section, const std::string& name,
                                const std::string& defaultValue) const
{
    if (IsBlankName(section) || IsBlankName(name))
        return defaultValue;
    return ReadSectionMap(section).ReadString(name, defaultValue);
}

std::int32_t IniFile::ReadInteger(const std::string& section, const std::string& name,
                                  std::int32_t defaultValue) const
{
    if (IsBlankName(section) || IsBlankName(name))
        return defaultValue;
    return ReadSectionMap(section).ReadInteger(name, defaultValue);
}

bool IniFile::ReadBool(const std::string& section, const std::string& name, bool defaultValue) const
{
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

double IniFile::ReadFloat(const std::string& section, const std::string& name,
                          double defaultValue) const
{
    if (IsBlankName(section) || IsBlankName(name))
        return defaultValue;
    return ReadSectionMap(section).ReadFloat(name, defaultValue);
}

std::vector<std::string> IniFile::ReadSections() const
{
    std::vector<std::string> names;
    for (const auto& section : ParseFile(FileName_))
        names.push_back(section.Name);
    return names;
}

std::vector<std::string> IniFile::ReadSection(const std::string& section) const
{
    std::vector<std::string> names;
    for (const auto& [key, value] : ReadSectionMap(section).Values)
        names.push_back(key);
    return names;
}

std::vector<std::string> IniFile::ReadSectionValues(const std::string& section) const
{
    std::vector<std::string> lines;
    for (const auto& [key, value] : ReadSectionMap(section).Values)
        lines.push_back(key + "=" + value);
    return lines;
}

bool IniFile::SectionExists(const std::string& section) const
{
    return !ReadSectionMap(section).Empty();
}

// ---------------------------------------------------------------------------
// Dates, times, floating values and byte streams as text

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads exactly `count` digits at `pos`.
std::optional<int> Digits(const std::string& text, std::size_t pos, std::size_t count)
{
    if (pos + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (!IsDigit(text[i]))
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::string Padded(long long value, int width)
{
    std::string digits = std::to_string(value);
    if (digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

constexpr std::chrono::milliseconds OneDay = std::chrono::hours(24);

// "YYYY-MM-DD" at the start of the text; the rest is left to the caller.
std::optional<TIniDate> DatePart(const std::string& text)
{
    const auto year = Digits(text, 0, 4);
    const auto month = Digits(text, 5, 2);
    const auto day = Digits(text, 8, 2);
    if (!year || !month || !day || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const TIniDate date{std::chrono::year(*year), std::chrono::month(static_cast<unsigned>(*month)),
                        std::chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok())
        return std::nullopt;
    return date;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<TIniDate> IniFile::ParseDate(const std::string& text)
{
    const std::string trimmed = Trim(text);
    if (trimmed.size() != 10)
        return std::nullopt;
    return DatePart(trimmed);
}

std::optional<TIniTime> IniFile::ParseTime(const std::string& text)
{
    const std::string trimmed = Trim(text);
    const auto hours = Digits(trimmed, 0, 2);
    const auto minutes = Digits(trimmed, 3, 2);
    if (!hours || !minutes || trimmed[2] != ':' || *hours > 23 || *minutes > 59)
        return std::nullopt;
    int seconds = 0;
    int milliseconds = 0;
    std::size_t pos = 5;
    if (pos < trimmed.size()) {
        const auto secondDigits = Digits(trimmed, pos + 1, 2);
        if (trimmed[pos] != ':' || !secondDigits || *secondDigits > 59)
            return std::nullopt;
        seconds = *secondDigits;
        pos += 3;
        if (pos < trimmed.size()) {
            const std::size_t fraction = trimmed.size() - pos - 1;
            if (trimmed[pos] != '.' || fraction < 1 || fraction > 3)
                return std::nullopt;
            const auto digits = Digits(trimmed, pos + 1, fraction);
            if (!digits)
                return std::nullopt;
            milliseconds = *digits * (fraction == 1 ? 100 : fraction == 2 ? 10 : 1);
            pos = trimmed.size();
        }
    }
    return std::chrono::hours(*hours) + std::chrono::minutes(*minutes) +
           std::chrono::seconds(seconds) + std::chrono::milliseconds(milliseconds);
}

std::optional<TIniDateTime> IniFile::ParseDateTime(const std::string& text)
{
    const std::string trimmed = Trim(text);
    const auto date = DatePart(trimmed);
    if (!date)
        return std::nullopt;
    TIniTime time{0};
    if (trimmed.size() > 10) {
        if (trimmed[10] != 'T' && trimmed[10] != 't' && trimmed[10] != ' ')
            return std::nullopt;
        const auto timePart = ParseTime(trimmed.substr(11));
        if (!timePart || trimmed.size() == 11)
            return std::nullopt;
        time = *timePart;
    }
    return TIniDateTime(std::chrono::local_days(*date)) + time;
}

std::optional<std::vector<std::uint8_t>> IniFile::ParseHex(const std::string& text)
{
    const std::string trimmed = Trim(text);
    if (trimmed.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(trimmed.size() / 2);
    for (std::size_t i = 0; i < trimmed.size(); i += 2) {
        const int high = HexDigit(trimmed[i]);
        const int low = HexDigit(trimmed[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::string IniFile::FloatText(double value)
{
    char buffer[64];
    // The shortest text that gives the same double back through our reader,
    // else seventeen significant digits, which always do.
    auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
    std::string text(buffer, result.ptr);
    if (!std::isfinite(value))
        return text;
    const auto back = ParseFloat(text);
    if (back && std::bit_cast<std::uint64_t>(*back) == std::bit_cast<std::uint64_t>(value))
        return text;
    result =
        std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

std::string IniFile::DateText(TIniDate value)
{
    const int year = static_cast<int>(value.year());
    if (!value.ok() || year < 0 || year > 9999)
        throw EConvertError("Invalid date");
    return Padded(year, 4) + "-" + Padded(static_cast<unsigned>(value.month()), 2) + "-" +
           Padded(static_cast<unsigned>(value.day()), 2);
}

std::string IniFile::TimeText(TIniTime value)
{
    if (value < TIniTime::zero() || value >= OneDay)
        throw EConvertError("Invalid time");
    const std::chrono::hh_mm_ss<TIniTime> parts(value);
    std::string text = Padded(parts.hours().count(), 2) + ":" + Padded(parts.minutes().count(), 2) +
                       ":" + Padded(parts.seconds().count(), 2);
    if (parts.subseconds().count() != 0)
        text += "." + Padded(parts.subseconds().count(), 3);
    return text;
}

std::string IniFile::DateTimeText(TIniDateTime value)
{
    const auto day = std::chrono::floor<std::chrono::days>(value);
    return DateText(TIniDate(day)) + "T" + TimeText(value - day);
}

TIniDate IniFile::ReadDate(const std::string& section, const std::string& name,
                           TIniDate defaultValue) const
{
    return ParseDate(ReadString(section, name, "")).value_or(defaultValue);
}

TIniDateTime IniFile::ReadDateTime(const std::string& section, const std::string& name,
                                   TIniDateTime defaultValue) const
{
    return ParseDateTime(ReadString(section, name, "")).value_or(defaultValue);
}

TIniTime IniFile::ReadTime(const std::string& section, const std::string& name,
                           TIniTime defaultValue) const
{
    return ParseTime(ReadString(section, name, "")).value_or(defaultValue);
}

std::vector<std::uint8_t> IniFile::ReadBinaryStream(const std::string& section,
                                                    const std::string& name) const
{
    if (IsBlankName(section) || IsBlankName(name))
        return {};
    const auto sections = ParseFile(FileName_);
    const auto* found = FindSection(sections, section);
    if (found == nullptr)
        return {};
    const std::string wanted = Trim(name);
    for (const auto& [key, value] : found->Values)
        if (SameText(key, wanted))
            return ParseHex(value).value_or(std::vector<std::uint8_t>{});
    return {};
}

// ---------------------------------------------------------------------------
// Writing

namespace {

bool HasLineBreak(const std::string& text)
{
    return text.find_first_of("\r\n") != std::string::npos;
}

// The lines of a file being changed. Each line is kept as it was read, a
// "\r" before its "\n" included, so that untouched lines are written back
// byte for byte.
struct TIniText {
    std::vector<std::string> Lines;
    bool FinalNewline = false;
    std::string Cr; // "\r" when the file ends its lines with CRLF

    std::string NewLine(const std::string& text) const { return text + Cr; }
    std::string Joined() const
    {
        std::string text;
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            if (i > 0)
                text += '\n';
            text += Lines[i];
        }
        if (FinalNewline && !Lines.empty())
            text += '\n';
        return text;
    }
};

[[noreturn]] void UnableToWrite(const std::string& fileName)
{
    throw EVelloxError("Unable to write to " + fileName);
}

TIniText LoadText(const std::string& fileName)
{
    namespace fs = std::filesystem;
    TIniText text;
    std::error_code error;
    const auto status = fs::status(fileName, error);
    if (status.type() == fs::file_type::not_found)
        return text;
    if (error || status.type() != fs::file_type::regular)
        UnableToWrite(fileName);
    // What cannot be read cannot be kept: the file is left alone.
    const auto content = ReadWholeFile(fileName);
    if (!content)
        UnableToWrite(fileName);
    const std::string utf8 = ExternalTextToUtf8(*content);
    text.Lines = SplitLines(utf8);
    text.FinalNewline = !utf8.empty() && utf8.back() == '\n';
    if (!text.Lines.empty() && !text.Lines.front().empty() && text.Lines.front().back() == '\r')
        text.Cr = "\r";
    return text;
}

// Replaces the file with the text: written to a temporary file in the same
// folder, flushed to the disk and renamed over the old file, so that the file
// is always either the old or the new one. A link is followed and the file's
// permissions are kept.
void ReplaceFile(const std::string& fileName, const std::string& content)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target = fileName;
    if (fs::is_symlink(target, error)) {
        target = fs::canonical(target, error);
        if (error)
            UnableToWrite(fileName);
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string hiddenName = ".";
    hiddenName += target.filename().string();
    hiddenName += ".XXXXXX";
    std::string temporary = (folder / hiddenName).string();
#if defined(__unix__) || defined(__APPLE__)
    const int handle = ::mkstemp(temporary.data());
    if (handle < 0)
        UnableToWrite(fileName);
    struct stat old {};
    mode_t mode;
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool written = ::fchmod(handle, mode) == 0;
    for (std::size_t done = 0; written && done < content.size();) {
        const ssize_t count = ::write(handle, content.data() + done, content.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        written = count > 0;
        if (written)
            done += static_cast<std::size_t>(count);
    }
    written = written && ::fsync(handle) == 0;
    written = ::close(handle) == 0 && written;
#else
    temporary.replace(temporary.size() - 6, 6, "vellox");
    bool written = false;
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        written = file && (file << content) && file.flush();
    }
#endif
    if (written)
        fs::rename(temporary, target, error);
    if (!written || error) {
        fs::remove(temporary, error);
        UnableToWrite(fileName);
    }
}

} // namespace

void IniFile::WriteString(const std::string& section, const std::string& name,
                          const std::string& value)
{
    const std::string sectionName = Trim(section);
    const std::string valueName = Trim(name);
    if (sectionName.empty() || valueName.empty() || HasLineBreak(section) ||
        sectionName.find(']') != std::string::npos || HasLineBreak(name) ||
        valueName.find('=') != std::string::npos || valueName[0] == '[' || valueName[0] == ';' ||
        HasLineBreak(value))
        UnableToWrite(FileName_);

    TIniText text = LoadText(FileName_);
    const std::string line = valueName + "=" + value;
    bool inSection = false;
    bool inFirstPart = false; // the first "[Section]" of that name and its lines
    std::optional<std::size_t> firstHeader;
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < text.Lines.size(); ++i) {
        const TLine parsed = ClassifyLine(text.Lines[i]);
        if (parsed.Kind == TLineKind::Section) {
            inSection = SameText(parsed.Name, sectionName);
            inFirstPart = inSection && !firstHeader;
            if (inFirstPart) {
                firstHeader = i;
                insertAt = i + 1;
            }
        } else if (parsed.Kind == TLineKind::Value && inSection) {
            if (SameText(parsed.Name, valueName)) {
                // The value the reader finds: replaced in place, keeping the
                // line's own spelling of the name and its line end.
                std::string& old = text.Lines[i];
                const bool cr = !old.empty() && old.back() == '\r';
                old = old.substr(0, parsed.ValueStart) + value + (cr ? "\r" : "");
                ReplaceFile(FileName_, text.Joined());
                return;
            }
            if (inFirstPart)
                insertAt = i + 1;
        }
    }
    if (firstHeader) {
        text.Lines.insert(text.Lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                          text.NewLine(line));
    } else {
        if (!text.Lines.empty() && !Trim(text.Lines.back()).empty())
            text.Lines.push_back(text.NewLine(""));
        text.Lines.push_back(text.NewLine("[" + sectionName + "]"));
        text.Lines.push_back(text.NewLine(line));
    }
    text.FinalNewline = true;
    ReplaceFile(FileName_, text.Joined());
}

void IniFile::WriteInteger(const std::string& section, const std::string& name, std::int32_t value)
{
    WriteString(section, name, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& name, bool value)
{
    WriteString(section, name, value ? "1" : "0");
}

void IniFile::WriteFloat(const std::string& section, const std::string& name, double value)
{
    WriteString(section, name, FloatText(value));
}

void IniFile::WriteDate(const std::string& section, const std::string& name, TIniDate value)
{
    WriteString(section, name, DateText(value));
}

void IniFile::WriteDateTime(const std::string& section, const std::string& name, TIniDateTime value)
{
    WriteString(section, name, DateTimeText(value));
}

void IniFile::WriteTime(const std::string& section, const std::string& name, TIniTime value)
{
    WriteString(section, name, TimeText(value));
}

void IniFile::WriteBinaryStream(const std::string& section, const std::string& name,
                                const std::vector<std::uint8_t>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    WriteString(section, name, text);
}

namespace {

// Drops the lines of a section (every part of it, where it is repeated) that
// `drop` picks, and rewrites the file when any went.
template <typename F>
void RemoveSectionLines(const std::string& fileName, const std::string& sectionName, F&& drop)
{
    TIniText text = LoadText(fileName);
    bool inSection = false;
    bool changed = false;
    std::vector<std::string> kept;
    for (const std::string& line : text.Lines) {
        const TLine parsed = ClassifyLine(line);
        if (parsed.Kind == TLineKind::Section)
            inSection = SameText(parsed.Name, sectionName);
        if (inSection && drop(parsed))
            changed = true;
        else
            kept.push_back(line);
    }
    if (!changed)
        return;
    text.Lines = std::move(kept);
    ReplaceFile(fileName, text.Joined());
}

} // namespace

void IniFile::EraseSection(const std::string& section)
{
    const std::string sectionName = Trim(section);
    if (sectionName.empty() || HasLineBreak(section))
        UnableToWrite(FileName_);
    RemoveSectionLines(FileName_, sectionName, [](const TLine&) { return true; });
}

void IniFile::DeleteKey(const std::string& section, const std::string& name)
{
    const std::string sectionName = Trim(section);
    const std::string valueName = Trim(name);
    if (sectionName.empty() || valueName.empty())
        return;
    RemoveSectionLines(FileName_, sectionName, [&](const TLine& line) {
        return line.Kind == TLineKind::Value && SameText(line.Name, valueName);
    });
}
