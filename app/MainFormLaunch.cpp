// The actions that reach outside the program: the help document and the two
// sibling programs of the suite.
#include "app/MainForm.h"
#include "services/AppFolders.h"
#include "services/RunProgram.h"

#include <QDesktopServices>
#include <QUrl>

void TMainForm::HelpActionExecute()
{
    // A missing document or a refused request shows nothing from here; the
    // desktop may say something itself.
    QDesktopServices::openUrl(QUrl::fromLocalFile(ProgramFolder + "Help/Help.htm"));
}

void TMainForm::PelorusActionExecute()
{
    RunProgram(SiblingPrograms().value(0), QString(), this);
}

void TMainForm::ActionTarnwickExecute()
{
    RunProgram(SiblingPrograms().value(1), QString(), this);
}
