// The installed program as a user gets it: `cmake --install` into a temporary
// suite folder, and the build folder laid out the same way.
#include "support/TempDir.h"

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a program with an argument list (no shell), with extra environment
// values; its output goes to `log`. Returns the exit status, -1 when it did
// not run or end normally.
int Run(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv,
        const fs::path& log)
{
    std::vector<char*> argv;
    for (const auto& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> env(extraEnv);
    for (char** e = environ; *e != nullptr; ++e)
        if (std::strncmp(*e, "DESTDIR=", 8) != 0)
            env.emplace_back(*e);
    std::vector<char*> envp;
    for (auto& value : env)
        envp.push_back(value.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// `cmake --install` of the build folder; fails the test with cmake's output
// when the installation does not succeed.
void Install(const TTempDir& temp, const std::string& prefix, const std::string& destDir = {})
{
    const fs::path log = temp.Path() / "install.log";
    std::vector<std::string> env;
    if (!destDir.empty())
        env.push_back("DESTDIR=" + destDir);
    const int status =
        Run({VELLOX_CMAKE_COMMAND, "--install", VELLOX_BUILD_DIR, "--prefix", prefix}, env, log);
    ASSERT_EQ(status, 0) << ReadFile(log);
}

// The key=value lines of a desktop entry's [Desktop Entry] group.
std::map<std::string, std::string> DesktopEntry(const fs::path& file)
{
    std::map<std::string, std::string> values;
    std::istringstream lines(ReadFile(file));
    std::string line;
    bool inGroup = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line[0] == '[')
            inGroup = line == "[Desktop Entry]";
        else if (const auto equals = line.find('='); inGroup && equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

void ExpectValidDesktopEntry(const TTempDir& temp, const fs::path& file)
{
    const std::string validator = VELLOX_DESKTOP_VALIDATE;
    if (validator.empty())
        return; // desktop-file-validate is not installed
    const fs::path log = temp.Path() / "validate.log";
    EXPECT_EQ(Run({validator, file.string()}, {}, log), 0) << ReadFile(log);
}

bool IsExecutable(const fs::path& file)
{
    return fs::is_regular_file(file) &&
           (fs::status(file).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

// The program, its tools and data in the suite layout below `suite`.
void ExpectSuiteLayout(const fs::path& suite)
{
    const fs::path source(VELLOX_SOURCE_DIR);
    EXPECT_TRUE(IsExecutable(suite / "Vellox" / "vellox"));
    EXPECT_TRUE(IsExecutable(suite / "Vellox" / "vellox-solve"));
    EXPECT_EQ(ReadFile(suite / "Vellox" / "Help" / "Help.htm"),
              ReadFile(source / "data" / "Help" / "Help.htm"));
    EXPECT_EQ(ReadFile(suite / "Common Files" / "RefLib8.rdf"),
              ReadFile(source / "data" / "RefLib8.rdf"));
}

TEST(InstallLayout, PrefixHoldsTheSuiteAndTheMenuEntryUnderShare)
{
    TTempDir temp;
    const fs::path prefix = temp.Path() / "Brennick";
    Install(temp, prefix.string());
    ExpectSuiteLayout(prefix);

    const fs::path desktop = prefix / "share" / "applications" / "vellox.desktop";
    ASSERT_TRUE(fs::is_regular_file(desktop));
    auto entry = DesktopEntry(desktop);
    EXPECT_EQ(entry["Type"], "Application");
    EXPECT_EQ(entry["Name"], "Vellox");
    EXPECT_EQ(entry["GenericName"], "Capillary Tube Sizing");
    EXPECT_EQ(entry["Exec"], (prefix / "Vellox" / "vellox").string());
    EXPECT_EQ(entry["TryExec"], (prefix / "Vellox" / "vellox").string());
    EXPECT_EQ(entry["Icon"], "vellox");
    EXPECT_EQ(entry["Terminal"], "false");
    EXPECT_TRUE(fs::is_regular_file(prefix / "share/icons/hicolor/scalable/apps/vellox.svg"));
    ExpectValidDesktopEntry(temp, desktop);
}

TEST(InstallLayout, SuiteInOptGetsItsMenuEntryInUsrLocalShareAndDestDirStagesAll)
{
    // A suite in /opt has no share folder the desktop searches; the entry
    // names the final program, not the staging folder.
    TTempDir temp;
    const fs::path stage = temp.Path() / "stage";
    Install(temp, "/opt/Brennick", stage.string());
    ExpectSuiteLayout(stage / "opt" / "Brennick");

    const fs::path desktop = stage / "usr/local/share/applications/vellox.desktop";
    ASSERT_TRUE(fs::is_regular_file(desktop));
    auto entry = DesktopEntry(desktop);
    EXPECT_EQ(entry["Exec"], "/opt/Brennick/Vellox/vellox");
    EXPECT_EQ(entry["TryExec"], "/opt/Brennick/Vellox/vellox");
    EXPECT_TRUE(
        fs::is_regular_file(stage / "usr/local/share/icons/hicolor/scalable/apps/vellox.svg"));
    EXPECT_FALSE(fs::exists(stage / "opt" / "Brennick" / "share"));
    ExpectValidDesktopEntry(temp, desktop);
}

TEST(InstallLayout, ProgramPathWithBlanksIsQuotedOnTheExecLine)
{
    TTempDir temp;
    const fs::path prefix = temp.Path() / "Program Files" / "Brennick";
    Install(temp, prefix.string());
    ExpectSuiteLayout(prefix);

    const fs::path desktop = prefix / "share" / "applications" / "vellox.desktop";
    auto entry = DesktopEntry(desktop);
    std::string quoted = "\"";
    quoted += (prefix / "Vellox" / "vellox").string();
    quoted += '"';
    EXPECT_EQ(entry["Exec"], quoted);
    EXPECT_EQ(entry["TryExec"], (prefix / "Vellox" / "vellox").string());
    ExpectValidDesktopEntry(temp, desktop);
}

TEST(BuildFolder, MirrorsTheInstalledLayout)
{
    ExpectSuiteLayout(fs::path(VELLOX_BUILD_DIR));
}

} // namespace
