#pragma once

#include <memory>
#include <QString>

class QFileDialog;
class QWidget;

// A save-file dialog as the exports use it: it keeps its folder and file name
// between showings, adds the default extension to a name typed without one,
// and offers one filter. An interface, so that tests can answer in the
// user's place.
class TSaveDialog {
public:
    virtual ~TSaveDialog() = default;
    // Shows the dialog; true when the user chose a file, then FileName is
    // its full path.
    virtual bool Execute() = 0;
    virtual QString FileName() const = 0;
    // The name the dialog shows next (empty clears it).
    virtual void SetFileName(const QString& name) = 0;
    virtual QString InitialDir() const = 0;
    virtual void SetInitialDir(const QString& folder) = 0;
};

// What a save dialog is made with: the extension added to a name without one
// ("gif") and the filter ("GIF Image File (*.gif)").
struct TSaveDialogKind {
    QString DefaultExt;
    QString Filter;
};

// The save dialog over Qt's own file dialog (the same on every desktop, and
// its name field can be cleared), modal over `parent`.
class TFileSaveDialog : public TSaveDialog {
public:
    TFileSaveDialog(QWidget* parent, const TSaveDialogKind& kind);
    ~TFileSaveDialog() override;

    bool Execute() override;
    QString FileName() const override { return FileName_; }
    void SetFileName(const QString& name) override { FileName_ = name; }
    QString InitialDir() const override { return InitialDir_; }
    void SetInitialDir(const QString& folder) override { InitialDir_ = folder; }

    // The dialog itself, for tests that drive it.
    QFileDialog& Dialog() { return *Dialog_; }

private:
    std::unique_ptr<QFileDialog> Dialog_;
    QString FileName_;
    QString InitialDir_;
};
