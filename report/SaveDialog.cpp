#include "report/SaveDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

TFileSaveDialog::TFileSaveDialog(QWidget* parent, const TSaveDialogKind& kind)
    : Dialog_(std::make_unique<QFileDialog>(parent))
{
    Dialog_->setAcceptMode(QFileDialog::AcceptSave);
    Dialog_->setFileMode(QFileDialog::AnyFile);
    // Replacing a file is the export's business, without asking.
    Dialog_->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    Dialog_->setDefaultSuffix(kind.DefaultExt);
    Dialog_->setNameFilter(kind.Filter);
}

TFileSaveDialog::~TFileSaveDialog() = default;

bool TFileSaveDialog::Execute()
{
    // The folder: the one of the last chosen file, else the initial one.
    const QFileInfo last(FileName_);
    if (!FileName_.isEmpty() && last.isAbsolute())
        Dialog_->setDirectory(last.absolutePath());
    else if (!InitialDir_.isEmpty())
        Dialog_->setDirectory(InitialDir_);
    if (FileName_.isEmpty()) {
        // Qt's dialog ignores an empty selection; its name field is cleared
        // by hand.
        if (auto* edit = Dialog_->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            edit->clear();
    } else {
        Dialog_->selectFile(last.fileName());
    }
    if (Dialog_->exec() != QDialog::Accepted || Dialog_->selectedFiles().isEmpty())
        return false;
    FileName_ = QDir::cleanPath(Dialog_->selectedFiles().constFirst());
    return true;
}
