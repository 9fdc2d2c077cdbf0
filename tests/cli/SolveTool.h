#pragma once

#include "support/TempDir.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>

// vellox-solve run as a user runs it, from the end-to-end tests.

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs the program with the given argument text (shell-quoted by the caller),
// standard input from `input`, standard error kept apart.
inline TRun Solve(const std::string& args, const std::string& input = {})
{
    TTempDir dir;
    const std::string errFile = (dir.Path() / "stderr").string();
    const std::string command =
        std::string(VELLOX_SOLVE) + " " + args + " 2>" + errFile + " <" + dir.Write("stdin", input);
    TRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> buffer{};
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.Out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    run.Err.assign(std::istreambuf_iterator<char>(err), {});
    return run;
}

// The number after "key": in a JSON text (NaN when absent or null).
inline double JsonNumber(const std::string& json, const std::string& key)
{
    const std::string label = "\"" + key + "\": ";
    const auto at = json.find(label);
    if (at == std::string::npos)
        return std::nan("");
    const char* start = json.c_str() + at + label.size();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    return end == start ? std::nan("") : value;
}
