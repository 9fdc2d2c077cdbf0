#include "services/SuiteFolder.h"

#include "support/ParamName.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct TSuiteCase {
    const char* Name;
    const char* AppFolder;
    const char* Suite;
};

class SuiteFolderSearch : public testing::TestWithParam<TSuiteCase> {};

TEST_P(SuiteFolderSearch, FindsTheSuiteRoot)
{
    EXPECT_EQ(FindSuiteFolderFor(GetParam().AppFolder, "/opt/"), GetParam().Suite);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SuiteFolderSearch,
    testing::Values(TSuiteCase{"MakerFolder", "/x/Brennick/Vellox/", "/x/Brennick/"},
                    TSuiteCase{"MakerFolderKeepsItsCase", "/x/brennick/Vellox/", "/x/brennick/"},
                    TSuiteCase{"OldMakerFolder", "/x/3vk/Vellox/", "/x/3vk/"},
                    TSuiteCase{"MakerBeforeOldName", "/x/3vk/Brennick/Vellox/", "/x/3vk/Brennick/"},
                    TSuiteCase{"Elsewhere", "/x/tools/Vellox/", "/opt/Brennick/"}),
    TParamName());

TEST(SuiteFolder, AFolderWithTheSuiteLayoutIsItsOwnSuite)
{
    TTempDir dir;
    std::filesystem::create_directories(dir.Path() / "Common Files");
    std::filesystem::create_directories(dir.Path() / "Vellox");
    EXPECT_EQ(FindSuiteFolderFor((dir.Path() / "Vellox/").string(), "/opt/"),
              dir.Path().string() + "/");
    EXPECT_EQ(FindSuiteFolderFor((dir.Path() / "Vellox").string() + "/", "/usr/"),
              dir.Path().string() + "/");
}

TEST(SuiteFolder, RunningProgramFolderEndsWithASlash)
{
    const std::string folder = RunningProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

} // namespace
