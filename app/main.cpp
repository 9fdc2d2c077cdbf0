// Vellox: capillary tube sizing for small refrigeration circuits.
#include "app/MainForm.h"
#include "refrig/RefrigLib.h"
#include "report/PreviewForm.h"
#include "services/AppFolders.h"
#include "services/UserFeedback.h"

#include <clocale>
#include <csignal>
#include <memory>
#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // A file-size limit makes a write fail with "File too large", which the
    // exports report and clean up after, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // Numbers are written and read with "." whatever the user's locale: the
    // program's own number text never consults it, and the C library and Qt
    // are kept on the neutral locale for anything else.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    QApplication::setApplicationName("Vellox");
    QApplication::setOrganizationName("Brennick");
    QGuiApplication::setDesktopFileName("vellox");

    // Where things are, computed once; the refrigerant library is read from
    // the suite's shared data folder.
    try {
        InitAppFolders(QApplication::applicationFilePath(), "Vellox");
    } catch (const std::exception& error) {
        Feedback().Error(nullptr, QString::fromUtf8(error.what()));
        return 1;
    }
    TRefrigLib refrigLib((SharedDataFolder() + "RefLib8.rdf").toStdString());

    TMainForm mainForm(refrigLib, QApplication::applicationFilePath());
    CreatePreviewForm();
    mainForm.show();
    if (!refrigLib.StartupError().empty()) {
        QTimer::singleShot(0, &mainForm, [&] {
            Feedback().Error(&mainForm,
                             QString::fromStdString("The refrigerant library's R22 section cannot "
                                                    "be read: " +
                                                    refrigLib.StartupError()));
        });
    }
    const int result = QApplication::exec();
    DestroyPreviewForm();
    return result;
}
