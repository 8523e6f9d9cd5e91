#include "printer/ui/cups_queue.h"

#include <QTemporaryFile>
#include <QUrl>

#include <cups/cups.h>

#include <memory>

namespace {

struct DestinationDeleter
{
    void operator()(cups_dest_t* destination) const { cupsFreeDests(1, destination); }
};
using Destination = std::unique_ptr<cups_dest_t, DestinationDeleter>;

QString LastCupsError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

} // namespace

CupsQueue::CupsQueue(QString name)
{
    const qsizetype slash = name.indexOf(u'/');
    m_queue = name.left(slash < 0 ? name.size() : slash).toUtf8();
    if (slash >= 0)
        m_instance = name.mid(slash + 1).toUtf8();
}

QStringList CupsQueue::Options() const
{
    const Destination destination(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, m_queue.constData(),
                         m_instance.isEmpty() ? nullptr : m_instance.constData()));
    QStringList options;
    if (!destination)
        return options;
    for (int i = 0; i < destination->num_options; ++i)
        options << QString::fromUtf8(destination->options[i].name)
                << QString::fromUtf8(destination->options[i].value);
    return options;
}

QString CupsQueue::DeviceUri() const
{
    const QStringList options = Options();
    const qsizetype at = options.indexOf(QStringLiteral("device-uri"));
    return at >= 0 && at % 2 == 0 ? options.value(at + 1) : QString();
}

// The scheduler serves every local queue's PPD as /printers/NAME.ppd; a
// queue without one (a raw queue) answers "not found", which is no error.
QByteArray CupsQueue::Ppd(QString& error) const
{
    error.clear();
    QTemporaryFile file;
    if (!file.open()) {
        error =
            QStringLiteral("Nie można utworzyć pliku tymczasowego (%1)").arg(file.errorString());
        return QByteArray();
    }
    const QByteArray resource =
        "/printers/" + QUrl::toPercentEncoding(QString::fromUtf8(m_queue)) + ".ppd";
    const http_status_t status = cupsGetFd(CUPS_HTTP_DEFAULT, resource.constData(), file.handle());
    if (status == HTTP_STATUS_NOT_FOUND)
        return QByteArray();
    if (status != HTTP_STATUS_OK) {
        error = QStringLiteral("Nie można odczytać sterownika drukarki %1 (%2)")
                    .arg(QString::fromUtf8(m_queue), LastCupsError());
        return QByteArray();
    }
    file.seek(0);
    return file.readAll();
}

int CupsQueue::Print(const QString& pdf, const QString& title, const QStringList& options,
                     QString& error) const
{
    error.clear();
    cups_option_t* list = nullptr;
    int count = 0;
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        count = cupsAddOption(options[i].toUtf8().constData(), options[i + 1].toUtf8().constData(),
                              count, &list);
    const int job =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, m_queue.constData(), pdf.toLocal8Bit().constData(),
                       title.toUtf8().constData(), count, list);
    cupsFreeOptions(count, list);
    if (job == 0)
        error = QStringLiteral("Drukarka %1 nie przyjęła wydruku (%2)")
                    .arg(QString::fromUtf8(m_queue), LastCupsError());
    return job;
}
