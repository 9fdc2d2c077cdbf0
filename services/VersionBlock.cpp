#include "services/VersionBlock.h"

#include "common/Text.h"

namespace VersionBlock {

namespace {

std::uint32_t Read16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

std::uint32_t Read32(std::string_view bytes, std::size_t at)
{
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

constexpr std::size_t Align4(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

struct TNode {
    std::string_view Key;
    std::string_view Value;
    std::size_t ChildrenStart = 0;
    std::size_t End = 0;
};

// The node at an offset of the block, which must end by limit. Offsets count
// from the start of the block, so that alignment is the block's.
std::optional<TNode> ParseNode(std::string_view block, std::size_t offset, std::size_t limit)
{
    constexpr std::size_t headerSize = 6;
    if (offset > limit || limit - offset < headerSize)
        return std::nullopt;
    const std::size_t length = Read16(block, offset);
    const std::size_t valueLength = Read16(block, offset + 2);
    const std::uint32_t type = Read16(block, offset + 4);
    if (length < headerSize || length > limit - offset)
        return std::nullopt;
    TNode node;
    node.End = offset + length;
    const std::size_t keyStart = offset + headerSize;
    const std::size_t keyEnd = block.substr(0, node.End).find('\0', keyStart);
    if (keyEnd == std::string_view::npos)
        return std::nullopt;
    node.Key = block.substr(keyStart, keyEnd - keyStart);
    const std::size_t valueStart = Align4(keyEnd + 1);
    if (valueLength > 0) {
        if (valueStart > node.End || valueLength > node.End - valueStart)
            return std::nullopt;
        node.Value = block.substr(valueStart, valueLength);
        if (type == TextValue) {
            const std::size_t terminator = node.Value.find('\0');
            if (terminator != std::string_view::npos)
                node.Value = node.Value.substr(0, terminator);
        }
    }
    node.ChildrenStart = Align4(valueStart + valueLength);
    return node;
}

// The child of a node with the given key.
std::optional<TNode> FindChild(std::string_view block, const TNode& parent, std::string_view key)
{
    std::size_t offset = parent.ChildrenStart;
    while (offset < parent.End) {
        const auto child = ParseNode(block, offset, parent.End);
        if (!child)
            return std::nullopt;
        if (SameText(child->Key, key))
            return child;
        offset = Align4(child->End);
    }
    return std::nullopt;
}

std::optional<TNode> Root(std::string_view block)
{
    auto root = ParseNode(block, 0, block.size());
    if (!root || !SameText(root->Key, RootKey))
        return std::nullopt;
    return root;
}

} // namespace

std::optional<TFixedFileInfo> TFixedFileInfo::Decode(std::string_view bytes)
{
    if (bytes.size() < FixedInfoSize)
        return std::nullopt;
    TFixedFileInfo info;
    std::uint32_t* const fields[] = {
        &info.Signature,        &info.StructVersion,    &info.FileVersionMS, &info.FileVersionLS,
        &info.ProductVersionMS, &info.ProductVersionLS, &info.FileFlagsMask, &info.FileFlags,
        &info.FileOS,           &info.FileType,         &info.FileSubtype,   &info.FileDateMS,
        &info.FileDateLS};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = Read32(bytes, 4 * i);
    return info;
}

bool HasRoot(std::string_view block)
{
    return Root(block).has_value();
}

std::optional<std::string_view> QueryValue(std::string_view block, std::string_view path)
{
    auto node = Root(block);
    if (!node || path.empty() || path.front() != '\\')
        return std::nullopt;
    path.remove_prefix(1);
    while (!path.empty()) {
        const std::size_t separator = path.find('\\');
        const std::string_view key = path.substr(0, separator);
        node = FindChild(block, *node, key);
        if (!node)
            return std::nullopt;
        path =
            separator == std::string_view::npos ? std::string_view{} : path.substr(separator + 1);
    }
    return node->Value;
}

} // namespace VersionBlock
