#include "services/ElfSection.h"

#include <cstdint>
#include <fstream>
#include <optional>

namespace {

constexpr unsigned char ElfClass32 = 1;
constexpr unsigned char ElfClass64 = 2;
constexpr unsigned char ElfLittleEndian = 1;
constexpr unsigned char ElfBigEndian = 2;
constexpr std::uint32_t SectionNoBits = 8;
constexpr std::uint64_t SectionIndexEscape = 0xFFFF; // the real index is in section 0
// Far more than any program's section names take; a larger table is damage.
constexpr std::uint64_t MaxNamesSize = 16 * 1024 * 1024;

// The file, read piece by piece at offsets checked against its size.
class TFile {
public:
    explicit TFile(const std::string& fileName) : Stream_(fileName, std::ios::binary)
    {
        if (!Stream_)
            return;
        Stream_.seekg(0, std::ios::end);
        const auto end = Stream_.tellg();
        if (end > 0)
            Size_ = static_cast<std::uint64_t>(end);
    }

    std::uint64_t Size() const { return Size_; }

    // Nothing when the piece does not lie inside the file or cannot be read.
    std::optional<std::string> Read(std::uint64_t offset, std::uint64_t size)
    {
        if (offset > Size_ || size > Size_ - offset)
            return std::nullopt;
        std::string bytes(static_cast<std::size_t>(size), '\0');
        Stream_.clear();
        Stream_.seekg(static_cast<std::streamoff>(offset));
        if (!Stream_.read(bytes.data(), static_cast<std::streamsize>(size)))
            return std::nullopt;
        return bytes;
    }

private:
    std::ifstream Stream_;
    std::uint64_t Size_ = 0;
};

// Numbers of the file's class and byte order.
class TLayout {
public:
    TLayout(bool wide, bool bigEndian) : Wide_(wide), BigEndian_(bigEndian) {}

    std::uint64_t Number(std::string_view bytes, std::size_t at, std::size_t size) const
    {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t index = BigEndian_ ? at + i : at + size - 1 - i;
            value = value << 8 | static_cast<unsigned char>(bytes[index]);
        }
        return value;
    }
    // A field that is 4 bytes wide in 32-bit files and 8 bytes in 64-bit ones.
    std::uint64_t Address(std::string_view bytes, std::size_t at) const
    {
        return Number(bytes, at, Wide_ ? 8 : 4);
    }

    std::size_t HeaderSize() const { return Wide_ ? 64 : 52; }
    std::size_t SectionHeaderOffsetAt() const { return Wide_ ? 0x28 : 0x20; }
    std::size_t SectionHeaderSizeAt() const { return Wide_ ? 0x3A : 0x2E; }
    std::size_t SectionCountAt() const { return Wide_ ? 0x3C : 0x30; }
    std::size_t NamesIndexAt() const { return Wide_ ? 0x3E : 0x32; }

    // Within one section header.
    std::size_t MinSectionHeaderSize() const { return Wide_ ? 64 : 40; }
    std::size_t TypeAt() const { return 4; }
    std::size_t OffsetAt() const { return Wide_ ? 24 : 16; }
    std::size_t SizeAt() const { return Wide_ ? 32 : 20; }
    std::size_t LinkAt() const { return Wide_ ? 40 : 24; }

private:
    bool Wide_;
    bool BigEndian_;
};

struct TSectionHeader {
    std::uint64_t Name = 0;
    std::uint64_t Type = 0;
    std::uint64_t Offset = 0;
    std::uint64_t Size = 0;
    std::uint64_t Link = 0;
};

TElfSection Status(TElfSectionStatus status)
{
    return TElfSection{status, {}};
}

} // namespace

TElfSection ReadElfSection(const std::string& fileName, std::string_view sectionName,
                           std::size_t maxSize)
{
    TFile file(fileName);
    if (file.Size() == 0)
        return Status(TElfSectionStatus::Unreadable);

    const auto ident = file.Read(0, 16);
    if (!ident || ident->compare(0, 4,
                                 "\x7F"
                                 "ELF") != 0)
        return Status(TElfSectionStatus::NotElf);
    const auto elfClass = static_cast<unsigned char>((*ident)[4]);
    const auto byteOrder = static_cast<unsigned char>((*ident)[5]);
    if ((elfClass != ElfClass32 && elfClass != ElfClass64) ||
        (byteOrder != ElfLittleEndian && byteOrder != ElfBigEndian))
        return Status(TElfSectionStatus::NotElf);
    const TLayout layout(elfClass == ElfClass64, byteOrder == ElfBigEndian);

    const auto header = file.Read(0, layout.HeaderSize());
    if (!header)
        return Status(TElfSectionStatus::Damaged);
    const std::uint64_t tableOffset = layout.Address(*header, layout.SectionHeaderOffsetAt());
    const std::uint64_t entrySize = layout.Number(*header, layout.SectionHeaderSizeAt(), 2);
    std::uint64_t count = layout.Number(*header, layout.SectionCountAt(), 2);
    std::uint64_t namesIndex = layout.Number(*header, layout.NamesIndexAt(), 2);
    if (tableOffset == 0)
        return Status(TElfSectionStatus::Missing); // no section headers at all
    if (entrySize < layout.MinSectionHeaderSize() || tableOffset >= file.Size())
        return Status(TElfSectionStatus::Damaged);

    const auto sectionHeader = [&](std::uint64_t index) -> std::optional<TSectionHeader> {
        if (index > file.Size() / entrySize)
            return std::nullopt;
        const auto bytes = file.Read(tableOffset + index * entrySize, entrySize);
        if (!bytes)
            return std::nullopt;
        TSectionHeader result;
        result.Name = layout.Number(*bytes, 0, 4);
        result.Type = layout.Number(*bytes, layout.TypeAt(), 4);
        result.Offset = layout.Address(*bytes, layout.OffsetAt());
        result.Size = layout.Address(*bytes, layout.SizeAt());
        result.Link = layout.Number(*bytes, layout.LinkAt(), 4);
        return result;
    };

    // Files with very many sections keep the true count and the index of the
    // section names in the first section header.
    if (count == 0 || namesIndex == SectionIndexEscape) {
        const auto first = sectionHeader(0);
        if (!first)
            return Status(TElfSectionStatus::Damaged);
        if (count == 0)
            count = first->Size;
        if (namesIndex == SectionIndexEscape)
            namesIndex = first->Link;
    }
    if (count > file.Size() / entrySize || tableOffset > file.Size() - count * entrySize)
        return Status(TElfSectionStatus::Damaged);
    if (namesIndex >= count)
        return Status(TElfSectionStatus::Damaged);

    const auto namesHeader = sectionHeader(namesIndex);
    if (!namesHeader || namesHeader->Type == SectionNoBits || namesHeader->Size > MaxNamesSize)
        return Status(TElfSectionStatus::Damaged);
    const auto names = file.Read(namesHeader->Offset, namesHeader->Size);
    if (!names)
        return Status(TElfSectionStatus::Damaged);

    for (std::uint64_t index = 1; index < count; ++index) {
        const auto section = sectionHeader(index);
        if (!section)
            return Status(TElfSectionStatus::Damaged);
        if (section->Name >= names->size())
            continue;
        const std::size_t nameStart = static_cast<std::size_t>(section->Name);
        const std::size_t nameEnd = names->find('\0', nameStart);
        if (nameEnd == std::string::npos ||
            std::string_view(*names).substr(nameStart, nameEnd - nameStart) != sectionName)
            continue;
        if (section->Type == SectionNoBits || section->Size == 0)
            return Status(TElfSectionStatus::Missing);
        if (section->Size > maxSize)
            return Status(TElfSectionStatus::TooLarge);
        auto bytes = file.Read(section->Offset, section->Size);
        if (!bytes)
            return Status(TElfSectionStatus::Truncated);
        return TElfSection{TElfSectionStatus::Found, std::move(*bytes)};
    }
    return Status(TElfSectionStatus::Missing);
}
