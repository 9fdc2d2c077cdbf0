#include "services/SuiteFolder.h"

#include <filesystem>
#include <system_error>

namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = Upper(c);
    return upper;
}

std::string WithSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

std::string FindSuiteFolderFor(std::string_view appFolder, std::string_view programFilesFolder)
{
    // The search runs on an upper-cased copy of the same length, so a match
    // position is also one in the original text, whose case is kept.
    const std::string upper = AsciiUpper(appFolder);
    for (const std::string_view name : {std::string_view("BRENNICK"), std::string_view("3VK")}) {
        const auto found = upper.find(name);
        if (found != std::string::npos)
            return std::string(appFolder.substr(0, found + name.size())) + "/";
    }
    std::filesystem::path folder(appFolder);
    if (!folder.has_filename())
        folder = folder.parent_path();
    const std::filesystem::path parent = folder.parent_path();
    std::error_code error;
    if (!parent.empty() && parent != folder &&
        std::filesystem::is_directory(parent / "Common Files", error))
        return WithSlash(parent.string());
    return WithSlash(std::string(programFilesFolder)) + "Brennick/";
}

std::string RunningProgramFolder()
{
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return WithSlash(program.parent_path().string());
}
