#pragma once

#include "services/UserFeedback.h"

#include <QStringList>

// Records beeps and message boxes instead of showing them, for as long as it
// lives.
class TRecordingFeedback : public TUserFeedback {
public:
    TRecordingFeedback() { SetFeedback(this); }
    ~TRecordingFeedback() override { SetFeedback(nullptr); }
    TRecordingFeedback(const TRecordingFeedback&) = delete;
    TRecordingFeedback& operator=(const TRecordingFeedback&) = delete;

    void Beep() override { ++Beeps; }
    void Message(QWidget*, const QString& text) override { Messages.append(text); }
    void Error(QWidget*, const QString& text) override { Errors.append(text); }

    int Beeps = 0;
    QStringList Messages;
    QStringList Errors;
};
