#include "report/MapiControl.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString SmtpPrefix = QStringLiteral("SMTP:");

void AddRecipients(std::vector<TMapiRecipDesc>& recips, const QStringList& entries,
                   TMapiRecipClass recipClass)
{
    for (const QString& entry : entries)
        recips.push_back({recipClass, entry, SmtpPrefix + entry});
}

// The address xdg-email understands: the text after "SMTP:".
QString PlainAddress(const QString& address)
{
    return address.startsWith(SmtpPrefix, Qt::CaseInsensitive) ? address.mid(SmtpPrefix.size())
                                                               : address;
}

// xdg-email refuses an empty text after an option; an empty field is left out.
void AddOption(QStringList& arguments, const QString& option, const QString& value)
{
    if (!value.isEmpty())
        arguments << option << value;
}

} // namespace

TMapiControl::TMapiControl(QObject* parent)
    : QObject(parent), Transport([](const TMapiMessage& m) { return SendThroughXdgEmail(m); })
{
}

TMapiMessage TMapiControl::BuildMessage()
{
    TMapiMessage message;
    message.Subject = Subject;
    message.NoteText = Body;
    message.Originator = {mapiOrig, FromName, FromAdress};
    AddRecipients(message.Recips, Recipients, mapiTo);
    AddRecipients(message.Recips, CopyTo, mapiCc);
    AddRecipients(message.Recips, BlindCopyTo, mapiBcc);
    DisplayFileName_.clear();
    for (const QString& path : AttachedFiles) {
        DisplayFileName_.append(QFileInfo(path).fileName());
        message.Files.push_back({0, -1, path, DisplayFileName_.back()});
    }
    message.SendFlags = ShowDialog ? (MapiLogonUI | MapiNewSession | MapiDialog) : 0;
    return message;
}

void TMapiControl::Send()
{
    const TMapiMessage message = BuildMessage();
    const TMapiOutcome outcome = Transport ? Transport(message) : SendThroughXdgEmail(message);
    switch (outcome.Kind) {
    case TMapiOutcome::mrSuccess:
        if (OnSuccess)
            OnSuccess(*this);
        break;
    case TMapiOutcome::mrUserAbort:
        if (OnUserAbort)
            OnUserAbort(*this);
        break;
    case TMapiOutcome::mrError:
        if (OnMapiError)
            OnMapiError(*this, outcome.Code);
        break;
    }
}

TMapiOutcome SendThroughXdgEmail(const TMapiMessage& message, int timeoutMs)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (program.isEmpty())
        return {TMapiOutcome::mrUserAbort, 0};
    // Qt hands arguments to the program as UTF-8.
    QStringList arguments{QStringLiteral("--utf8")};
    AddOption(arguments, QStringLiteral("--subject"), message.Subject);
    AddOption(arguments, QStringLiteral("--body"), message.NoteText);
    for (const TMapiFileDesc& file : message.Files)
        AddOption(arguments, QStringLiteral("--attach"), file.PathName);
    for (const TMapiRecipDesc& recip : message.Recips) {
        if (recip.RecipClass == mapiCc)
            AddOption(arguments, QStringLiteral("--cc"), PlainAddress(recip.Address));
        else if (recip.RecipClass == mapiBcc)
            AddOption(arguments, QStringLiteral("--bcc"), PlainAddress(recip.Address));
    }
    // The "to" addresses last, as plain arguments; one that xdg-email would
    // read as an option ("-...") or as the whole message's mailto address
    // with fields of its own goes behind --to, where it is only an address.
    for (const TMapiRecipDesc& recip : message.Recips) {
        if (recip.RecipClass != mapiTo)
            continue;
        const QString address = PlainAddress(recip.Address);
        if (address.startsWith(u'-') ||
            address.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
            AddOption(arguments, QStringLiteral("--to"), address);
        else if (!address.isEmpty())
            arguments << address;
    }

    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(program, arguments);
    if (!process->waitForStarted(timeoutMs)) {
        delete process;
        return {TMapiOutcome::mrUserAbort, 0};
    }
    if (!process->waitForFinished(timeoutMs)) {
        // The client keeps xdg-email waiting (some run in its foreground):
        // the message is with it. The process object goes when xdg-email
        // ends; deleting it now would end the client.
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return {TMapiOutcome::mrSuccess, 0};
    }
    const bool crashed = process->exitStatus() == QProcess::CrashExit;
    const int code = process->exitCode();
    delete process;
    if (crashed)
        return {TMapiOutcome::mrError, 2}; // general failure
    if (code == 0)
        return {TMapiOutcome::mrSuccess, 0};
    if (code == 3 || code == 4)
        return {TMapiOutcome::mrUserAbort, 0};
    return {TMapiOutcome::mrError, code};
}
