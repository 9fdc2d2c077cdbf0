#include "services/UserFeedback.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class TRealFeedback : public TUserFeedback {
public:
    void Beep() override { QApplication::beep(); }

    void Message(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, QApplication::applicationName(), text);
    }

    void Error(QWidget* parent, const QString& text) override
    {
        QMessageBox::critical(parent, QApplication::applicationName(), text);
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
