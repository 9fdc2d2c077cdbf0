// The application's message boxes show their text as it is: a message that
// quotes a file or what the user typed is never taken for markup.
#include "services/UserFeedback.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

TEST(UserFeedback, BoxesShowPlainText)
{
    const QString text = "'<b>bold</b>' is not a valid floating point value";
    for (const bool error : {true, false}) {
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                format = box->textFormat();
                box->accept();
            }
        });
        if (error)
            Feedback().Error(nullptr, text);
        else
            Feedback().Message(nullptr, text);
        EXPECT_EQ(shown, text);
        EXPECT_EQ(format, Qt::PlainText);
    }
}

} // namespace
