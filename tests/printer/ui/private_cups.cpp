#include "private_cups.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtCore/qtestsupport_core.h>

#include <cups/cups.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

QString Cupsd()
{
    return QStringLiteral("/usr/sbin/cupsd");
}

QString Lpadmin()
{
    return QStringLiteral("/usr/sbin/lpadmin");
}

bool WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

// Who may do what: everyone everything, without asking for a password,
// since only this process and its children reach the socket.
QString SchedulerConfiguration(const QString& socket)
{
    return QStringLiteral("Listen %1\n"
                          "LogLevel info\n"
                          "MaxLogSize 0\n"
                          "Browsing No\n"
                          "BrowseLocalProtocols none\n"
                          "WebInterface No\n"
                          "DefaultAuthType None\n"
                          "ErrorPolicy abort-job\n"
                          "PreserveJobHistory Yes\n"
                          "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                          "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                          "<Policy default>\n"
                          "  JobPrivateAccess all\n  JobPrivateValues none\n"
                          "  SubscriptionPrivateAccess all\n  SubscriptionPrivateValues none\n"
                          "  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                          "</Policy>\n")
        .arg(socket);
}

// Every folder the scheduler writes is below `base`. As root it hands jobs
// to filters running as "lp" and keeps its own folders' owners; as anyone
// else it runs everything as that user, who must be its system group.
QString FilesConfiguration(const QString& base)
{
    QString text = QStringLiteral("ServerRoot %1/root\n"
                                  "RequestRoot %1/spool\n"
                                  "CacheDir %1/cache\n"
                                  "StateDir %1/state\n"
                                  "ErrorLog %1/log/error_log\n"
                                  "AccessLog %1/log/access_log\n"
                                  "PageLog %1/log/page_log\n"
                                  "Printcap %1/root/printcap\n"
                                  "FileDevice Yes\n"
                                  "Sandboxing relaxed\n")
                       .arg(base);
    if (getuid() == 0) {
        text += QStringLiteral("SystemGroup root\n");
    } else {
        const passwd* user = getpwuid(getuid());
        const group* primary = getgrgid(getgid());
        if (user)
            text += QStringLiteral("User %1\n").arg(QString::fromLocal8Bit(user->pw_name));
        if (primary) {
            const QString name = QString::fromLocal8Bit(primary->gr_name);
            text += QStringLiteral("Group %1\nSystemGroup %1\n").arg(name);
        }
    }
    return text;
}

bool SocketAnswers(const QByteArray& path)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return connected;
}

struct JobsDeleter
{
    int count;
    void operator()(cups_job_t* jobs) const { cupsFreeJobs(count, jobs); }
};

// Every job the scheduler knows, finished ones too.
std::unique_ptr<cups_job_t, JobsDeleter> AllJobs(const QString& queue, int& count)
{
    cups_job_t* jobs = nullptr;
    const QByteArray name = queue.toUtf8();
    count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.isEmpty() ? nullptr : name.constData(), 0,
                         CUPS_WHICHJOBS_ALL);
    count = count < 0 ? 0 : count;
    return std::unique_ptr<cups_job_t, JobsDeleter>(jobs, JobsDeleter{count});
}

bool Ended(ipp_jstate_t state)
{
    return state >= IPP_JSTATE_STOPPED;
}

QString StateText(ipp_jstate_t state)
{
    switch (state) {
    case IPP_JSTATE_COMPLETED:
        return QString();
    case IPP_JSTATE_STOPPED:
        return QStringLiteral("stopped");
    case IPP_JSTATE_CANCELED:
        return QStringLiteral("canceled");
    case IPP_JSTATE_ABORTED:
        return QStringLiteral("aborted");
    default:
        return QStringLiteral("still waiting or printing");
    }
}

} // namespace

PrivateCups::PrivateCups() : m_dir(QDir::tempPath() + QStringLiteral("/cups-XXXXXX")) {}

PrivateCups::~PrivateCups()
{
    Stop();
}

QString PrivateCups::Path(const QString& name) const
{
    return m_dir.filePath(name);
}

QString PrivateCups::SocketPath() const
{
    return Path(QStringLiteral("cups.sock"));
}

QString PrivateCups::OutputFile(const QString& queue) const
{
    return Path(QStringLiteral("out/%1.pdf").arg(queue));
}

QString PrivateCups::GenericPdfPpd()
{
    return QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd");
}

QString PrivateCups::Start()
{
    if (!m_dir.isValid())
        return QStringLiteral("no temporary folder: %1").arg(m_dir.errorString());
    // The filters, run as "lp" under root, must reach the driver and the
    // spooled documents below the folder.
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther);
    QDir base(m_dir.path());
    if (!base.mkpath(QStringLiteral("root")) || !base.mkpath(QStringLiteral("out")) ||
        !base.mkpath(QStringLiteral("log")))
        return QStringLiteral("cannot make the scheduler's folders");
    const QString conf = Path(QStringLiteral("root/cupsd.conf"));
    const QString files = Path(QStringLiteral("root/cups-files.conf"));
    if (!WriteText(conf, SchedulerConfiguration(SocketPath())) ||
        !WriteText(files, FilesConfiguration(m_dir.path())))
        return QStringLiteral("cannot write the scheduler's configuration");

    const QByteArray program = Cupsd().toLocal8Bit();
    const QByteArray confPath = conf.toLocal8Bit();
    const QByteArray filesPath = files.toLocal8Bit();
    const QByteArray output = Path(QStringLiteral("log/cupsd.out")).toLocal8Bit();
    m_pid = fork();
    if (m_pid == 0) {
        // A test that dies (a sanitizer's abort) takes its scheduler along.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int log = open(output.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        execl(program.constData(), program.constData(), "-f", "-c", confPath.constData(), "-s",
              filesPath.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (m_pid < 0)
        return QStringLiteral("cannot start cupsd");
    const QByteArray socket = SocketPath().toLocal8Bit();
    if (!QTest::qWaitFor([&] { return !IsRunning() || SocketAnswers(socket); }, 30000) ||
        !IsRunning())
        return QStringLiteral("cupsd did not start:\n") + Log();
    qputenv("CUPS_SERVER", socket);
    // The default printer comes from here, not from the caller's settings.
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    cupsSetServer(socket.constData());
    return QString();
}

bool PrivateCups::IsRunning() const
{
    if (m_pid <= 0)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == 0)
        return true;
    m_pid = -1;
    return false;
}

bool PrivateCups::IsCurrentServer() const
{
    return IsRunning() && qEnvironmentVariable("CUPS_SERVER") == SocketPath() &&
           QString::fromLocal8Bit(cupsServer()) == SocketPath();
}

void PrivateCups::Stop()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
}

QString PrivateCups::Administer(const QStringList& arguments) const
{
    QProcess lpadmin;
    lpadmin.start(Lpadmin(), QStringList{QStringLiteral("-h"), SocketPath()} + arguments);
    if (!lpadmin.waitForFinished(60000) || lpadmin.exitStatus() != QProcess::NormalExit ||
        lpadmin.exitCode() != 0)
        return QStringLiteral("lpadmin %1 failed: %2")
            .arg(arguments.join(u' '), QString::fromLocal8Bit(lpadmin.readAllStandardError()));
    return QString();
}

QString PrivateCups::AddPdfQueue(const QString& name, const QString& ppd)
{
    return Administer({QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                       QStringLiteral("file://") + OutputFile(name), QStringLiteral("-P"), ppd});
}

QString PrivateCups::SetDefault(const QString& name)
{
    return Administer({QStringLiteral("-d"), name});
}

QString PrivateCups::ChangeDriver(const QString& name, const QString& ppd)
{
    return Administer({QStringLiteral("-p"), name, QStringLiteral("-P"), ppd});
}

QString PrivateCups::WaitForJob(int jobId, int timeoutMs) const
{
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    const bool ended = QTest::qWaitFor(
        [&] {
            int count = 0;
            const auto jobs = AllJobs(QString(), count);
            for (int i = 0; i < count; ++i) {
                if (jobs.get()[i].id == jobId)
                    state = jobs.get()[i].state;
            }
            return Ended(state);
        },
        timeoutMs);
    const QString text = StateText(state);
    if (ended && text.isEmpty())
        return QString();
    return QStringLiteral("job %1 %2\n%3").arg(jobId).arg(text, Log());
}

QString PrivateCups::WaitForJobs(const QString& queue, int count, QList<int>* jobs,
                                 int timeoutMs) const
{
    QList<int> ids;
    QString failed;
    const bool ended = QTest::qWaitFor(
        [&] {
            int known = 0;
            const auto list = AllJobs(queue, known);
            ids.clear();
            failed.clear();
            int done = 0;
            for (int i = 0; i < known; ++i) {
                const cups_job_t& job = list.get()[i];
                ids << job.id;
                done += Ended(job.state) ? 1 : 0;
                if (Ended(job.state) && !StateText(job.state).isEmpty())
                    failed += QStringLiteral("job %1 %2\n").arg(job.id).arg(StateText(job.state));
            }
            return done >= count;
        },
        timeoutMs);
    std::sort(ids.begin(), ids.end());
    if (jobs)
        *jobs = ids;
    if (ended && failed.isEmpty())
        return QString();
    return (ended ? failed : QStringLiteral("jobs of %1 did not end\n").arg(queue)) + Log();
}

QHash<QString, QString> PrivateCups::JobAttributes(int jobId) const
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr,
                 QStringLiteral("ipp://localhost/jobs/%1").arg(jobId).toUtf8().constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "all");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QHash<QString, QString> attributes;
    for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute;
         attribute = ippNextAttribute(response)) {
        if (!ippGetName(attribute))
            continue;
        char value[2048];
        ippAttributeString(attribute, value, sizeof(value));
        attributes.insert(QString::fromUtf8(ippGetName(attribute)), QString::fromUtf8(value));
    }
    ippDelete(response);
    return attributes;
}

QString PrivateCups::Log() const
{
    QString log;
    for (const char* name : {"log/cupsd.out", "log/error_log"}) {
        QFile file(Path(QString::fromLatin1(name)));
        if (file.open(QIODevice::ReadOnly))
            log += QString::fromLocal8Bit(file.readAll());
    }
    return log;
}
