#pragma once

#include <cstdio>
#include <memory>
#include <string>

// A picture file open for reading, closed however its decoder ends; null when
// the file cannot be opened.
struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TPictureInput = std::unique_ptr<std::FILE, TFileCloser>;

inline TPictureInput OpenPicture(const std::string& path)
{
    return TPictureInput(std::fopen(path.c_str(), "rb"));
}
