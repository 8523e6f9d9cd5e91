#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

// A CUPS scheduler of the test's own: cupsd with its configuration, spool,
// cache, state and logs in a temporary folder, listening only on a unix
// socket there, with print queues whose output lands in PDF files in that
// folder. Start() points this process's libcups at it (CUPS_SERVER, which
// child processes inherit too), so Qt's print support and the program see
// its queues and nothing of the machine's own print system; nothing
// outside the temporary folder is touched. Works as root (cupsd then runs
// the filters as "lp") and as any other user.
//
// Start it before anything in the process asks for printers: libcups keeps
// the server it found first. One scheduler at a time per process.
class PrivateCups
{
public:
    PrivateCups();
    // Stops the scheduler.
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Starts cupsd and waits until its socket answers; an error text (with
    // the scheduler's log) when it does not.
    QString Start();
    bool IsRunning() const;
    // True when this process's libcups and its environment lead to this
    // scheduler and no other.
    bool IsCurrentServer() const;
    QString SocketPath() const;

    // The driver of a generic PDF printer (cups-filters): its jobs come out
    // as PDF documents, behind a header naming the job's driver options.
    static QString GenericPdfPpd();
    // A queue named `name` with the driver `ppd` whose jobs are written to
    // OutputFile(name) (each job replaces the file).
    QString AddPdfQueue(const QString& name, const QString& ppd = GenericPdfPpd());
    QString SetDefault(const QString& name);
    // Gives the queue another driver, as an administrator replacing it.
    QString ChangeDriver(const QString& name, const QString& ppd);
    QString OutputFile(const QString& queue) const;

    // Waits until the job has ended: empty when it completed, else what
    // became of it.
    QString WaitForJob(int jobId, int timeoutMs = 60000) const;
    // Waits until `count` jobs of the queue have ended; the numbers of its
    // jobs, newest last, through `jobs`.
    QString WaitForJobs(const QString& queue, int count, QList<int>* jobs = nullptr,
                        int timeoutMs = 60000) const;
    // The attributes of a job as the scheduler keeps them (the options it
    // was sent with among them), each as its text.
    QHash<QString, QString> JobAttributes(int jobId) const;

    // The scheduler's log, for messages of failed tests.
    QString Log() const;

private:
    QString Path(const QString& name) const;
    QString Administer(const QStringList& arguments) const;
    void Stop();

    QTemporaryDir m_dir;
    mutable pid_t m_pid = -1; // -1 once it has ended
};
