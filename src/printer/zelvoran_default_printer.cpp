#include "printer/zelvoran_default_printer.h"

#include "operator_messages.h"
#include "printer/printer_index_by_name.h"
#include "printer/printer_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

ZelvoranDefaultPrinter::ZelvoranDefaultPrinter(PrinterSystem& printers) : m_printers(printers) {}

ZelvoranDefaultPrinter::~ZelvoranDefaultPrinter() = default;

QString ZelvoranDefaultPrinter::NoPrintersText()
{
    return QStringLiteral("UWAGA: brak zainstalowanych drukarek");
}

DevModeEnv* ZelvoranDefaultPrinter::Find(const QString& name) const
{
    for (const auto& [key, record] : m_records) {
        if (key == name)
            return record.get();
    }
    return nullptr;
}

QString ZelvoranDefaultPrinter::Remember(const QString& name)
{
    return Remember(name, m_printers.CurrentPrinterIndex());
}

QString ZelvoranDefaultPrinter::Remember(const QString& name, int printerIndex)
{
    DevModeEnv* record = Find(name);
    if (record) {
        m_mostRecent = record;
        return record->Capture(true);
    }
    auto created = std::make_unique<DevModeEnv>(m_printers, printerIndex);
    const QString error = created->Capture(false);
    if (!error.isEmpty())
        return error;
    m_mostRecent = created.get();
    m_records.emplace_back(name, std::move(created));
    return QString();
}

QString ZelvoranDefaultPrinter::Save(const QString& name, QIODevice& stream) const
{
    const DevModeEnv* record = Find(name);
    if (!record)
        return QStringLiteral("Brak zapamiętanych ustawień drukarki %1").arg(name);
    return record->Write(stream);
}

QString ZelvoranDefaultPrinter::SaveToFile(const QString& name, const QString& fileName) const
{
    // The per-user folder is not there until the program first keeps
    // something in it.
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("Nie można utworzyć pliku %1 (%2)").arg(fileName, file.errorString());
    return Save(name, file);
}

QString ZelvoranDefaultPrinter::Load(const QString& name, QIODevice& stream)
{
    const qint64 start = stream.pos();
    const QByteArray publicPart = stream.read(DevModeRecord::kPublicSize);
    if (publicPart.size() != DevModeRecord::kPublicSize)
        return QStringLiteral("Plik ustawień drukarki jest za krótki");
    const int index = PrinterIndexByName(DevModeRecord::DeviceNameOf(publicPart));
    if (index < 0)
        return QStringLiteral("Nazwa drukarki zapisanej w pliku nie występuje w systemie");
    if (Find(name))
        return QString();
    const QString error = Remember(name, index);
    if (!error.isEmpty())
        return error;
    DevModeEnv& record = *Find(name);
    if (record.Size() != DevModeRecord::SizeOf(publicPart))
        return QStringLiteral("Wielkość zapisanego i aktualnego bufora jest różna. Prawdopodobnie "
                              "podmieniono sterownik drukarki.");
    if (!stream.seek(start))
        return QStringLiteral("Nie można ponownie odczytać ustawień drukarki");
    return record.Read(stream);
}

QString ZelvoranDefaultPrinter::LoadFromFile(const QString& name, const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Nie można otworzyć pliku %1 (%2)").arg(fileName, file.errorString());
    return Load(name, file);
}

int ZelvoranDefaultPrinter::PrinterIndexByName(const QString& name) const
{
    return ::PrinterIndexByName(m_printers.InstalledPrinters(), name);
}

bool ZelvoranDefaultPrinter::SelectSavedPrinter(const QString& name, const QString& fileName,
                                                OperatorMessages& messages)
{
    const QStringList installed = m_printers.InstalledPrinters();
    QString error;
    const int fallback = m_printers.DefaultPrinterIndex();
    if (fallback >= 0)
        error = m_printers.SelectPrinter(fallback);
    const int named = static_cast<int>(installed.indexOf(name));
    if (error.isEmpty() && named >= 0)
        error = m_printers.SelectPrinter(named);
    if (error.isEmpty() && m_printers.CurrentPrinterIndex() < 0)
        return false;
    if (error.isEmpty())
        error = ResetDeviceSettings();
    if (error.isEmpty() && !Find(name) && !fileName.isEmpty() && QFile::exists(fileName))
        error = LoadFromFile(name, fileName);
    if (const DevModeEnv* record = Find(name); error.isEmpty() && record)
        error = record->Apply();
    if (error.isEmpty())
        return true;
    messages.ShowMessage(error);
    return false;
}

QString ZelvoranDefaultPrinter::RememberChosenPrinter(QString& name, const QString& fileName)
{
    const int current = m_printers.CurrentPrinterIndex();
    const QStringList installed = m_printers.InstalledPrinters();
    if (current < 0 || current >= installed.size())
        return NoPrintersText();
    QString error;
    if (installed[current] != name) {
        name = installed[current];
        if (!Find(name))
            error = Remember(name);
    } else {
        error = Remember(name);
    }
    if (error.isEmpty() && !fileName.isEmpty())
        error = SaveToFile(name, fileName);
    return error;
}

QString ZelvoranDefaultPrinter::ResetDeviceSettings()
{
    return m_printers.ResetSettings();
}
