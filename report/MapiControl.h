#pragma once

#include <functional>
#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

// The classes of a message's recipients.
enum TMapiRecipClass : unsigned long {
    mapiOrig = 0, // the originator
    mapiTo = 1,
    mapiCc = 2,
    mapiBcc = 3,
};

// Flags of a send: let the mail client log on with its own dialog, in a new
// session, and show its send dialog.
constexpr unsigned long MapiLogonUI = 0x01;
constexpr unsigned long MapiNewSession = 0x02;
constexpr unsigned long MapiDialog = 0x08;

// One party of a message: a name and an address ("SMTP:" + the text).
struct TMapiRecipDesc {
    unsigned long RecipClass = mapiOrig;
    QString Name;
    QString Address;
};

// One attachment: its full path and the file name shown for it; position −1
// keeps it out of the message text.
struct TMapiFileDesc {
    unsigned long Flags = 0;
    long Position = -1;
    QString PathName;
    QString FileName;
};

// The message as a mail transport receives it.
struct TMapiMessage {
    QString Subject;
    QString NoteText;
    unsigned long Flags = 0;
    TMapiRecipDesc Originator;
    std::vector<TMapiRecipDesc> Recips; // to, then cc, then bcc
    std::vector<TMapiFileDesc> Files;
    unsigned long SendFlags = 0; // MapiLogonUI | MapiNewSession | MapiDialog, or 0
};

// What a transport made of a message.
struct TMapiOutcome {
    enum TKind { mrSuccess, mrUserAbort, mrError };
    TKind Kind = mrSuccess;
    int Code = 0; // the transport's error code for mrError
};

// Hands a message to the desktop's mail client. Not a window: the client
// shows its own.
class TMapiControl : public QObject {
    Q_OBJECT

public:
    explicit TMapiControl(QObject* parent = nullptr);

    QString Subject;
    QString Body;
    QString FromName;
    QString FromAdress;
    QStringList Recipients;    // "to"
    QStringList CopyTo;        // "cc"
    QStringList BlindCopyTo;   // "bcc"
    QStringList AttachedFiles; // full paths
    // The file name part of each attachment, filled by Send.
    const QStringList& DisplayFileName() const { return DisplayFileName_; }
    // Let the mail client show its send dialog (and log on).
    bool ShowDialog = false;
    // Kept with the component; the client always gets the application's
    // window.
    bool UseAppHandle = false;

    // The message was handed over; the user cancelled or no mail client could
    // be reached; any other failure, with the transport's code. Each only
    // when assigned.
    std::function<void(TMapiControl&)> OnSuccess;
    std::function<void(TMapiControl&)> OnUserAbort;
    std::function<void(TMapiControl&, int code)> OnMapiError;

    // Builds the message from the properties and hands it to the transport;
    // the outcome comes through the events.
    void Send();

    // Where messages go: the desktop's `xdg-email` unless a test replaces it.
    std::function<TMapiOutcome(const TMapiMessage&)> Transport;

private:
    TMapiMessage BuildMessage();
    QStringList DisplayFileName_;
};

// The desktop's mail client through `xdg-email`, started with an argument
// list (never a shell): --utf8, --subject, --body, one --attach per file,
// --cc and --bcc per entry, then the "to" addresses. The "SMTP:" prefix of the
// addresses is taken off, since xdg-email wants plain ones. Exit status 0 is
// success; 3 (no mail client found) and 4 (it could not be started) a user
// abort, as is a missing or unstartable xdg-email; any other status an error
// with that code. xdg-email returns once the client has the message; should
// it still run after `timeoutMs` (a client that keeps it waiting), the
// message counts as handed over and xdg-email is left to finish alone.
TMapiOutcome SendThroughXdgEmail(const TMapiMessage& message, int timeoutMs = 5000);
