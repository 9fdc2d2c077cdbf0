#pragma once

#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>

// A stand-in for the desktop's xdg-email, alone on PATH for as long as it
// lives: it records its arguments and ends with the exit status it is given.
class TFakeXdgEmail {
public:
    TFakeXdgEmail() : OldPath_(qgetenv("PATH"))
    {
        const std::string dir = Dir_.Path().string();
        Dir_.Write("code", "0\n");
        // Shell built-ins only: nothing else is on PATH.
        Dir_.Write("xdg-email", "#!/bin/sh\n"
                                "printf '%s\\0' \"$@\" > '" +
                                    dir + "/arguments'\n" + "read code < '" + dir +
                                    "/code'\n"
                                    "if [ -s '" +
                                    dir + "/hold' ]; then read hold < '" + dir +
                                    "/hold'; /bin/sleep \"$hold\"; fi\n"
                                    "exit \"$code\"\n");
        std::filesystem::permissions(Dir_.Path() / "xdg-email", std::filesystem::perms::owner_all);
        qputenv("PATH", QByteArray::fromStdString(dir));
    }
    ~TFakeXdgEmail() { qputenv("PATH", OldPath_); }
    TFakeXdgEmail(const TFakeXdgEmail&) = delete;
    TFakeXdgEmail& operator=(const TFakeXdgEmail&) = delete;

    void ExitWith(int code) const { Dir_.Write("code", std::to_string(code) + "\n"); }
    // Stays that many seconds before it ends, as a mail client in its
    // foreground would keep it.
    void HoldFor(int seconds) const { Dir_.Write("hold", std::to_string(seconds) + "\n"); }
    // Removes the program: PATH then holds no xdg-email.
    void Remove() const { std::filesystem::remove(Dir_.Path() / "xdg-email"); }

    // The arguments of the last run; empty when it did not run.
    QStringList Arguments() const
    {
        std::ifstream in(Dir_.Path() / "arguments", std::ios::binary);
        const std::string all((std::istreambuf_iterator<char>(in)), {});
        QStringList arguments;
        std::size_t start = 0;
        for (std::size_t end; (end = all.find('\0', start)) != std::string::npos; start = end + 1)
            arguments.append(QString::fromStdString(all.substr(start, end - start)));
        return arguments;
    }

private:
    TTempDir Dir_;
    QByteArray OldPath_;
};
