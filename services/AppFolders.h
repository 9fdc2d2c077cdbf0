#pragma once

#include <QString>
#include <QStringList>

// Where things are: the program's own folder and name, the folder under which
// the maker's programs are installed (the suite), the suite's shared data
// folder, the per-user data folder and the sibling programs. The values are
// computed once at start-up and only read afterwards.
//
// Every folder value ends with "/". File names are case-sensitive here, so the
// folders keep the case of the path they were found in.
struct TAppFolders {
    QString ProgramFile;         // the program file the values were computed from
    QString AppFolder;           // folder of the program file
    QString AppBaseName;         // the program's name: its file name without the last extension
    QString ProgramFilesFolder;  // where programs are installed system-wide
    QString UserDataFolder;      // <Documents>/Brennick/<AppBaseName>/, else AppFolder
    QString SuiteFolder;         // root of the maker's installed programs
    QString SharedDataFolder;    // <SuiteFolder>Common Files/
    QStringList SiblingPrograms; // Pelorus, then Tarnwick
};

// Computes the start-up values for the given program file, in this order:
// program files folder, program name, program folder, user data folder
// (created with its parents when missing), suite folder, shared data folder,
// sibling programs. `programName` names the program's settings key and data
// folder; it defaults to the file's base name (a program file "vellox" is
// given the name "Vellox" by its start-up). Raises EVelloxError when there is
// no documents folder. May be called again (tests point it at other folders).
void InitAppFolders(const QString& programFile, const QString& programName = QString());

// The start-up values; computed for the running program on first use when
// InitAppFolders has not run.
const TAppFolders& AppFolders();

QString AppFolder();
QString AppBaseName();
QString SuiteFolder();
QString SharedDataFolder();
QString UserDataFolder();
const QStringList& SiblingPrograms();

// The system-wide program folder: "/opt/".
QString ProgramFilesFolder();

// The user's documents folder, without a trailing "/"; not created. Raises
// EVelloxError "Could not find My Documents folder location." when the
// desktop gives none.
QString MyDocumentsFolder();

// The suite root for a program folder (see FindSuiteFolderFor).
QString FindSuiteFolder(const QString& appFolder, const QString& programFilesFolder);

// The settings key of a program: "Software\Brennick\" followed by the file
// name without folder and last extension. An empty name, or the running
// program's own file, gives the key of the running program (its AppBaseName).
QString ProgramKey(const QString& fileName = QString());
