// The mail component: the message it builds from its properties, and the
// desktop's xdg-email as its transport (a stand-in on PATH that records its
// arguments and exits as told).
#include "report/MapiControl.h"
#include "support/FakeXdgEmail.h"

#include <gtest/gtest.h>
#include <optional>
#include <QElapsedTimer>
#include <QTest>

namespace {

// What the events reported.
struct TEvents {
    explicit TEvents(TMapiControl& mapi)
    {
        mapi.OnSuccess = [this](TMapiControl&) { Seen.append("success"); };
        mapi.OnUserAbort = [this](TMapiControl&) { Seen.append("abort"); };
        mapi.OnMapiError = [this](TMapiControl&, int code) {
            Seen.append("error " + QString::number(code));
        };
    }
    QStringList Seen;
};

TEST(MapiControlWidgetTest, MessageHoldsEachRecipientAsNameAndSmtpAddressInClassOrder)
{
    TMapiControl mapi;
    mapi.Subject = "Report...";
    mapi.Body = "Please find our report attached.";
    mapi.BlindCopyTo = {"cy@example.com"};
    mapi.CopyTo = {"bo@example.com"};
    mapi.Recipients = {"Ann <ann@example.com>", "al@example.com"};
    mapi.AttachedFiles = {"/data/Vellox/page0.gif", "/data/Vellox/page1.gif"};
    std::optional<TMapiMessage> sent;
    mapi.Transport = [&](const TMapiMessage& message) {
        sent = message;
        return TMapiOutcome{};
    };
    TEvents events(mapi);
    mapi.Send();
    ASSERT_TRUE(sent);
    EXPECT_EQ(events.Seen, QStringList{"success"});
    EXPECT_EQ(sent->Subject, "Report...");
    EXPECT_EQ(sent->NoteText, "Please find our report attached.");
    EXPECT_EQ(sent->Originator.RecipClass, mapiOrig);
    const struct {
        unsigned long Class;
        const char* Name;
    } recips[] = {{mapiTo, "Ann <ann@example.com>"},
                  {mapiTo, "al@example.com"},
                  {mapiCc, "bo@example.com"},
                  {mapiBcc, "cy@example.com"}};
    ASSERT_EQ(sent->Recips.size(), std::size(recips));
    for (std::size_t i = 0; i < std::size(recips); ++i) {
        EXPECT_EQ(sent->Recips[i].RecipClass, recips[i].Class) << i;
        EXPECT_EQ(sent->Recips[i].Name, recips[i].Name) << i;
        EXPECT_EQ(sent->Recips[i].Address, QString("SMTP:") + recips[i].Name) << i;
    }
    ASSERT_EQ(sent->Files.size(), 2u);
    EXPECT_EQ(sent->Files[1].PathName, "/data/Vellox/page1.gif");
    EXPECT_EQ(sent->Files[1].FileName, "page1.gif");
    EXPECT_EQ(sent->Files[1].Position, -1);
    EXPECT_EQ(mapi.DisplayFileName(), QStringList({"page0.gif", "page1.gif"}));
    EXPECT_EQ(sent->SendFlags, 0u);

    // The display names are made anew on each send; the dialog flags follow
    // ShowDialog.
    mapi.AttachedFiles = {"/elsewhere/other.gif"};
    mapi.ShowDialog = true;
    mapi.Send();
    EXPECT_EQ(mapi.DisplayFileName(), QStringList{"other.gif"});
    EXPECT_EQ(sent->SendFlags, MapiLogonUI | MapiNewSession | MapiDialog);
}

TEST(MapiControlWidgetTest, XdgEmailGetsTheFieldsAsArgumentsRecipientsLast)
{
    TFakeXdgEmail xdgEmail;
    TTempDir files;
    const QString page0 = QString::fromStdString(files.Write("page0.gif", "GIF89a"));
    const QString page1 = QString::fromStdString(files.Write("page1.gif", "GIF89a"));
    TMapiControl mapi;
    mapi.Subject = "Report...";
    mapi.Body = "Please find our report attached.\nRegards";
    mapi.Recipients = {"ann@example.com", "-x@example.com",
                       "mailto:y@example.com?attach=/etc/passwd"};
    mapi.CopyTo = {"bo@example.com"};
    mapi.BlindCopyTo = {"cy@example.com"};
    mapi.AttachedFiles = {page0, page1};
    TEvents events(mapi);
    mapi.Send();
    EXPECT_EQ(events.Seen, QStringList{"success"});
    // An entry xdg-email would take for an option or for a whole mailto
    // address goes behind --to, where it is only an address.
    EXPECT_EQ(
        xdgEmail.Arguments(),
        QStringList({"--utf8", "--subject", "Report...", "--body",
                     "Please find our report attached.\nRegards", "--attach", page0, "--attach",
                     page1, "--cc", "bo@example.com", "--bcc", "cy@example.com", "ann@example.com",
                     "--to", "-x@example.com", "--to", "mailto:y@example.com?attach=/etc/passwd"}));

    // Empty fields are left out: xdg-email refuses an option without text.
    mapi.Subject.clear();
    mapi.Body.clear();
    mapi.Recipients.clear();
    mapi.CopyTo.clear();
    mapi.BlindCopyTo.clear();
    mapi.AttachedFiles.clear();
    mapi.Send();
    EXPECT_EQ(xdgEmail.Arguments(), QStringList{"--utf8"});
}

TEST(MapiControlWidgetTest, ExitStatusChoosesTheEvent)
{
    TFakeXdgEmail xdgEmail;
    const struct {
        int Status;
        const char* Event;
    } cases[] = {
        {0, "success"}, // the mail client has the message
        {3, "abort"},   // no mail client found
        {4, "abort"},   // it could not be started
        {5, "error 5"}, {1, "error 1"}, {2, "error 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Status);
        xdgEmail.ExitWith(c.Status);
        TMapiControl mapi;
        mapi.Subject = "Report...";
        TEvents events(mapi);
        mapi.Send();
        EXPECT_EQ(events.Seen, QStringList{c.Event});
    }
    // No xdg-email at all: as if no mail client could be reached.
    xdgEmail.Remove();
    TMapiControl mapi;
    TEvents events(mapi);
    mapi.Send();
    EXPECT_EQ(events.Seen, QStringList{"abort"});

    // Without events assigned nothing is reported, and nothing fails.
    TMapiControl silent;
    silent.Send();
}

// A mail client that keeps xdg-email waiting has the message: the wait ends
// at the time limit, and the client is not ended with it. The process is let
// go once it ends (the leak checker of a sanitizer build sees it otherwise).
TEST(MapiControlWidgetTest, XdgEmailStillRunningAtTheTimeLimitCountsAsHandedOver)
{
    TFakeXdgEmail xdgEmail;
    xdgEmail.HoldFor(1);
    xdgEmail.ExitWith(5);
    TMapiMessage message;
    message.Subject = "Report...";
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(SendThroughXdgEmail(message, 300).Kind, TMapiOutcome::mrSuccess);
    EXPECT_LT(clock.elapsed(), 900);
    EXPECT_EQ(xdgEmail.Arguments(), QStringList({"--utf8", "--subject", "Report..."}));
    // The event loop ends the process object when xdg-email has finished.
    QTest::qWait(2500);
}

} // namespace
