#pragma once

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Whether `read` returns within the time allowed while a FIFO stands where it
// expects a file. A reader that opens the FIFO blocks until a writer comes:
// when the time is up, the writing end is opened and closed once so that the
// stuck reader sees the end of the file and the test can end.
template <typename F>
bool ReturnsBesideAFifo(const std::filesystem::path& fifo, F&& read,
                        std::chrono::seconds allowed = std::chrono::seconds(5))
{
    auto reading = std::async(std::launch::async, std::forward<F>(read));
    if (reading.wait_for(allowed) == std::future_status::ready) {
        reading.get();
        return true;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            ::close(writer);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    reading.wait();
    return false;
}

inline bool MakeFifo(const std::filesystem::path& path)
{
    return ::mkfifo(path.c_str(), 0600) == 0;
}
