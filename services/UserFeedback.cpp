#include "services/UserFeedback.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// Message texts come from files and from what the user typed: they are shown
// as plain text, never guessed to be rich text.
void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

class TRealFeedback : public TUserFeedback {
public:
    void Beep() override { QApplication::beep(); }

    void Message(QWidget* parent, const QString& text) override
    {
        ShowBox(parent, QMessageBox::Information, text);
    }

    void Error(QWidget* parent, const QString& text) override
    {
        ShowBox(parent, QMessageBox::Critical, text);
    }
};

TUserFeedback* Installed = nullptr;

} // namespace

TUserFeedback& Feedback()
{
    static TRealFeedback real;
    return Installed != nullptr ? *Installed : real;
}

void SetFeedback(TUserFeedback* feedback)
{
    Installed = feedback;
}
