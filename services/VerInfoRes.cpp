#include "services/VerInfoRes.h"

#include "services/ElfSection.h"

#include <cstdio>
#include <utility>

namespace {

// A node's length is a 16-bit number, so no well-formed block is larger.
constexpr std::size_t MaxBlockSize = 0xFFFF;

std::uint32_t Read16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

} // namespace

ENoVerInfoError::ENoVerInfoError() : EVerInfoError("No Version Info Available.") {}

ENoFixedVerInfo::ENoFixedVerInfo() : EVerInfoError("No fixed file info") {}

TVerInfoRes::TVerInfoRes(std::string fileName) : FileName_(std::move(fileName))
{
    auto section = ReadElfSection(FileName_, VersionBlock::SectionName, MaxBlockSize);
    switch (section.Status) {
    case TElfSectionStatus::Found:
        break;
    case TElfSectionStatus::Unreadable:
    case TElfSectionStatus::NotElf:
    case TElfSectionStatus::Damaged:
    case TElfSectionStatus::Missing:
        throw ENoVerInfoError();
    case TElfSectionStatus::Truncated:
    case TElfSectionStatus::TooLarge:
        throw EVerInfoError("Cannot obtain version info.");
    }
    Block_ = std::move(section.Bytes);
    if (!VersionBlock::HasRoot(Block_))
        throw EVerInfoError("Cannot obtain version info.");

    const auto translation = VersionBlock::QueryValue(Block_, "\\VarFileInfo\\Translation");
    if (!translation || translation->size() < 4)
        throw EVerInfoError("No language info.");
    Translation_ = Read16(*translation, 0) | Read16(*translation, 2) << 16;

    const auto fixedBytes = VersionBlock::QueryValue(Block_, "\\");
    const auto fixed =
        fixedBytes ? VersionBlock::TFixedFileInfo::Decode(*fixedBytes) : std::nullopt;
    if (!fixed || fixed->Signature != VersionBlock::FixedSignature)
        throw ENoFixedVerInfo();
    Fixed_ = *fixed;
}

std::string TVerInfoRes::StringValue(std::string_view key) const
{
    char path[64];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%.4x%.4x\\", Translation_ & 0xFFFFu,
                  Translation_ >> 16);
    const auto value = VersionBlock::QueryValue(Block_, std::string(path).append(key));
    return value ? std::string(*value) : std::string();
}

std::string TVerInfoRes::FileVersionText() const
{
    const std::uint32_t ms = Fixed_.FileVersionMS;
    const std::uint32_t ls = Fixed_.FileVersionLS;
    return std::to_string(ms >> 16) + "." + std::to_string(ms & 0xFFFFu) + "." +
           std::to_string(ls >> 16) + "." + std::to_string(ls & 0xFFFFu);
}

std::string GetFileVersionText(const std::string& fileName)
{
    return TVerInfoRes(fileName).FileVersionText();
}

std::string GetTitleText(const std::string& fileName)
{
    const TVerInfoRes info(fileName);
    return info.StringValue("ProductName") + " " + info.FileVersionText();
}
