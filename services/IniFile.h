#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Classic INI files: "[Section]" lines open a section, "Name=Value" lines give
// values. Section and value names match without regard to letter case; values
// are trimmed and cut at 2047 characters; the first of repeated names wins.
// A file that is not valid UTF-8 is read as Windows-1252.
//
// The object holds only the file name: every read goes to the file, and a
// missing file, section or value gives the caller's default.
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

    static constexpr std::size_t MaxValueLength = 2047;

private:
    std::string FileName_;
};
