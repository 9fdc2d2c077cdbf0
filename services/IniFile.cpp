#include "services/IniFile.h"

#include "common/CheckedMath.h"
#include "common/Cp1252.h"
#include "common/Errors.h"
#include "common/TextToNumber.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string Trim(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool IsBlankName(const std::string& name)
{
    return Trim(name).empty();
}

// Cuts a UTF-8 text after `count` characters.
std::string CutCharacters(const std::string& text, std::size_t count)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == count)
                return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

struct TParsedSection {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Values;
};

// Reads the whole file into sections; values of a repeated section are
// appended to its first occurrence.
std::vector<TParsedSection> ParseFile(const std::string& fileName)
{
    std::vector<TParsedSection> sections;
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return sections;
    std::ostringstream buffer;
    buffer << file.rdbuf();
    std::istringstream lines(ExternalTextToUtf8(buffer.str()));
    std::string line;
    TParsedSection* current = nullptr;
    while (std::getline(lines, line)) {
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == ';')
            continue;
        if (trimmed[0] == '[') {
            const auto close = trimmed.find(']');
            const std::string name =
                Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            auto found =
                std::find_if(sections.begin(), sections.end(),
                             [&](const TParsedSection& s) { return SameText(s.Name, name); });
            if (found == sections.end()) {
                sections.push_back({name, {}});
                current = &sections.back();
            } else {
                current = &*found;
            }
            continue;
        }
        if (current == nullptr)
            continue;
        const auto equals = trimmed.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = Trim(trimmed.substr(0, equals));
        if (name.empty())
            continue;
        const bool known = std::any_of(current->Values.begin(), current->Values.end(),
                                       [&](const auto& v) { return SameText(v.first, name); });
        if (!known)
            current->Values.emplace_back(
                name, CutCharacters(Trim(trimmed.substr(equals + 1)), IniFile::MaxValueLength));
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
            const char c = Lower(trimmed[i]);
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
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
    const auto value = TryTextToFloat(text);
    if (!value)
        return std::nullopt;
    try {
        return Checked::ToDouble(*value);
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
        result.Values = found->Values;
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
