// The visit registry over a connection that keeps breaking: registers one
// visit at a time, many times over, through the session the reading-room
// program uses, reconnecting whenever the connection is lost, and then
// checks the server's count against what the program was told.
//
// A registration the program was told succeeded must be counted; one told
// "Wynik operacji nie jest wiarygodny" may or may not be (the connection
// broke after the request left, and the program never sends it twice). A
// failure of the connection that was not followed by a reconnection may
// have been counted too, since the program cannot tell how far the request
// got; a refusal by the server was answered, so it was not counted. For the
// server's count D of this run:
//
//     succeeded <= D <= succeeded + uncertain + failed
//
// A violation (a lost visit or one counted twice) ends with exit code 1, and
// so do refusals: the user may register visits, so a refusal means the
// session stopped working after a reconnection.
#include "catalog/current_session.h"
#include "catalog/login_dialogs.h"
#include "catalog/session_opening.h"
#include "catalog/twypozyczalnia.h"
#include "client/https_settings.h"
#include "client/nura_client_factory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <map>
#include <optional>

namespace {

const char kUsage[] = "Usage: zelvoran_visit_soak --address A [--port P] [--cafile FILE]\n"
                      "                           [--user U --password W] [--type T]\n"
                      "                           [--registrations N] [--registry FILE]\n"
                      "Registers N (default 100000) visits of type T (default SOAK), one at a\n"
                      "time, reconnecting after every lost connection, and checks the server's\n"
                      "count. --registry names the server's registry.json for a second check\n"
                      "that does not depend on the date. User demo/demo by default.\n";

struct SoakOptions
{
    QString address;
    qint32 port = 0;
    QString caFile;
    QString user = QStringLiteral("demo");
    QString password = QStringLiteral("demo");
    QString type = QStringLiteral("SOAK");
    qint64 registrations = 100000;
    QString registryFile;
};

void Say(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

std::optional<SoakOptions> ParseOptions(QStringList arguments)
{
    SoakOptions options;
    QString port;
    QString registrations;
    const std::pair<const char*, QString*> valued[] = {
        {"--address", &options.address},     {"--port", &port},
        {"--cafile", &options.caFile},       {"--user", &options.user},
        {"--password", &options.password},   {"--type", &options.type},
        {"--registrations", &registrations}, {"--registry", &options.registryFile},
    };
    while (arguments.size() >= 2) {
        bool matched = false;
        for (const auto& [name, value] : valued) {
            if (arguments.first() == QLatin1String(name)) {
                *value = arguments.at(1);
                arguments.remove(0, 2);
                matched = true;
                break;
            }
        }
        if (!matched)
            break;
    }
    bool portOk = port.isEmpty();
    if (!port.isEmpty())
        options.port = port.toInt(&portOk);
    bool countOk = registrations.isEmpty();
    if (!registrations.isEmpty())
        options.registrations = registrations.toLongLong(&countOk);
    const bool reachable = IsHttpsAddress(options.address) || options.port > 0;
    if (!arguments.isEmpty() || options.address.isEmpty() || !portOk || !countOk ||
        options.registrations < 0 || !reachable)
        return std::nullopt;
    return options;
}

// Says "Tak" to every question whether to connect again, as an operator who
// wants every visit counted would; only a server that stays away for many
// questions in a row is given up, so the run cannot hang.
class ReconnectingDialogs : public LoginDialogs
{
public:
    bool AskYes(const QString&) override
    {
        ++m_questions;
        return ++m_questionsInARow <= kQuestionsInARow;
    }
    void ShowError(const QString& text) override { Say(text); }
    void ShowInfo(const QString& text) override { Say(text); }
    void ShowPlain(const QString& text) override { Say(text); }
    bool AskPassword(const QString&, bool, QString&) override { return false; }
    void SetBusy(bool) override {}

    // The client's handlers.
    void ConnectionLost(const QString& text) { AskAndReconnect(text, *this); }
    void Message(const QString& text) { Say(text); }

    // An operation came back: the questions asked for it are over.
    void OperationDone() { m_questionsInARow = 0; }
    qint64 Questions() const { return m_questions; }

private:
    static constexpr int kQuestionsInARow = 200;
    qint64 m_questions = 0;
    int m_questionsInARow = 0;
};

// Opening a session can itself run into a broken connection (the login, or
// the catalog's reload); it is simply tried again.
bool OpenSession(const SoakOptions& options, ReconnectingDialogs& dialogs)
{
    SessionTarget target;
    target.address = options.address;
    target.port = options.port;
    target.user = options.user;
    target.password = options.password;
    target.service = QStringLiteral("czytelnia");
    target.identification = VersionIdentification(QLatin1Char('C'));
    target.onError = TTextHandler::Of<&ReconnectingDialogs::ConnectionLost>(&dialogs);
    target.onMessage = TTextHandler::Of<&ReconnectingDialogs::Message>(&dialogs);
    for (int attempt = 0; attempt < 20; ++attempt) {
        const bool opened = OpenSessionAndLogIn(target, LoginMode::Automatic, dialogs);
        dialogs.OperationDone();
        if (opened)
            return true;
    }
    Say(QStringLiteral("soak: no session with %1").arg(options.address));
    return false;
}

// The count as a fresh session reads it, so nothing of the run's own
// connection state can colour it.
std::optional<qint32> ServerCount(const SoakOptions& options, ReconnectingDialogs& dialogs)
{
    if (!OpenSession(options, dialogs))
        return std::nullopt;
    for (int attempt = 0; attempt < 20; ++attempt) {
        qint32 count = 0;
        const QString error = CurrentSession()->ReadCount(options.type, count);
        dialogs.OperationDone();
        if (error.isEmpty()) {
            EndCurrentSession();
            return count;
        }
        Say(QStringLiteral("soak: reading the count: ") + error);
    }
    EndCurrentSession();
    return std::nullopt;
}

// The type's visits on every date in the server's registry file: unlike the
// day's count, the sum does not change at midnight.
std::optional<qint64> RegistrySum(const QString& path, const QString& type)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    // The server writes the file at its first registration.
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QJsonObject dates = QJsonDocument::fromJson(file.readAll()).object();
    qint64 sum = 0;
    for (const QJsonValue& day : dates)
        sum += day.toObject().value(type).toInteger();
    return sum;
}

using TextCounts = std::map<QString, qint64>;

qint64 Total(const TextCounts& counts)
{
    qint64 total = 0;
    for (const auto& [text, times] : counts)
        total += times;
    return total;
}

struct Tally
{
    qint64 succeeded = 0;
    qint64 uncertain = 0;
    // Errors of the connection itself, by text.
    TextCounts failed;
    // The server's answers other than success, by text.
    TextCounts refused;
};

Tally RegisterAll(const SoakOptions& options, ReconnectingDialogs& dialogs)
{
    Tally tally;
    const QString uncertain = QStringLiteral("Wynik operacji nie jest wiarygodny");
    for (qint64 i = 0; i < options.registrations; ++i) {
        const QString error = CurrentSession()->Register(options.type, 1);
        dialogs.OperationDone();
        if (error.isEmpty())
            ++tally.succeeded;
        else if (error == uncertain)
            ++tally.uncertain;
        else if (CurrentSession()->Client().HasError())
            ++tally.failed[error];
        else
            ++tally.refused[error];
    }
    return tally;
}

// Whether `count` lies within what the program was told; prints why not.
bool WithinBounds(const char* source, qint64 count, const Tally& tally)
{
    const qint64 upper = tally.succeeded + tally.uncertain + Total(tally.failed);
    if (count >= tally.succeeded && count <= upper)
        return true;
    std::printf("VIOLATION: %s counted %lld, outside %lld..%lld\n", source,
                static_cast<long long>(count), static_cast<long long>(tally.succeeded),
                static_cast<long long>(upper));
    return false;
}

void PrintTexts(const char* label, const TextCounts& counts)
{
    std::printf("%-15s %lld\n", label, static_cast<long long>(Total(counts)));
    for (const auto& [text, times] : counts)
        std::printf("  %8lld  %s\n", static_cast<long long>(times), text.toLocal8Bit().constData());
}

void PrintTally(const SoakOptions& options, const Tally& tally)
{
    std::printf("server          %s\n", options.address.toLocal8Bit().constData());
    std::printf("registrations   %lld of type %s\n", static_cast<long long>(options.registrations),
                options.type.toLocal8Bit().constData());
    std::printf("succeeded       %lld\n", static_cast<long long>(tally.succeeded));
    std::printf("uncertain       %lld\n", static_cast<long long>(tally.uncertain));
    PrintTexts("failed", tally.failed);
    PrintTexts("refused", tally.refused);
}

int RunSoak(const SoakOptions& options)
{
    ReconnectingDialogs dialogs;
    const std::optional<qint32> before = ServerCount(options, dialogs);
    const std::optional<qint64> registryBefore = RegistrySum(options.registryFile, options.type);
    if (!before || !OpenSession(options, dialogs))
        return 1;
    QElapsedTimer clock;
    clock.start();
    const Tally tally = RegisterAll(options, dialogs);
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    EndCurrentSession();
    const std::optional<qint32> after = ServerCount(options, dialogs);
    if (!after)
        return 1;

    PrintTally(options, tally);
    const qint64 counted = static_cast<qint64>(*after) - *before;
    std::printf("server count    %d -> %d (+%lld)\n", *before, *after,
                static_cast<long long>(counted));
    bool ok = WithinBounds("the server's count", counted, tally);
    if (registryBefore) {
        const qint64 registryCounted =
            RegistrySum(options.registryFile, options.type).value_or(0) - *registryBefore;
        std::printf("registry.json   +%lld\n", static_cast<long long>(registryCounted));
        ok = WithinBounds("registry.json", registryCounted, tally) && ok;
    }
    if (!tally.refused.empty()) {
        std::printf("FAILURE: the server refused registrations the user may make\n");
        ok = false;
    }
    std::printf("reconnections   %lld questions answered\n",
                static_cast<long long>(dialogs.Questions()));
    std::printf("elapsed         %.1f s, %.0f registrations/s\n", seconds,
                seconds > 0 ? static_cast<double>(options.registrations) / seconds : 0.0);
    std::printf("%s\n", ok ? "OK" : "FAILED");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const std::optional<SoakOptions> options = ParseOptions(arguments);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!options->caFile.isEmpty()) {
        HttpsSettings https = ConfiguredHttpsSettings();
        https.caFile = options->caFile;
        SetHttpsSettings(https);
    }
    return RunSoak(*options);
}
