#pragma once

#include "printer/dev_mode_record.h"
#include "printer/ppd_options.h"
#include "printer/printer_system.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// A print system held in memory for the printer-settings tests: installed
// printers, each with a driver (its options), and the settings of the
// printer selected now, as the tests set them. Selecting another printer
// starts from that printer's driver defaults, as a real print system does.
class MemoryPrinterSystem : public PrinterSystem
{
public:
    // A driver with `count` options "Opt1".."OptN", each with the choices
    // "a" (the default) and "b".
    static QVector<PpdOption> Driver(int count)
    {
        QVector<PpdOption> options;
        for (int i = 1; i <= count; ++i)
            options.append({QStringLiteral("Opt%1").arg(i),
                            QString(),
                            PpdOption::PickOne,
                            QStringLiteral("a"),
                            {{QStringLiteral("a"), QString()}, {QStringLiteral("b"), QString()}}});
        return options;
    }

    void Install(const QString& name, int driverOptions = 2)
    {
        m_names << name;
        m_drivers << Driver(driverOptions);
    }
    void ReplaceDriver(int index, int driverOptions) { m_drivers[index] = Driver(driverOptions); }
    void Rename(int index, const QString& name) { m_names[index] = name; }
    void SetDefault(int index) { m_default = index; }

    // What the user chose for the printer selected now.
    void Choose(const QString& keyword, const QString& choice) { m_choices[keyword] = choice; }
    void SetCopies(qint16 copies) { m_copies = copies; }
    QString Choice(const QString& keyword) const { return m_choices.value(keyword); }
    qint16 Copies() const { return m_copies; }
    int Captures() const { return m_captures; }

    QStringList InstalledPrinters() const override { return m_names; }
    int DefaultPrinterIndex() const override { return m_default; }
    int CurrentPrinterIndex() const override { return m_current; }

    QString SelectPrinter(int index) override
    {
        if (index < 0 || index >= m_names.size())
            return QStringLiteral("no printer %1").arg(index);
        if (index != m_current) {
            m_current = index;
            ResetSettings();
        }
        return QString();
    }

    PrinterIdentity CurrentIdentity() const override
    {
        return {m_names.value(m_current), QStringLiteral("driver"), QStringLiteral("port")};
    }

    QString CaptureSettings(DevModeRecord& record) override
    {
        if (m_current < 0)
            return QStringLiteral("no printer selected");
        ++m_captures;
        record = DevModeRecord(m_names[m_current], m_drivers[m_current]);
        for (auto it = m_choices.cbegin(); it != m_choices.cend(); ++it)
            record.SetOption(it.key(), it.value());
        record.SetValue(DevModeShort::dmCopies, m_copies);
        return QString();
    }

    QString ApplySettings(const DevModeRecord& record) override
    {
        if (m_current < 0)
            return QStringLiteral("no printer selected");
        for (const DriverChoice& option : record.Options())
            m_choices[option.keyword] = option.choice;
        m_copies = record.Value(DevModeShort::dmCopies);
        return QString();
    }

    QString ResetSettings() override
    {
        m_choices.clear();
        for (const PpdOption& option : m_drivers.value(m_current))
            m_choices[option.keyword] = option.defaultChoice;
        m_copies = 1;
        return QString();
    }

private:
    QStringList m_names;
    QVector<QVector<PpdOption>> m_drivers;
    int m_default = -1;
    int m_current = -1;
    QHash<QString, QString> m_choices;
    qint16 m_copies = 1;
    int m_captures = 0;
};
