#include "services/AppFolders.h"

#include "services/SuiteFolder.h"

#include "common/Errors.h"

#include <optional>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString MakerFolder = QStringLiteral("Brennick");

std::optional<TAppFolders>& Folders()
{
    static std::optional<TAppFolders> folders;
    return folders;
}

QString WithSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString AbsoluteFile(const QString& fileName)
{
    return QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

// The file name without folder and without its last extension.
QString BaseName(const QString& fileName)
{
    return QFileInfo(fileName).completeBaseName();
}

QString ComputeUserDataFolder(const QString& programName, const QString& appFolder)
{
    const QString folder = MyDocumentsFolder() + QLatin1Char('/') + MakerFolder + QLatin1Char('/') +
                           programName + QLatin1Char('/');
    if (QFileInfo(folder).isDir() || QDir().mkpath(folder))
        return folder;
    return appFolder;
}

} // namespace

void InitAppFolders(const QString& programFile, const QString& programName)
{
    TAppFolders folders;
    folders.ProgramFile = AbsoluteFile(programFile);
    folders.ProgramFilesFolder = ProgramFilesFolder();
    folders.AppBaseName = programName.isEmpty() ? BaseName(programFile) : programName;
    folders.AppFolder = WithSlash(QFileInfo(folders.ProgramFile).path());
    folders.UserDataFolder = ComputeUserDataFolder(folders.AppBaseName, folders.AppFolder);
    folders.SuiteFolder = FindSuiteFolder(folders.AppFolder, folders.ProgramFilesFolder);
    folders.SharedDataFolder = folders.SuiteFolder + QStringLiteral("Common Files/");
    folders.SiblingPrograms = {folders.SuiteFolder + QStringLiteral("Pelorus/Pelorus"),
                               folders.SuiteFolder + QStringLiteral("Tarnwick/Tarnwick")};
    Folders() = std::move(folders);
}

const TAppFolders& AppFolders()
{
    if (!Folders())
        InitAppFolders(QCoreApplication::applicationFilePath());
    return *Folders();
}

QString AppFolder()
{
    return AppFolders().AppFolder;
}

QString AppBaseName()
{
    return AppFolders().AppBaseName;
}

QString SuiteFolder()
{
    return AppFolders().SuiteFolder;
}

QString SharedDataFolder()
{
    return AppFolders().SharedDataFolder;
}

QString UserDataFolder()
{
    return AppFolders().UserDataFolder;
}

const QStringList& SiblingPrograms()
{
    return AppFolders().SiblingPrograms;
}

QString ProgramFilesFolder()
{
    return QStringLiteral("/opt/");
}

QString MyDocumentsFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        throw EVelloxError("Could not find My Documents folder location.");
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString FindSuiteFolder(const QString& appFolder, const QString& programFilesFolder)
{
    return QString::fromStdString(
        FindSuiteFolderFor(appFolder.toStdString(), programFilesFolder.toStdString()));
}

QString ProgramKey(const QString& fileName)
{
    const QString prefix = QStringLiteral("Software\\") + MakerFolder + QLatin1Char('\\');
    const QString runningProgram =
        Folders() ? Folders()->ProgramFile : AbsoluteFile(QCoreApplication::applicationFilePath());
    if (fileName.isEmpty() || AbsoluteFile(fileName) == runningProgram)
        return prefix + AppBaseName();
    return prefix + BaseName(fileName);
}
