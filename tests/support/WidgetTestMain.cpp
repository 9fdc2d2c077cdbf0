// Entry point of the widget tests: Qt's offscreen platform unless another is
// asked for, and settings and documents folders of the test's own, so that
// nothing touches the user's files.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                             "XDG_DOCUMENTS_DIR", "XDG_RUNTIME_DIR"}) {
        const QString path = home.filePath(QString::fromLatin1(name).toLower());
        QDir().mkpath(path);
        qputenv(name, path.toLocal8Bit());
    }
    QFile::setPermissions(home.filePath("xdg_runtime_dir"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
