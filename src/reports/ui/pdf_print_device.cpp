#include "reports/ui/pdf_print_device.h"

#include "reports/ui/qt_surface.h"

#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>

namespace {

// A4 without margins of the writer's own: the report places itself by its
// own margins, as on a printer's printable area.
QPageLayout A4Layout(ReportOrientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       orientation == ReportOrientation::Landscape ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait,
                       QMarginsF());
}

} // namespace

PdfPrintDevice::PdfPrintDevice(QString file, ReportOrientation orientation, int resolution)
    : m_fileName(std::move(file)), m_layout(A4Layout(orientation)), m_resolution(resolution),
      m_blank(resolution, m_layout.paintRectPixels(resolution).width(),
              m_layout.paintRectPixels(resolution).height())
{}

// The painter must finish the document before the writer and the file go.
PdfPrintDevice::~PdfPrintDevice()
{
    Close();
}

// The file is opened here rather than by the writer, which would only say
// that painting did not start, not why.
bool PdfPrintDevice::Begin(const QString& title)
{
    m_file.setFileName(m_fileName);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = QString::fromUtf8("Nie można utworzyć pliku %1 (%2)")
                      .arg(m_fileName, m_file.errorString());
        return false;
    }
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Czytelnia"));
    m_writer->setResolution(m_resolution);
    m_writer->setPageLayout(m_layout);
    m_surface = std::make_unique<QtSurface>(*m_writer);
    return true;
}

Surface& PdfPrintDevice::Page()
{
    if (m_surface)
        return *m_surface;
    return m_blank;
}

bool PdfPrintDevice::NewPage()
{
    if (m_writer && m_writer->newPage())
        return true;
    m_error = QString::fromUtf8("Nie można dodać strony do pliku %1").arg(m_fileName);
    return false;
}

bool PdfPrintDevice::End()
{
    Close();
    if (m_file.error() == QFileDevice::NoError)
        return true;
    m_error = QString::fromUtf8("Błąd zapisu pliku %1 (%2)").arg(m_fileName, m_file.errorString());
    return false;
}

void PdfPrintDevice::Abort()
{
    const bool opened = m_writer != nullptr;
    Close();
    if (opened)
        m_file.remove();
}

void PdfPrintDevice::Close()
{
    m_surface.reset();
    m_writer.reset();
    if (m_file.isOpen())
        m_file.close();
}
