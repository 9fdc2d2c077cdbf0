#pragma once

#include <exception>
#include <QString>

class QWidget;

// The program's few ways of telling the user something: the default beep, a
// plain message box, and the standard error box. All go through one object
// so that tests can record them instead of blocking on a dialog.
class TUserFeedback {
public:
    virtual ~TUserFeedback() = default;
    virtual void Beep() = 0;
    // A plain message box titled with the application name.
    virtual void Message(QWidget* parent, const QString& text) = 0;
    // The application's standard error box: a critical message box titled
    // with the application title.
    virtual void Error(QWidget* parent, const QString& text) = 0;
};

// The feedback in use: the real one unless a test installed its own.
TUserFeedback& Feedback();
// Installs a replacement (nullptr restores the real one). Not owned.
void SetFeedback(TUserFeedback* feedback);

// Runs an event handler's body; any error it raises is shown in the standard
// error box and goes no further, so no exception reaches Qt's event loop.
template <typename F>
void Guarded(QWidget* parent, F&& body)
{
    try {
        body();
    } catch (const std::exception& error) {
        Feedback().Error(parent, QString::fromUtf8(error.what()));
    }
}
