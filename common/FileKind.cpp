#include "common/FileKind.h"

#include <filesystem>

std::string NotARegularFile(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    // status follows links: what counts is what a link points at.
    switch (fs::status(path, error).type()) {
    case fs::file_type::not_found:
    case fs::file_type::regular:
        return {};
    case fs::file_type::directory:
        return "is a folder";
    case fs::file_type::character:
    case fs::file_type::block:
        return "is a device";
    case fs::file_type::fifo:
        return "is a FIFO";
    case fs::file_type::socket:
        return "is a socket";
    default:
        return error ? "cannot be reached: " + error.message() : "is not a regular file";
    }
}
