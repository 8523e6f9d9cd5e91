// Feeds any bytes to the client as the server's reply to one operation over
// a local socket pair. Whatever the bytes, the operation must end (the line
// closes after them) without a crash, with its error in the client's sticky
// state or in its result, and a usable client afterwards.
#include "client/standard_nura_client.h"
#include "client/tcp_client.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using Operation = void (*)(TNuraClient& client);

void RunRecord(TNuraClient& c)
{
    TNuraRecordPtr record = c.GetFirstEntry(1, 2, QStringLiteral("a"), QStringLiteral("b"), 3);
    if (record && (record->count < 1 || record->count > kMaxReplyFields))
        std::abort();
}

void RunAnswer(TNuraClient& c)
{
    TAnswer answer;
    c.GetRegistry(QStringLiteral("Czytelnia"), answer);
    if (answer.count < 0 || answer.count > kMaxReplyFields)
        std::abort();
}

const Operation kOperations[] = {
    RunRecord,
    RunAnswer,
    [](TNuraClient& c) { c.Hello(false, false); },
    [](TNuraClient& c) {
        QString error;
        c.Login(QStringLiteral("demo"), QStringLiteral("demo"), error, false,
                QStringLiteral("czytelnia"));
    },
    [](TNuraClient& c) {
        QString text;
        c.ReportProcedureText(5, QStringLiteral("a|1|"), text);
    },
    // An empty file name discards the stream.
    [](TNuraClient& c) { c.ReportProcedure(5, QStringLiteral("||"), QString()); },
    [](TNuraClient& c) {
        QByteArray data;
        QString status;
        c.BlobGetProtectedText(QStringLiteral("a"), QStringLiteral("b"), data, status,
                               TProgressHandler(), QStringLiteral("c"));
    },
    [](TNuraClient& c) {
        QString text;
        c.Booking(QStringLiteral("x"), text);
    },
    [](TNuraClient& c) {
        bool flag = false;
        QString text;
        qint32 n1 = 0;
        qint32 n2 = 0;
        QString s2;
        QString s3;
        c.DeletingDefaultsEx(QStringLiteral("a"), flag, text, n1, n2, s2, s3);
    },
    [](TNuraClient& c) {
        QString text;
        c.Programm(QStringLiteral("a"), QStringLiteral("b"), text, QStringLiteral("c"));
    },
};

constexpr std::size_t kOperationCount = sizeof kOperations / sizeof kOperations[0];

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2 || size > 60000)
        return 0;
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0)
        return 0;
    // The reply is written whole before the client runs: the peer's buffer
    // is made large enough, and the line closes behind the reply.
    const int bufferSize = 1 << 20;
    setsockopt(ends[1], SOL_SOCKET, SO_SNDBUF, &bufferSize, sizeof bufferSize);
    setsockopt(ends[0], SOL_SOCKET, SO_RCVBUF, &bufferSize, sizeof bufferSize);
    fcntl(ends[1], F_SETFL, O_NONBLOCK);
    const ssize_t written = write(ends[1], data + 2, size - 2);
    shutdown(ends[1], SHUT_WR);
    if (written == static_cast<ssize_t>(size - 2)) {
        auto socket = std::make_unique<LMSocket>(ends[0]);
        socket->SetWaitLimit(0);
        socket->SetUtf8((data[1] & 1) != 0);
        if ((data[1] & 2) != 0)
            socket->SetLoginKey(QByteArrayLiteral("XXklucz"));
        TStandardNuraClient client(std::move(socket), TTextHandler(), TTextHandler(),
                                   TTextHandler());
        kOperations[data[0] % kOperationCount](client);
        TAnswer answer;
        client.GetRegistry(QStringLiteral("Czytelnia"), answer); // still answers
    } else {
        close(ends[0]);
    }
    close(ends[1]);
    return 0;
}
