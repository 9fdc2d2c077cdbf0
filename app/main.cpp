// Vellox: capillary tube sizing for small refrigeration circuits.
#include "app/LibraryLocation.h"
#include "app/MainForm.h"
#include "refrig/RefrigLib.h"
#include "services/UserFeedback.h"

#include <clocale>
#include <QApplication>
#include <QTimer>

#ifndef VELLOX_VERSION
#define VELLOX_VERSION "0.0.0.0"
#endif

int main(int argc, char** argv)
{
    // Numbers are written and read with "." whatever the user's locale: the
    // program's own number text never consults it, and the C library is kept
    // on the neutral locale for anything else.
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    QApplication::setApplicationName("Vellox");
    QApplication::setOrganizationName("Brennick");
    QApplication::setApplicationVersion(VELLOX_VERSION);

    TRefrigLib refrigLib(DefaultLibraryFile(QApplication::applicationDirPath()).toStdString());

    TMainForm mainForm(refrigLib, VELLOX_VERSION);
    mainForm.show();
    if (!refrigLib.StartupError().empty()) {
        QTimer::singleShot(0, &mainForm, [&] {
            Feedback().Error(&mainForm,
                             QString::fromStdString("The refrigerant library's R22 section cannot "
                                                    "be read: " +
                                                    refrigLib.StartupError()));
        });
    }
    return QApplication::exec();
}
