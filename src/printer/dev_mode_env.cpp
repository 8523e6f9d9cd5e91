#include "printer/dev_mode_env.h"

#include <QIODevice>

namespace {

QString NotCaptured()
{
    return QStringLiteral("Ustawienia drukarki nie zostały jeszcze odczytane");
}

} // namespace

DevModeEnv::DevModeEnv(PrinterSystem& printers, int printerIndex)
    : m_printers(printers),
      m_printerIndex(printerIndex == kCurrentPrinter ? printers.CurrentPrinterIndex()
                                                     : printerIndex)
{}

QString DevModeEnv::Capture(bool fromCurrent)
{
    m_initialised = false;
    m_record = DevModeRecord();
    if (fromCurrent) {
        m_printerIndex = m_printers.CurrentPrinterIndex();
    } else {
        const QString error = m_printers.SelectPrinter(m_printerIndex);
        if (!error.isEmpty())
            return error;
    }
    m_identity = m_printers.CurrentIdentity();
    DevModeRecord record;
    const QString error = m_printers.CaptureSettings(record);
    if (!error.isEmpty())
        return error;
    // The print system's record is only of use when it holds what its
    // sizes promise.
    if (record.Size() < DevModeRecord::kPublicSize || record.Bytes().size() < record.Size())
        return QStringLiteral("Sterownik drukarki podał niepełne ustawienia");
    m_record = record;
    m_initialised = true;
    return QString();
}

int DevModeEnv::Size() const
{
    Q_ASSERT(m_initialised);
    return m_initialised ? m_record.Size() : 0;
}

QString DevModeEnv::Apply() const
{
    Q_ASSERT(m_initialised);
    if (!m_initialised)
        return NotCaptured();
    const QString error = m_printers.SelectPrinter(m_printerIndex);
    if (!error.isEmpty())
        return error;
    return m_printers.ApplySettings(m_record);
}

QString DevModeEnv::Write(QIODevice& stream) const
{
    Q_ASSERT(m_initialised);
    if (!m_initialised)
        return NotCaptured();
    if (stream.write(m_record.Bytes().constData(), Size()) != Size())
        return QStringLiteral("Nie można zapisać ustawień drukarki (%1)").arg(stream.errorString());
    return QString();
}

QString DevModeEnv::Read(QIODevice& stream)
{
    Q_ASSERT(m_initialised);
    if (!m_initialised)
        return NotCaptured();
    const QByteArray bytes = stream.read(Size());
    if (bytes.size() != Size())
        return QStringLiteral("Plik ustawień drukarki jest za krótki");
    m_record.SetBytes(bytes);
    return Apply();
}
