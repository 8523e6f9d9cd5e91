#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <utility>
#include <vector>

// A nura-sim process for one test: a fresh copy of the demo data, a free
// loopback port, and the record of every request it received.
//
// It is started with fork and exec rather than QProcess: ThreadSanitizer
// follows a plain fork, but not the clone QProcess uses, and then misses
// the locks the timer threads rely on.
class SimServer
{
public:
    // `files` are put into the data folder before the start, in place of
    // the demo's files of the same name.
    explicit SimServer(const QStringList& options = {},
                       const std::vector<std::pair<QString, QByteArray>>& files = {})
    {
        for (const auto& [path, bytes] : files)
            PutDataFile(path, bytes);
        QStringList arguments{QStringLiteral(NURA_SIM),   QStringLiteral("--demo"),
                              QStringLiteral("--port"),   QStringLiteral("0"),
                              QStringLiteral("--data"),   DataFolder(),
                              QStringLiteral("--record"), RecordFile()};
        arguments += options;
        m_https = !options.contains(QStringLiteral("--no-https"));
        m_http = options.contains(QStringLiteral("--http-port"));
        std::vector<QByteArray> bytes;
        for (const QString& argument : arguments)
            bytes.push_back(argument.toLocal8Bit());
        std::vector<char*> argv;
        for (QByteArray& argument : bytes)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        const QByteArray logPath = LogFile().toLocal8Bit();

        int output[2];
        if (pipe2(output, O_CLOEXEC) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            // A test that dies (a sanitizer's abort) takes its server along.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            dup2(output[1], STDOUT_FILENO);
            const int log = open(logPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(log, STDERR_FILENO);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(output[1]);
        m_output = output[0];
        ReadPort();
    }

    ~SimServer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            int status = 0;
            waitpid(m_pid, &status, 0);
        }
        if (m_output >= 0)
            close(m_output);
    }
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    bool Running() const { return m_port != 0 && (!m_https || m_httpsPort != 0); }
    int Port() const { return m_port; }
    int HttpsPort() const { return m_httpsPort; }
    // The plain HTTP side, when --http-port was given.
    int HttpPort() const { return m_httpPort; }
    // The URL of its HTTPS side, and the self-signed certificate it made
    // there, which a client trusts through "cafile".
    QString HttpsUrl() const
    {
        return QStringLiteral("https://127.0.0.1:%1/nura").arg(m_httpsPort);
    }
    QString CertificateFile() const
    {
        return QDir(DataFolder()).filePath(QStringLiteral("nura-sim-cert.pem"));
    }
    QString DataFolder() const { return m_folder.filePath(QStringLiteral("data")); }
    QString RecordFile() const { return m_folder.filePath(QStringLiteral("record.txt")); }
    QString LogFile() const { return m_folder.filePath(QStringLiteral("sim.log")); }

    // The requests received so far, one line each.
    QStringList Requests() const
    {
        QFile file(RecordFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The requests once there are at least `count` of them: a request the
    // client sends without waiting for a reply may still be on its way.
    QStringList RequestsWhenThere(qsizetype count) const
    {
        QStringList requests = Requests();
        for (int tries = 0; requests.size() < count && tries < 200; ++tries) {
            QThread::msleep(10);
            requests = Requests();
        }
        return requests;
    }

    // The requests after the greeting and login, the ones an operation sent.
    QStringList RequestsSince(qsizetype count) const { return Requests().mid(count); }

    // Writes a file into the data folder (canned replies, reports).
    bool PutDataFile(const QString& relativePath, const QByteArray& bytes) const
    {
        const QString path = QDir(DataFolder()).filePath(relativePath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(bytes) == bytes.size();
    }

private:
    // The first lines of its output name the ports it listens on: TCP
    // first, then HTTPS unless that side is off.
    void ReadPort()
    {
        const QRegularExpression tcp(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
        const QRegularExpression https(
            QStringLiteral("listening for HTTPS on 127\\.0\\.0\\.1:(\\d+)"));
        const QRegularExpression http(
            QStringLiteral("listening for HTTP on 127\\.0\\.0\\.1:(\\d+)"));
        pollfd waiting{m_output, POLLIN, 0};
        const auto waitingForMore = [this] {
            return m_port == 0 || (m_https && m_httpsPort == 0) || (m_http && m_httpPort == 0);
        };
        for (int lines = 0; lines < 8 && waitingForMore(); ++lines) {
            QByteArray line;
            char byte = 0;
            while (!line.endsWith('\n') && poll(&waiting, 1, 10000) == 1 &&
                   read(m_output, &byte, 1) == 1)
                line += byte;
            if (line.isEmpty())
                return;
            const QString text = QString::fromUtf8(line);
            const QRegularExpressionMatch httpsMatch = https.match(text);
            const QRegularExpressionMatch httpMatch = http.match(text);
            const QRegularExpressionMatch tcpMatch = tcp.match(text);
            if (httpsMatch.hasMatch())
                m_httpsPort = httpsMatch.captured(1).toInt();
            else if (httpMatch.hasMatch())
                m_httpPort = httpMatch.captured(1).toInt();
            else if (tcpMatch.hasMatch())
                m_port = tcpMatch.captured(1).toInt();
        }
    }

    QTemporaryDir m_folder;
    pid_t m_pid = -1;
    int m_output = -1;
    int m_port = 0;
    bool m_https = true;
    int m_httpsPort = 0;
    bool m_http = false;
    int m_httpPort = 0;
};
