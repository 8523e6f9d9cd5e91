// The reading rules both transports share, and the login, which is the same
// pair of requests on both.

#include "client/request_nura_client.h"

#include "client/ansi_codec.h"
#include "client/download_sink.h"
#include "client/password_encoding.h"

#include <QFile>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

void TRequestNuraClient::Deliver(Notify where, const QString& text) const
{
    if (where == Notify::Error)
        errorHandler(text);
    else if (where == Notify::Message)
        messageHandler(text);
}

void TRequestNuraClient::AnswerRequest(const char* label, Items items, TAnswer& answer,
                                       Repeat repeat, Notify where)
{
    Ask(label, items, repeat, where);
    answer = m_lastAnswer;
}

QString TRequestNuraClient::ErrorOr(const char* fallback) const
{
    return m_lastError.isEmpty() ? Text(fallback) : m_lastError;
}

void TRequestNuraClient::TextOne(const char* label, Items items, QString& text,
                                 const char* fallback)
{
    if (!Ask(label, items))
        text = m_lastError;
    else
        text = m_lastAnswer.count == 1 ? m_lastAnswer.fields[0] : ErrorOr(fallback);
}

void TRequestNuraClient::TextOneOrTwo(const char* label, Items items, QString& text,
                                      const char* fallback)
{
    if (!Ask(label, items))
        text = m_lastError;
    else if (m_lastAnswer.count == 1 || m_lastAnswer.count == 2)
        text = m_lastAnswer.fields[static_cast<size_t>(m_lastAnswer.count - 1)];
    else
        text = ErrorOr(fallback);
}

// The deleting and scontrum requests give their fixed text for any reply
// other than one field, a broken connection included.
void TRequestNuraClient::TextOneFixed(const char* label, Items items, QString& text)
{
    if (!Ask(label, items))
        text = m_lastError;
    else
        text = m_lastAnswer.count == 1 ? m_lastAnswer.fields[0] : Text("Błędna odpowiedź serwera");
}

// An empty file name discards the bytes (on TCP the stream is still read to
// the end so that the connection stays in step).
bool TRequestNuraClient::StreamToFile(const char* label, Items items, Repeat repeat,
                                      const QString& file, TProgressHandler progress,
                                      QString* status)
{
    if (HasError()) {
        if (status != nullptr)
            *status = ErrorText();
        return false;
    }
    QFile target(file);
    if (!file.isEmpty() && !target.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ReportLocalFileError(Text("Nie można utworzyć pliku ") + file);
        return false;
    }
    DownloadSink sink;
    sink.file = file.isEmpty() ? nullptr : &target;
    bool complete =
        Fetch(label, items, repeat, sink, progress, status ? Status::Long : Status::None, status);
    if (complete && sink.writeFailed) {
        errorHandler(Text("Błąd zapisu pliku ") + file);
        complete = false;
    }
    return complete;
}

bool TRequestNuraClient::StreamToBytes(const char* label, Items items, Repeat repeat,
                                       QByteArray& bytes, TProgressHandler progress,
                                       QString* status)
{
    bytes.clear();
    if (HasError()) {
        if (status != nullptr)
            *status = ErrorText();
        return false;
    }
    DownloadSink sink;
    sink.bytes = &bytes;
    return Fetch(label, items, repeat, sink, progress, status ? Status::Plain : Status::None,
                 status);
}

// Report files and collection texts are code-page text. A transfer that
// broke off gives no text rather than the front part of one.
void TRequestNuraClient::StreamToText(const char* label, Items items, Repeat repeat, QString& text)
{
    QByteArray bytes;
    text = StreamToBytes(label, items, repeat, bytes) ? DecodeAnsi(bytes) : QString();
}

// A file that could not be read must not look stored: the server accepted an
// empty upload, so the out text says what really happened.
void TRequestNuraClient::UploadText(const char* label, Items items, const QString* file,
                                    const QByteArray& bytes, TProgressHandler progress,
                                    QString& text, const char* fallback)
{
    QString unreadable;
    if (!UploadRequest(label, items, file, bytes, progress, unreadable))
        text = m_lastError;
    else if (m_lastAnswer.count != 1)
        text = ErrorOr(fallback);
    else if (!unreadable.isEmpty())
        text = unreadable;
    else
        text = m_lastAnswer.fields[0];
}

// ---- Login ----

void TRequestNuraClient::Login(const QString& user, const QString& password, QString& error,
                               bool reconnecting, const QString& requiredRight)
{
    error.clear();
    if (HasError()) {
        error = ErrorText();
        return;
    }
    // A login again after a reconnection keeps the user logged in on our
    // side until the server refuses: a line that breaks during it must not
    // leave every later reconnection greeting the server as nobody.
    if (!reconnecting)
        loggedIn = false;
    const Notify where = reconnecting ? Notify::Silent : Notify::Error;
    const Repeat repeat = reconnecting ? Once : Repeated;
    for (;;) {
        Ask("Login Name", {B(128), S(user)}, repeat, where, reconnecting);
        // The password travels unscrambled; the key comes with its reply.
        UseLoginKey(QByteArray());
        if (!m_lastError.isEmpty()) {
            error = m_lastError;
            break;
        }
        if (m_lastAnswer.count == 0) {
            error = Text("Błędna nazwa użytkownika");
            break;
        }
        m_challenge = m_lastAnswer.fields[0].toInt();
        Ask("Login Password", {B(129), S(EncodePassword(password, m_challenge))}, Once, where,
            reconnecting);
        // A new connection has forgotten the user name: start over.
        if (!reconnecting && WasReconnected())
            continue;
        if (!m_lastError.isEmpty()) {
            error = m_lastError;
            break;
        }
        const TAnswer& reply = m_lastAnswer;
        if (reply.count == 0) {
            error = Text("Błędne hasło");
            break;
        }
        rights = reply.fields[0];
        if (!requiredRight.isEmpty() && !rights.contains(requiredRight))
            error = Text("Brak uprawnień");
        loggedIn = true;
        userName = user;
        loginInfo = reply.count >= 2 ? reply.fields[1] : QString();
        if (reply.count > 2)
            UseLoginKey(EncodeAnsi(reply.fields[2]));
        loginNotice = reply.count >= 4 ? reply.fields[3] : QString();
        if (!reconnecting)
            m_rememberedPassword = password;
        break;
    }
    if (!HasError())
        Hello(reconnecting, false);
}

void TRequestNuraClient::Logout()
{
    if (!Ask("Logout", {B(128), S(QString())}))
        return;
    loggedIn = false;
    m_challenge = 0;
    loginInfo.clear();
    UseLoginKey(QByteArray());
    if (!HasError())
        Hello(false, false);
}

void TRequestNuraClient::ChangePassword(const QString& newPassword, QString& error)
{
    if (!Ask("Change Password", {B(134), S(EncodePassword(newPassword, m_challenge))})) {
        error = m_lastError;
        return;
    }
    if (m_lastAnswer.count != 1) {
        error = ErrorOr("Błędna odpowiedź serwera");
        return;
    }
    error = m_lastAnswer.fields[0];
    if (error.isEmpty()) {
        loginNotice.clear();
        m_rememberedPassword = newPassword;
    }
}

void TRequestNuraClient::Ping(const QString& text, QString& error)
{
    if (!Ask("Ping", {B(254), S(text)}))
        error = m_lastError;
    else if (m_lastAnswer.count == 1)
        error = m_lastAnswer.fields[0] == text ? QString() : Text("Błąd komunikacji");
    else
        error = ErrorOr("Zła wielkość odpowiedzi");
}
