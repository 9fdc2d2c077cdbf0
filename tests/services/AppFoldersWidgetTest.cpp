#include "common/Errors.h"
#include "services/AppFolders.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

TEST(AppFoldersWidgetTest, SuiteFolderIsFoundInTheProgramFolderKeepingItsCase)
{
    const struct {
        const char* AppFolder;
        const char* Expected;
    } cases[] = {
        {"/x/Brennick/Vellox/", "/x/Brennick/"},
        {"/x/brennick/Vellox/", "/x/brennick/"},
        {"/x/BRENNICK/Vellox/", "/x/BRENNICK/"},
        {"/x/3vk/Vellox/", "/x/3vk/"},
        {"/x/3VK/Vellox/", "/x/3VK/"},
        {"/x/3vk/Brennick/Vellox/", "/x/3vk/Brennick/"}, // the maker's name is looked for first
        {"/x/Brennick/3vk/Vellox/", "/x/Brennick/"},
        {"/srv/BrennickTools/Vellox/", "/srv/Brennick/"}, // the name, not the rest of the folder
        {"/home/obrennick/Vellox/", "/home/obrennick/"},
        // Only ASCII letters are upper-cased, so positions stay where they are.
        {"/home/stra\u00dfe/brennick/Vellox/", "/home/stra\u00dfe/brennick/"},
        {"/home/\u01c9x/3vk/Vellox/", "/home/\u01c9x/3vk/"},
        {"/usr/local/Vellox/", "/opt/Brennick/"},
        {"/x/Brennic/Vellox/", "/opt/Brennick/"},
        {"/x/3v/k/", "/opt/Brennick/"},
        {"", "/opt/Brennick/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindSuiteFolder(QString::fromUtf8(c.AppFolder), ProgramFilesFolder()),
                  QString::fromUtf8(c.Expected))
            << c.AppFolder;
    EXPECT_EQ(ProgramFilesFolder(), "/opt/");
    EXPECT_EQ(FindSuiteFolder("/usr/bin/", "/usr/local"), "/usr/local/Brennick/");
}

TEST(AppFoldersWidgetTest, StartUpValuesForAnInstalledProgram)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString suite = root.path() + "/Brennick/";
    const QString documents = MyDocumentsFolder();

    InitAppFolders(suite + "Vellox/vellox", "Vellox");
    const TAppFolders& folders = AppFolders();
    EXPECT_EQ(folders.ProgramFile, suite + "Vellox/vellox");
    EXPECT_EQ(AppFolder(), suite + "Vellox/");
    EXPECT_EQ(AppBaseName(), "Vellox");
    EXPECT_EQ(folders.ProgramFilesFolder, "/opt/");
    EXPECT_EQ(SuiteFolder(), suite);
    EXPECT_EQ(SharedDataFolder(), suite + "Common Files/");
    EXPECT_EQ(SiblingPrograms(),
              QStringList({suite + "Pelorus/Pelorus", suite + "Tarnwick/Tarnwick"}));
    EXPECT_EQ(UserDataFolder(), documents + "/Brennick/Vellox/");
    EXPECT_TRUE(QFileInfo(UserDataFolder()).isDir());

    // Without a name of its own the program is named after its file.
    InitAppFolders(root.path() + "/tools/my.tool.bin");
    EXPECT_EQ(AppBaseName(), "my.tool");
    EXPECT_EQ(AppFolder(), root.path() + "/tools/");
    EXPECT_EQ(SuiteFolder(), "/opt/Brennick/");
    EXPECT_EQ(UserDataFolder(), documents + "/Brennick/my.tool/");
}

TEST(AppFoldersWidgetTest, DocumentsFolder)
{
    const QString documents = MyDocumentsFolder();
    EXPECT_FALSE(documents.isEmpty());
    EXPECT_FALSE(documents.endsWith('/'));
    EXPECT_EQ(QDir::cleanPath(documents),
              QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
}

TEST(AppFoldersWidgetTest, UserDataFolderFallsBackToTheProgramFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    // A file where the maker's folder would be: the data folder cannot be made.
    const QString blocker = MyDocumentsFolder() + "/Brennick";
    QDir(blocker).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(MyDocumentsFolder()));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    InitAppFolders(root.path() + "/Vellox/vellox", "Vellox");
    EXPECT_EQ(UserDataFolder(), root.path() + "/Vellox/");
    QFile::remove(blocker);
}

TEST(AppFoldersWidgetTest, ProgramKey)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString program = root.path() + "/Brennick/Vellox/vellox";
    InitAppFolders(program, "Vellox");

    const struct {
        QString FileName;
        const char* Expected;
    } cases[] = {
        {"/x/my.tool.exe", "Software\\Brennick\\my.tool"},
        {"/x/Pelorus", "Software\\Brennick\\Pelorus"},
        {"/x/.hidden.cfg", "Software\\Brennick\\.hidden"},
        {"", "Software\\Brennick\\Vellox"},
        {program, "Software\\Brennick\\Vellox"}, // the running program by its file
        {root.path() + "/Brennick/Vellox/../Vellox/vellox", "Software\\Brennick\\Vellox"},
        {root.path() + "/elsewhere/vellox", "Software\\Brennick\\vellox"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramKey(c.FileName), c.Expected) << c.FileName.toStdString();
}
