#pragma once

#include <string>

// What stands at a path where a file is to be written, when it is no regular
// file once links are followed: "is a folder", "is a device", "is a FIFO",
// "is a socket", "is not a regular file", or "cannot be reached: " and the
// system's reason. Empty when nothing stands there yet or a regular file
// does: such a path may be written.
std::string NotARegularFile(const std::string& path);
