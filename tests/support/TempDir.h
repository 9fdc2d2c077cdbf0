#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// A temporary folder for one test, removed with everything in it at the end.
class TTempDir {
public:
    TTempDir()
    {
        static std::atomic<int> counter{0};
        Path_ = std::filesystem::temp_directory_path() /
                ("vellox-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(Path_);
        std::filesystem::create_directories(Path_);
    }
    ~TTempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path_, ignored);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return Path_; }

    // Writes a file in the folder (bytes as given) and returns its path.
    std::string Write(const std::string& name, const std::string& content) const
    {
        const auto path = Path_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

private:
    std::filesystem::path Path_;
};
