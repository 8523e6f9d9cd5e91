#include "printer/ui/cups_printer_system.h"

#include "printer/dev_mode_record.h"
#include "printer/ppd_options.h"
#include "printer/ui/cups_job_options.h"
#include "printer/ui/cups_queue.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

namespace {

struct PaperSource
{
    QPrinter::PaperSource qt;
    qint16 bin;
};

constexpr PaperSource kPaperSources[] = {
    {QPrinter::OnlyOne, DMBIN_ONLYONE},
    {QPrinter::Lower, DMBIN_LOWER},
    {QPrinter::Middle, DMBIN_MIDDLE},
    {QPrinter::Manual, DMBIN_MANUAL},
    {QPrinter::Envelope, DMBIN_ENVELOPE},
    {QPrinter::EnvelopeManual, DMBIN_ENVMANUAL},
    {QPrinter::Auto, DMBIN_AUTO},
    {QPrinter::Tractor, DMBIN_TRACTOR},
    {QPrinter::SmallFormat, DMBIN_SMALLFMT},
    {QPrinter::LargeFormat, DMBIN_LARGEFMT},
    {QPrinter::LargeCapacity, DMBIN_LARGECAPACITY},
    {QPrinter::Cassette, DMBIN_CASSETTE},
    {QPrinter::FormSource, DMBIN_FORMSOURCE},
    {QPrinter::CustomSource, DMBIN_USER},
};

QString NoPrinterSelected()
{
    return QStringLiteral("Nie wybrano drukarki");
}

// Tenths of a millimetre, as the paper's length and width are kept.
qint16 Tenths(qreal millimetres)
{
    return static_cast<qint16>(std::clamp(std::lround(millimetres * 10), 0L, 32767L));
}

void ReadPaper(const QPageSize& paper, DevModeRecord& record)
{
    if (paper.windowsId() > 0)
        record.SetValue(DevModeShort::dmPaperSize, static_cast<qint16>(paper.windowsId()));
    const QSizeF size = paper.size(QPageSize::Millimeter);
    record.SetValue(DevModeShort::dmPaperWidth, Tenths(size.width()));
    record.SetValue(DevModeShort::dmPaperLength, Tenths(size.height()));
    record.SetFormName(paper.key());
}

void ReadFields(QPrinter& printer, DevModeRecord& record)
{
    const QPageLayout layout = printer.pageLayout();
    record.SetValue(DevModeShort::dmOrientation, layout.orientation() == QPageLayout::Landscape
                                                     ? DMORIENT_LANDSCAPE
                                                     : DMORIENT_PORTRAIT);
    ReadPaper(layout.pageSize(), record);
    record.SetValue(DevModeShort::dmCopies, static_cast<qint16>(printer.copyCount()));
    for (const PaperSource& source : kPaperSources) {
        if (source.qt == printer.paperSource())
            record.SetValue(DevModeShort::dmDefaultSource, source.bin);
    }
    // A positive print quality is the resolution in dots per inch.
    record.SetValue(DevModeShort::dmPrintQuality, static_cast<qint16>(printer.resolution()));
    record.SetValue(DevModeShort::dmYResolution, static_cast<qint16>(printer.resolution()));
    record.SetValue(DevModeShort::dmColor,
                    printer.colorMode() == QPrinter::Color ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME);
    record.SetValue(DevModeShort::dmDuplex, SidesOf(printer));
    record.SetValue(DevModeShort::dmCollate,
                    printer.collateCopies() ? DMCOLLATE_TRUE : DMCOLLATE_FALSE);
}

// The printer's own size of that name first: its margins are the
// driver's. Then a size known by number, last one made to measure.
QPageSize PaperOf(const DevModeRecord& record, const QPrinter& printer)
{
    const QString key = record.PaperKey();
    for (const QPageSize& size : QPrinterInfo(printer).supportedPageSizes()) {
        if (!key.isEmpty() && size.key() == key)
            return size;
    }
    if (record.Has(DM_PAPERSIZE)) {
        const QPageSize::PageSizeId id = QPageSize::id(record.Value(DevModeShort::dmPaperSize));
        if (id != QPageSize::Custom)
            return QPageSize(id);
    }
    const qint16 width = record.Value(DevModeShort::dmPaperWidth);
    const qint16 length = record.Value(DevModeShort::dmPaperLength);
    if (record.Has(DM_PAPERWIDTH) && record.Has(DM_PAPERLENGTH) && width > 0 && length > 0)
        return QPageSize(QSizeF(width / 10.0, length / 10.0), QPageSize::Millimeter);
    return QPageSize();
}

QPrinter::DuplexMode DuplexOf(qint16 sides)
{
    switch (sides) {
    case DMDUP_VERTICAL:
        return QPrinter::DuplexLongSide;
    case DMDUP_HORIZONTAL:
        return QPrinter::DuplexShortSide;
    default:
        return QPrinter::DuplexNone;
    }
}

void ApplyFields(const DevModeRecord& record, QPrinter& printer)
{
    if (record.Has(DM_ORIENTATION))
        printer.setPageOrientation(record.Value(DevModeShort::dmOrientation) == DMORIENT_LANDSCAPE
                                       ? QPageLayout::Landscape
                                       : QPageLayout::Portrait);
    const QPageSize paper = PaperOf(record, printer);
    if (paper.isValid())
        printer.setPageSize(paper);
    if (record.Has(DM_COPIES) && record.Value(DevModeShort::dmCopies) > 0)
        printer.setCopyCount(record.Value(DevModeShort::dmCopies));
    if (record.Has(DM_COLLATE))
        printer.setCollateCopies(record.Value(DevModeShort::dmCollate) == DMCOLLATE_TRUE);
    for (const PaperSource& source : kPaperSources) {
        if (record.Has(DM_DEFAULTSOURCE) &&
            source.bin == record.Value(DevModeShort::dmDefaultSource))
            printer.setPaperSource(source.qt);
    }
    if (record.Has(DM_COLOR))
        printer.setColorMode(record.Value(DevModeShort::dmColor) == DMCOLOR_COLOR
                                 ? QPrinter::Color
                                 : QPrinter::GrayScale);
    printer.setDuplex(DuplexOf(record.Sides()));
    if (record.Has(DM_YRESOLUTION) && record.Value(DevModeShort::dmYResolution) > 0)
        printer.setResolution(record.Value(DevModeShort::dmYResolution));
}

} // namespace

CupsPrinterSystem::CupsPrinterSystem() : m_printer(QPrinter::HighResolution) {}

QStringList CupsPrinterSystem::InstalledPrinters() const
{
    return QPrinterInfo::availablePrinterNames();
}

int CupsPrinterSystem::DefaultPrinterIndex() const
{
    const QStringList installed = InstalledPrinters();
    const qsizetype index = installed.indexOf(QPrinterInfo::defaultPrinterName());
    if (index < 0 && !installed.isEmpty())
        return 0;
    return static_cast<int>(index);
}

int CupsPrinterSystem::CurrentPrinterIndex() const
{
    const QString name = m_printer.printerName();
    return name.isEmpty() ? -1 : static_cast<int>(InstalledPrinters().indexOf(name));
}

QString CupsPrinterSystem::SelectPrinter(int index)
{
    const QString name = InstalledPrinters().value(index);
    if (name.isEmpty())
        return QStringLiteral("Nie ma drukarki numer %1").arg(index + 1);
    if (m_printer.printerName() == name)
        return QString();
    m_printer.setPrinterName(name);
    if (m_printer.printerName() != name)
        return QStringLiteral("Nie można wybrać drukarki %1").arg(name);
    return ResetSettings();
}

PrinterIdentity CupsPrinterSystem::CurrentIdentity() const
{
    const QString name = m_printer.printerName();
    if (name.isEmpty())
        return {};
    return {name, QPrinterInfo::printerInfo(name).makeAndModel(), CupsQueue(name).DeviceUri()};
}

QString CupsPrinterSystem::CaptureSettings(DevModeRecord& record)
{
    const QString name = m_printer.printerName();
    if (name.isEmpty())
        return NoPrinterSelected();
    const CupsQueue queue(name);
    QString error;
    const QVector<PpdOption> driver = ReadPpdOptions(queue.Ppd(error));
    if (!error.isEmpty())
        return error;
    // The driver's defaults, then the queue's own, then what the program
    // or the print dialog set for the next job.
    DevModeRecord captured(name, driver);
    captured.SetOptions(queue.Options());
    captured.SetOptions(CupsJobOptions(m_printer));
    ReadFields(m_printer, captured);
    captured.MatchDriverToFields(driver);
    record = captured;
    return QString();
}

QString CupsPrinterSystem::ApplySettings(const DevModeRecord& record)
{
    if (m_printer.printerName().isEmpty())
        return NoPrinterSelected();
    ApplyFields(record, m_printer);
    SetCupsJobOptions(m_printer, record.DriverJobOptions());
    return QString();
}

QString CupsPrinterSystem::ResetSettings()
{
    const QString name = m_printer.printerName();
    if (name.isEmpty())
        return NoPrinterSelected();
    // A new QPrinter keeps the paper it was made with when it moves to a
    // printer; the driver's own default paper comes from the printer.
    QPrinter fresh(QPrinter::HighResolution);
    fresh.setPrinterName(name);
    const QPrinterInfo driver = QPrinterInfo::printerInfo(name);
    m_printer.setPageLayout(fresh.pageLayout());
    if (driver.defaultPageSize().isValid())
        m_printer.setPageSize(driver.defaultPageSize());
    m_printer.setDuplex(driver.defaultDuplexMode());
    m_printer.setColorMode(driver.defaultColorMode());
    m_printer.setCopyCount(fresh.copyCount());
    m_printer.setCollateCopies(fresh.collateCopies());
    m_printer.setPaperSource(fresh.paperSource());
    m_printer.setResolution(fresh.resolution());
    SetCupsJobOptions(m_printer, QStringList());
    return QString();
}
