#include "request_handler.h"

#include "computed_reports.h"
#include "data_paths.h"
#include "json_file.h"
#include "password_check.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

// Items after the code byte (and the sub-code byte).
class Args
{
public:
    explicit Args(const ParsedRequest& request)
        : m_items(request.items),
          m_first(request.items.size() > 1 && request.layout && request.layout->subCode >= 0 ? 2
                                                                                             : 1)
    {}
    QString Text(size_t i) const
    {
        const size_t at = m_first + i;
        return at < m_items.size() ? m_items[at].text : QString();
    }
    qint32 Number(size_t i) const
    {
        const size_t at = m_first + i;
        return at < m_items.size() ? m_items[at].number : 0;
    }
    QByteArray Upload() const
    {
        return !m_items.empty() && m_items.back().kind == WireItem::Kind::Upload
                   ? m_items.back().data
                   : QByteArray();
    }

private:
    const WireItems& m_items;
    size_t m_first;
};

SimReply StreamReply(ReplyShape shape = ReplyShape::Stream)
{
    SimReply reply;
    reply.shape = shape;
    return reply;
}

SimReply FailedStream(const QString& outcome, ReplyShape shape = ReplyShape::Stream)
{
    SimReply reply = StreamReply(shape);
    reply.streamFailed = true;
    reply.outcome = outcome;
    return reply;
}

SimReply FileStream(const QString& path, ReplyShape shape = ReplyShape::Stream)
{
    SimReply reply = StreamReply(shape);
    reply.streamFile = path;
    reply.outcome = QStringLiteral("stream %1 (%2 bytes)").arg(path).arg(QFileInfo(path).size());
    return reply;
}

QByteArray NewLoginKey()
{
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray key("XX");
    for (int i = 0; i < 8; ++i)
        key += kAlphabet[QRandomGenerator::global()->bounded(int(sizeof kAlphabet) - 1)];
    return key;
}

bool HasReadingRoomRight(const QString& rights)
{
    return rights.contains(QLatin1String("czytelnia"));
}

} // namespace

RequestHandler::RequestHandler(SimData& data, const SimOptions& options)
    : m_data(data), m_options(options)
{}

SimReply RequestHandler::ErrorReply(const ParsedRequest& request)
{
    const ReplyShape shape = request.layout ? request.layout->shape : ReplyShape::Count;
    SimReply reply;
    reply.outcome = QStringLiteral("error: ") + request.error;
    switch (shape) {
    case ReplyShape::Stream:
    case ReplyShape::StatusThenStream:
        reply.shape = shape;
        reply.text = request.error;
        reply.streamFailed = true;
        break;
    case ReplyShape::LongString:
    case ReplyShape::String:
        reply.shape = shape;
        reply.text = request.error;
        break;
    default:
        reply.shape = ReplyShape::Count;
        reply.count = 1;
        reply.fields = QStringList{request.error};
        break;
    }
    return reply;
}

SimReply RequestHandler::Handle(const ParsedRequest& request, const QString& recordLine,
                                SessionState& session)
{
    if (!request.error.isEmpty() || request.layout == nullptr)
        return ErrorReply(request);
    const Args args(request);
    switch (request.layout->code) {
    case 0: {
        SimReply reply;
        reply.shape = ReplyShape::None;
        reply.closeAfter = true;
        reply.outcome = QStringLiteral("goodbye");
        return reply;
    }
    case 253:
        return Hello(args.Text(0), session);
    case 30:
        return Description();
    case 128:
        return LoginName(args.Text(0), session);
    case 129:
        return LoginPassword(args.Text(0), session);
    case 134:
        return ChangePassword(args.Text(0), session);
    case 254:
        return SimReply::Count({args.Text(0)}, QStringLiteral("echo"));
    case 151:
        return Registry(request, session, recordLine);
    case 50:
    case 55:
    case 56:
    case 57:
    case 58:
        return Entry(request);
    case 100:
        return Report(request, recordLine);
    case 120:
        return File(request);
    case 220:
        return Blob(request, recordLine);
    default:
        return Canned(request, recordLine);
    }
}

SimReply RequestHandler::Hello(const QString& offer, const SessionState& session) const
{
    const bool accept =
        offer.startsWith(QLatin1String("UTF8|")) && !m_options.noUtf8 && !session.unicodeText;
    SimReply reply = SimReply::Count({accept ? QStringLiteral("&UTF8=T") : QString()},
                                     accept                ? QStringLiteral("UTF-8 accepted")
                                     : session.unicodeText ? QStringLiteral("greeting")
                                                           : QStringLiteral("8-bit text"));
    reply.eightBitReply = true;
    reply.utf8After = accept;
    return reply;
}

SimReply RequestHandler::Description() const
{
    SimReply reply;
    reply.shape = ReplyShape::LongString;
    reply.text = m_data.profile.Description();
    reply.outcome = QStringLiteral("description (%1 characters)").arg(reply.text.size());
    return reply;
}

SimReply RequestHandler::LoginName(const QString& name, SessionState& session) const
{
    // Both a new login and a logout end the current login; the client drops
    // the login key once it has read this reply.
    session.loggedIn = false;
    session.user.clear();
    session.candidate.clear();
    session.challenge = 0;
    SimReply reply;
    if (name.isEmpty()) {
        reply = SimReply::Count({}, QStringLiteral("logged out"));
    } else if (m_data.users.Find(name)) {
        session.candidate = name;
        session.challenge = QRandomGenerator::global()->bounded(1000, 1000000);
        reply = SimReply::Count({QString::number(session.challenge)},
                                QStringLiteral("challenge for %1").arg(name));
    } else {
        reply = SimReply::Count({}, QStringLiteral("unknown user %1").arg(name));
    }
    reply.loginKeyAfter = QByteArray();
    return reply;
}

SimReply RequestHandler::LoginPassword(const QString& sent, SessionState& session) const
{
    const std::optional<SimUser> user =
        session.candidate.isEmpty() ? std::nullopt : m_data.users.Find(session.candidate);
    if (!user || !PasswordMatches(sent, user->password, session.challenge))
        return SimReply::Count({}, QStringLiteral("wrong password"));
    session.loggedIn = true;
    session.user = user->name;
    QStringList fields{user->rights, user->loginInfo};
    SimReply reply;
    if (m_options.noLoginKey) {
        // The notice is the fourth field, so an empty third one must stand
        // in for the missing key.
        if (!user->loginNotice.isEmpty())
            fields << QString() << user->loginNotice;
        reply = SimReply::Count(fields, QStringLiteral("logged in %1").arg(user->name));
    } else {
        const QByteArray key = NewLoginKey();
        fields << QString::fromLatin1(key) << user->loginNotice;
        reply = SimReply::Count(
            fields,
            QStringLiteral("logged in %1, key %2").arg(user->name, QString::fromLatin1(key)));
        reply.loginKeyAfter = key;
    }
    return reply;
}

SimReply RequestHandler::ChangePassword(const QString& sent, SessionState& session) const
{
    if (!session.loggedIn)
        return SimReply::Count({QStringLiteral("Brak zalogowanego użytkownika")},
                               QStringLiteral("refused: not logged in"));
    const std::optional<QString> password = DecodePassword(sent, session.challenge);
    if (!password || password->isEmpty())
        return SimReply::Count({QStringLiteral("Błędna postać nowego hasła")},
                               QStringLiteral("refused: not an encoded password"));
    const QString error = m_data.users.ChangePassword(session.user, *password);
    if (!error.isEmpty())
        return SimReply::Count({QStringLiteral("Nie udało się zapisać hasła")},
                               QStringLiteral("refused: ") + error);
    return SimReply::Count({QString()}, QStringLiteral("password of %1 changed").arg(session.user));
}

SimReply RequestHandler::Registry(const ParsedRequest& request, const SessionState& session,
                                  const QString& recordLine) const
{
    // A canned reply for one type lets a test give the client a reply the
    // registry itself never writes.
    if (m_data.canned.Match(recordLine))
        return Canned(request, recordLine);
    const Args args(request);
    const QString type = args.Text(0);
    if (!session.loggedIn)
        return SimReply::Count({QStringLiteral("Brak zalogowanego użytkownika")},
                               QStringLiteral("refused: not logged in"));
    const std::optional<SimUser> user = m_data.users.Find(session.user);
    if (!user || !HasReadingRoomRight(user->rights))
        return SimReply::Count({QStringLiteral("Brak uprawnień do rejestracji odwiedzin")},
                               QStringLiteral("refused: no reading-room right"));
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    if (request.layout->subCode == 'I') {
        const QString error = m_data.registry.Add(today, type, args.Number(1));
        if (!error.isEmpty())
            return SimReply::Count({QStringLiteral("Błąd zapisu rejestru odwiedzin")},
                                   QStringLiteral("refused: ") + error);
        return SimReply::Count(
            {}, QStringLiteral("%1 now %2").arg(type).arg(m_data.registry.Count(today, type)));
    }
    const qint64 count = m_data.registry.Count(today, type);
    return SimReply::Count({type, QString::number(count)},
                           QStringLiteral("%1 is %2").arg(type).arg(count));
}

SimReply RequestHandler::Entry(const ParsedRequest& request) const
{
    // Wire order: kind, position, index number, then (for the walks) the
    // current key or prefix first and the prefix second.
    const Args args(request);
    const qint32 kind = args.Number(0);
    const qint32 index = args.Number(2);
    const QString first = args.Text(3);
    const QString second = args.Text(4);
    std::optional<QStringList> entry;
    switch (request.layout->code) {
    case 50:
        entry = m_data.lists.Exact(kind, index, first);
        break;
    case 55:
        entry = m_data.lists.First(kind, index, first + second);
        break;
    case 56:
        entry = m_data.lists.Next(kind, index, first, second);
        break;
    case 57:
        entry = m_data.lists.Last(kind, index, first + second);
        break;
    default:
        entry = m_data.lists.Prev(kind, index, first, second);
        break;
    }
    if (!entry)
        return SimReply::Count({}, QStringLiteral("no entry"));
    return SimReply::Count(*entry, QStringLiteral("entry %1").arg(entry->value(0)));
}

SimReply RequestHandler::Report(const ParsedRequest& request, const QString& recordLine) const
{
    if (request.layout->subCode != 3)
        return Canned(request, recordLine);
    const Args args(request);
    const qint32 number = args.Number(0);
    // A report file in the data folder wins over a computed report, so a
    // test can have any report it needs.
    const QString path = m_data.FilePath(QStringLiteral("reports/%1.txt").arg(number));
    if (QFileInfo(path).isFile())
        return FileStream(path);
    const std::optional<ComputedReport> computed = ComputeReport(
        number, args.Text(1), m_data.registry, m_data.profile.Structure(), QDate::currentDate());
    if (!computed)
        return FailedStream(QStringLiteral("no report %1").arg(number));
    if (!computed->error.isEmpty()) {
        // The JSON reply carries the text in place of the download; over TCP
        // a failed stream is a bare -1, so the text goes ahead of it as a
        // server message, which the client shows.
        SimReply reply =
            FailedStream(QStringLiteral("refused report %1: %2").arg(number).arg(computed->error));
        reply.text = computed->error;
        reply.messages = QStringList{computed->error};
        return reply;
    }
    SimReply reply = StreamReply();
    reply.streamData = computed->bytes;
    reply.outcome =
        QStringLiteral("computed report %1 (%2 bytes)").arg(number).arg(reply.streamData.size());
    return reply;
}

SimReply RequestHandler::File(const ParsedRequest& request) const
{
    const Args args(request);
    const QString root = m_data.FilePath(QStringLiteral("files"));
    const QString path = PathInside(root, args.Text(0));
    switch (request.layout->subCode) {
    case 1:
        if (path.isEmpty() || !QFileInfo(path).isFile())
            return FailedStream(QStringLiteral("no file %1").arg(args.Text(0)));
        return FileStream(path);
    case 2:
        if (path.isEmpty() || !QFileInfo(path).isFile())
            return SimReply::Count({}, QStringLiteral("no file %1").arg(args.Text(0)));
        return SimReply::Count({QString::number(QFileInfo(path).size())},
                               QStringLiteral("file %1").arg(args.Text(0)));
    default: {
        if (path.isEmpty())
            return SimReply::Count({QStringLiteral("Niedozwolona nazwa pliku")},
                                   QStringLiteral("refused name %1").arg(args.Text(0)));
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QString error = WriteFileAtomic(path, args.Upload());
        if (!error.isEmpty())
            return SimReply::Count({QStringLiteral("Błąd zapisu pliku")}, error);
        return SimReply::Count(
            {QString()},
            QStringLiteral("stored %1 (%2 bytes)").arg(path).arg(args.Upload().size()));
    }
    }
}

SimReply RequestHandler::Blob(const ParsedRequest& request, const QString& recordLine) const
{
    // Blobs live in blobs/<owner>/<name>: the first string names the owner
    // (a record), the second the blob.
    const Args args(request);
    const QString blobs = m_data.FilePath(QStringLiteral("blobs"));
    const QString folder = PathInside(blobs, args.Text(0));
    const QString noName = QStringLiteral("Niedozwolona nazwa");
    const int sub = request.layout->subCode;
    if (sub == 'F' || sub == 'L') {
        if (m_data.canned.Match(recordLine))
            return Canned(request, recordLine);
        QString text;
        const QFileInfoList files = folder.isEmpty()
                                        ? QFileInfoList()
                                        : QDir(folder).entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo& file : files) {
            text += sub == 'L' ? file.fileName() + QLatin1Char('|')
                               : QStringLiteral("%1=%2|").arg(file.fileName()).arg(file.size());
        }
        return SimReply::Count({text}, QStringLiteral("%1 blobs").arg(files.size()));
    }
    if (sub == 'G' || sub == 'P') {
        const ReplyShape shape = sub == 'G' ? ReplyShape::Stream : ReplyShape::StatusThenStream;
        const QString path = folder.isEmpty() ? QString() : PathInside(folder, args.Text(1));
        if (path.isEmpty() || !QFileInfo(path).isFile()) {
            SimReply reply = FailedStream(QStringLiteral("no blob"), shape);
            reply.text = QStringLiteral("Brak pliku");
            return reply;
        }
        return FileStream(path, shape);
    }
    if (folder.isEmpty())
        return SimReply::Count({noName}, QStringLiteral("refused owner %1").arg(args.Text(0)));
    QString name;
    if (sub == 'A') {
        // A new blob gets the next free number as its name, with the
        // extension the client sent; the name is the reply.
        const QString extension = args.Text(1);
        int number = 1;
        auto candidate = [&] {
            return QString::number(number) +
                   (extension.isEmpty() ? QString() : QLatin1Char('.') + extension);
        };
        while (QFileInfo::exists(QDir(folder).filePath(candidate())))
            ++number;
        name = candidate();
    } else {
        name = args.Text(1);
        if (sub == 'S' && !name.contains(QLatin1Char('.')) && !args.Text(2).isEmpty())
            name += QLatin1Char('.') + args.Text(2);
    }
    const QString path = PathInside(folder, name);
    if (path.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return SimReply::Count({noName}, QStringLiteral("refused name %1").arg(name));
    if (sub == 'D') {
        if (!QFile::remove(path))
            return SimReply::Count({QStringLiteral("Brak pliku")}, QStringLiteral("no blob"));
        return SimReply::Count({QString()}, QStringLiteral("deleted %1").arg(path));
    }
    QDir().mkpath(folder);
    const QString error = WriteFileAtomic(path, args.Upload());
    if (!error.isEmpty())
        return SimReply::Count({QStringLiteral("Błąd zapisu pliku")}, error);
    return SimReply::Count(
        {sub == 'A' ? name : QString()},
        QStringLiteral("stored %1 (%2 bytes)").arg(path).arg(args.Upload().size()));
}

SimReply RequestHandler::Canned(const ParsedRequest& request, const QString& recordLine) const
{
    const ReplyShape shape = request.layout->shape;
    const CannedReply* canned = m_data.canned.Match(recordLine);
    if (shape == ReplyShape::Stream || shape == ReplyShape::StatusThenStream) {
        if (canned == nullptr || !canned->stream)
            return FailedStream(QStringLiteral("no canned stream"), shape);
        SimReply reply = StreamReply(shape);
        reply.messages = canned->messages;
        reply.streamData = *canned->stream;
        reply.text = canned->fields.value(0);
        reply.outcome = QStringLiteral("canned stream (%1 bytes)").arg(reply.streamData.size());
        return reply;
    }
    if (canned == nullptr) {
        const QString field =
            m_options.longString >= 0
                ? QString(static_cast<qsizetype>(m_options.longString), QLatin1Char('x'))
                : QString();
        if (shape == ReplyShape::Count)
            return SimReply::Count({field}, QStringLiteral("default"));
        SimReply reply;
        reply.shape = shape;
        reply.text = field;
        reply.outcome = QStringLiteral("default");
        return reply;
    }
    SimReply reply;
    reply.shape = shape;
    reply.outcome = QStringLiteral("canned \"%1\"").arg(canned->request);
    if (shape == ReplyShape::Count) {
        reply.fields = canned->fields;
        reply.count = canned->count.value_or(static_cast<qint32>(canned->fields.size()));
        reply.messages = canned->messages;
    } else {
        reply.text = canned->fields.value(0);
    }
    return reply;
}
