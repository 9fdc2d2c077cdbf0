#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Date and time values of INI files. A time is the time of day, counted from
// midnight.
using TIniDate = std::chrono::year_month_day;
using TIniDateTime = std::chrono::local_time<std::chrono::milliseconds>;
using TIniTime = std::chrono::milliseconds;

// Classic INI files: "[Section]" lines open a section, "Name=Value" lines give
// values. Section and value names match without regard to letter case; values
// are trimmed and cut at 2047 characters; the first of repeated names wins.
// A file that is not valid UTF-8 is read as Windows-1252.
//
// The object holds only the file name: every read goes to the file, and a
// missing file, section or value gives the caller's default.
//
// Every write goes to the file at once and keeps the rest of it as it was
// (other sections and values, comments, blank lines, order, line ends). A
// changed value is replaced where the reader finds it; a new value goes
// after the last value of its section; a new section goes at the end. The
// file is replaced whole (a temporary file beside it, renamed over it), so a
// failed write leaves the old file intact. A file in Windows-1252 is written
// back in UTF-8, the text the reader makes of it. A write that cannot be
// done raises EVelloxError "Unable to write to <file name>": also one with a
// blank section or value name, a section name with "]", a value name with
// "=" or starting with "[" or ";", or a line break in any of them or in the
// value, none of which the reader could give back.
//
// Text forms: integers decimal; Booleans "0" and "1"; floating values with
// "." and as few digits as give the same double back ("inf" and "nan" for
// values that are not finite; they read as the default); dates
// "2024-03-05", times "14:30:00" (".250" added for milliseconds), date-times
// "2024-03-05T14:30:00" (a blank in place of the "T" is read too); byte
// streams two upper-case hexadecimal digits per byte.
class IniFile {
public:
    explicit IniFile(std::string fileName);

    const std::string& FileName() const { return FileName_; }

    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) const;
    // Decimal, or hexadecimal after "0x"/"0X"; the default when it does not parse.
    std::int32_t ReadInteger(const std::string& section, const std::string& name,
                             std::int32_t defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& name, bool defaultValue) const;
    // "." is the decimal separator; empty or unreadable text gives the default.
    double ReadFloat(const std::string& section, const std::string& name,
                     double defaultValue) const;

    // A date, date-time or time; an empty or unreadable text gives the default.
    TIniDate ReadDate(const std::string& section, const std::string& name,
                      TIniDate defaultValue) const;
    TIniDateTime ReadDateTime(const std::string& section, const std::string& name,
                              TIniDateTime defaultValue) const;
    TIniTime ReadTime(const std::string& section, const std::string& name,
                      TIniTime defaultValue) const;
    // The bytes of a hex-coded value (not cut at 2047 characters); empty when
    // the value is missing or is not pairs of hexadecimal digits.
    std::vector<std::uint8_t> ReadBinaryStream(const std::string& section,
                                               const std::string& name) const;

    void WriteString(const std::string& section, const std::string& name, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& name, std::int32_t value);
    void WriteBool(const std::string& section, const std::string& name, bool value);
    void WriteFloat(const std::string& section, const std::string& name, double value);
    // EConvertError for a date outside the years 0 to 9999 or a time outside
    // one day.
    void WriteDate(const std::string& section, const std::string& name, TIniDate value);
    void WriteDateTime(const std::string& section, const std::string& name, TIniDateTime value);
    void WriteTime(const std::string& section, const std::string& name, TIniTime value);
    void WriteBinaryStream(const std::string& section, const std::string& name,
                           const std::vector<std::uint8_t>& bytes);

    // Removes every "[Section]" of that name with its lines.
    void EraseSection(const std::string& section);
    // Removes the value from every part of its section.
    void DeleteKey(const std::string& section, const std::string& name);
    // Writes go to the file at once: nothing is left to flush.
    void UpdateFile() {}

    // Section names in file order (repeats listed once).
    std::vector<std::string> ReadSections() const;
    // Value names of a section in file order; empty for a blank section name.
    std::vector<std::string> ReadSection(const std::string& section) const;
    // "Name=Value" lines of a section in file order.
    std::vector<std::string> ReadSectionValues(const std::string& section) const;
    // A section exists when it holds at least one value.
    bool SectionExists(const std::string& section) const;

    // All values of one section, read in one pass of the file.
    class TSection {
    public:
        std::optional<std::string> Find(const std::string& name) const;
        std::string ReadString(const std::string& name, const std::string& defaultValue) const;
        std::int32_t ReadInteger(const std::string& name, std::int32_t defaultValue) const;
        double ReadFloat(const std::string& name, double defaultValue) const;
        bool Empty() const { return Values.empty(); }

        std::vector<std::pair<std::string, std::string>> Values; // file order
    };
    TSection ReadSectionMap(const std::string& section) const;

    // The conversions of value text, shared with other readers of the same rules.
    static std::optional<std::int32_t> ParseInteger(const std::string& text);
    static std::optional<double> ParseFloat(const std::string& text);
    static std::optional<TIniDate> ParseDate(const std::string& text);
    static std::optional<TIniDateTime> ParseDateTime(const std::string& text);
    static std::optional<TIniTime> ParseTime(const std::string& text);
    static std::optional<std::vector<std::uint8_t>> ParseHex(const std::string& text);
    static std::string FloatText(double value);
    static std::string DateText(TIniDate value);
    static std::string DateTimeText(TIniDateTime value);
    static std::string TimeText(TIniTime value);

    static constexpr std::size_t MaxValueLength = 2047;

private:
    std::string FileName_;
};
