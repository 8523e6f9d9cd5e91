#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One print queue of the CUPS scheduler (the one libcups finds: CUPS_SERVER,
// the client configuration, or the local one): what the program needs of
// it beyond what Qt's print support offers. Failures are texts.
class CupsQueue
{
public:
    // `name` as Qt names printers: the queue, or "queue/instance".
    explicit CupsQueue(QString name);

    // The queue's own settings (the scheduler's defaults and the user's
    // lpoptions) as keyword, value, keyword, value ...
    QStringList Options() const;
    // Where the queue's output goes, "ipp://..." or "file:///...".
    QString DeviceUri() const;
    // The text of the queue's PPD; empty for a queue without a driver.
    QByteArray Ppd(QString& error) const;
    // Sends a PDF document as a job with `options` (keyword, value, ...);
    // the scheduler's job number, or 0 with `error`.
    int Print(const QString& pdf, const QString& title, const QStringList& options,
              QString& error) const;

private:
    QByteArray m_queue;
    QByteArray m_instance;
};
