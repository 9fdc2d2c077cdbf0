#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

// The version block every program file of the suite carries in its ELF
// section ".vellox_version", written at build time.
//
// The block is a tree of nodes. Each node starts on a 4-byte boundary of the
// block and holds, all numbers 16-bit little-endian:
//   the length of the node in bytes, its children included;
//   the length of its value in bytes;
//   the type of its value: 0 binary, 1 text (8-bit, NUL-terminated);
//   its key, 8-bit and NUL-terminated, then padding to a 4-byte boundary;
//   its value, then padding to a 4-byte boundary;
//   its child nodes.
// The root "VS_VERSION_INFO" holds the 52-byte fixed file information as its
// value. Its children are "StringFileInfo", with one string table per
// language and code page (its key is both as four hexadecimal digits each,
// "040904e4"), and "VarFileInfo", whose "Translation" lists the language and
// code page pairs (16-bit language, then 16-bit code page).
namespace VersionBlock {

inline constexpr std::string_view SectionName = ".vellox_version";
inline constexpr std::string_view RootKey = "VS_VERSION_INFO";

inline constexpr std::uint16_t BinaryValue = 0;
inline constexpr std::uint16_t TextValue = 1;

// The program's texts are written for US English in the Windows Latin-1 code
// page, the pair the suite's programs have always declared.
inline constexpr std::uint16_t LanguageUsEnglish = 0x0409;
inline constexpr std::uint16_t CodePageLatin1 = 0x04E4;

inline constexpr std::uint32_t FixedSignature = 0xFEEF04BDu;
inline constexpr std::uint32_t FixedStructVersion = 0x00010000u;
inline constexpr std::size_t FixedInfoSize = 52;
inline constexpr std::uint32_t FileTypeApplication = 1;

// The fixed file information: thirteen 32-bit little-endian numbers.
struct TFixedFileInfo {
    std::uint32_t Signature = FixedSignature;
    std::uint32_t StructVersion = FixedStructVersion;
    std::uint32_t FileVersionMS = 0;
    std::uint32_t FileVersionLS = 0;
    std::uint32_t ProductVersionMS = 0;
    std::uint32_t ProductVersionLS = 0;
    std::uint32_t FileFlagsMask = 0x3F;
    std::uint32_t FileFlags = 0;
    std::uint32_t FileOS = 0;
    std::uint32_t FileType = FileTypeApplication;
    std::uint32_t FileSubtype = 0;
    std::uint32_t FileDateMS = 0;
    std::uint32_t FileDateLS = 0;

    constexpr std::array<std::uint8_t, FixedInfoSize> Encode() const
    {
        const std::array<std::uint32_t, 13> words{
            Signature,        StructVersion, FileVersionMS, FileVersionLS, ProductVersionMS,
            ProductVersionLS, FileFlagsMask, FileFlags,     FileOS,        FileType,
            FileSubtype,      FileDateMS,    FileDateLS};
        std::array<std::uint8_t, FixedInfoSize> bytes{};
        for (std::size_t i = 0; i < words.size(); ++i)
            for (std::size_t b = 0; b < 4; ++b)
                bytes[4 * i + b] = static_cast<std::uint8_t>(words[i] >> (8 * b));
        return bytes;
    }

    // Nothing when the bytes are too few.
    static std::optional<TFixedFileInfo> Decode(std::string_view bytes);
};

// The 32-bit form of a version a.b.c.d: a and b in the most significant half,
// c and d in the least significant half.
constexpr std::uint32_t VersionHalf(std::uint16_t high, std::uint16_t low)
{
    return (std::uint32_t{high} << 16) | low;
}

// Writes a block into a buffer of fixed capacity, so that the block of a
// program file can be written by the compiler. Nodes are opened and closed
// like brackets; closing a node fills in its length.
template <std::size_t Capacity>
class TWriter {
public:
    constexpr void Open(std::string_view key) { OpenNode(key, BinaryValue, {}); }
    constexpr void OpenBinary(std::string_view key, std::span<const std::uint8_t> value)
    {
        OpenNode(key, BinaryValue, value);
    }
    constexpr void Close()
    {
        if (Depth_ == 0)
            throw std::logic_error("version block: no node to close");
        const std::size_t start = Starts_[--Depth_];
        Put16(start, Size_ - start);
    }
    // A text entry: a node with a text value and no children.
    constexpr void Text(std::string_view key, std::string_view text)
    {
        Header(key, TextValue, text.size() + 1);
        for (const char c : text)
            Byte(static_cast<std::uint8_t>(c));
        Byte(0);
        Close();
    }

    constexpr std::size_t Size() const { return Size_; }
    constexpr const std::array<std::uint8_t, Capacity>& Bytes() const { return Bytes_; }

private:
    constexpr void OpenNode(std::string_view key, std::uint16_t type,
                            std::span<const std::uint8_t> value)
    {
        Header(key, type, value.size());
        for (const std::uint8_t b : value)
            Byte(b);
    }
    constexpr void Header(std::string_view key, std::uint16_t type, std::size_t valueLength)
    {
        if (Depth_ == Starts_.size())
            throw std::length_error("version block: nodes nested too deeply");
        Pad();
        Starts_[Depth_++] = Size_;
        Word(0); // the length, filled in by Close
        Word(valueLength);
        Word(type);
        for (const char c : key)
            Byte(static_cast<std::uint8_t>(c));
        Byte(0);
        Pad();
    }
    constexpr void Pad()
    {
        while (Size_ % 4 != 0)
            Byte(0);
    }
    constexpr void Byte(std::uint8_t value)
    {
        if (Size_ >= Capacity)
            throw std::length_error("version block: capacity exceeded");
        Bytes_[Size_++] = value;
    }
    constexpr void Word(std::size_t value)
    {
        if (value > 0xFFFF)
            throw std::length_error("version block: value longer than 65535 bytes");
        Byte(static_cast<std::uint8_t>(value));
        Byte(static_cast<std::uint8_t>(value >> 8));
    }
    constexpr void Put16(std::size_t at, std::size_t value)
    {
        if (value > 0xFFFF)
            throw std::length_error("version block: node longer than 65535 bytes");
        Bytes_[at] = static_cast<std::uint8_t>(value);
        Bytes_[at + 1] = static_cast<std::uint8_t>(value >> 8);
    }

    std::array<std::uint8_t, Capacity> Bytes_{};
    std::size_t Size_ = 0;
    std::array<std::size_t, 8> Starts_{};
    std::size_t Depth_ = 0;
};

// What the build knows about a program file.
struct TVersionFacts {
    std::string_view CompanyName;
    std::string_view FileDescription;
    std::string_view InternalName;
    std::string_view OriginalFilename;
    std::string_view ProductName;
    std::string_view VersionText; // "1.0.8.0"
    std::array<std::uint16_t, 4> Version{};
};

// The four-digit hexadecimal pairs that name a string table, "040904e4".
constexpr std::array<char, 8> TableKey(std::uint16_t language, std::uint16_t codePage)
{
    constexpr std::string_view digits = "0123456789abcdef";
    std::array<char, 8> key{};
    for (std::size_t i = 0; i < 4; ++i) {
        key[i] = digits[(language >> (12 - 4 * i)) & 0xF];
        key[4 + i] = digits[(codePage >> (12 - 4 * i)) & 0xF];
    }
    return key;
}

// The complete block of a program file: fixed information, one string table
// for US English in the Latin-1 code page, and its translation entry.
template <std::size_t Capacity = 1024>
constexpr TWriter<Capacity> WriteVersionBlock(const TVersionFacts& facts)
{
    TFixedFileInfo fixed;
    fixed.FileVersionMS = VersionHalf(facts.Version[0], facts.Version[1]);
    fixed.FileVersionLS = VersionHalf(facts.Version[2], facts.Version[3]);
    fixed.ProductVersionMS = fixed.FileVersionMS;
    fixed.ProductVersionLS = fixed.FileVersionLS;
    const auto fixedBytes = fixed.Encode();
    const auto tableKey = TableKey(LanguageUsEnglish, CodePageLatin1);
    const std::array<std::uint8_t, 4> translation{
        static_cast<std::uint8_t>(LanguageUsEnglish & 0xFF),
        static_cast<std::uint8_t>(LanguageUsEnglish >> 8),
        static_cast<std::uint8_t>(CodePageLatin1 & 0xFF),
        static_cast<std::uint8_t>(CodePageLatin1 >> 8)};

    TWriter<Capacity> writer;
    writer.OpenBinary(RootKey, fixedBytes);
    writer.Open("StringFileInfo");
    writer.Open(std::string_view(tableKey.data(), tableKey.size()));
    writer.Text("CompanyName", facts.CompanyName);
    writer.Text("FileDescription", facts.FileDescription);
    writer.Text("FileVersion", facts.VersionText);
    writer.Text("InternalName", facts.InternalName);
    writer.Text("OriginalFilename", facts.OriginalFilename);
    writer.Text("ProductName", facts.ProductName);
    writer.Text("ProductVersion", facts.VersionText);
    writer.Close();
    writer.Close();
    writer.Open("VarFileInfo");
    writer.OpenBinary("Translation", translation);
    writer.Close();
    writer.Close();
    writer.Close();
    return writer;
}

// The written bytes, in an array of exactly their size.
template <std::size_t Size, std::size_t Capacity>
constexpr std::array<std::uint8_t, Size> Trimmed(const TWriter<Capacity>& writer)
{
    std::array<std::uint8_t, Size> bytes{};
    for (std::size_t i = 0; i < Size; ++i)
        bytes[i] = writer.Bytes()[i];
    return bytes;
}

// The value at a path of keys: "\" is the root's value (the fixed file
// information), "\VarFileInfo\Translation" the translation table,
// "\StringFileInfo\040904e4\ProductName" a text (without its terminator).
// Keys match without regard to letter case. Nothing when the path is absent
// or the block is malformed on the way to it.
std::optional<std::string_view> QueryValue(std::string_view block, std::string_view path);

// True when the block starts with a root node that fits in it.
bool HasRoot(std::string_view block);

} // namespace VersionBlock
