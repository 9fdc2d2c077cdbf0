#include "app/MainForm.h"
#include "app/RefPropsSheet.h"

void TMainForm::BuildRefProps()
{
    // A property that fails ends the build: the lines so far stay, the view
    // keeps its previous document and the error goes to the caller.
    BuildRefPropsLines(Lib_, PageLines);
    TabSheet3->ShowLines(PageLines);
}
