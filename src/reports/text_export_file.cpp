#include "reports/text_export_file.h"

#include "client/ansi_codec.h"
#include "operator_messages.h"
#include "reports/tbl_report.h"

namespace {

// Large reports are written in blocks rather than a write call per line.
constexpr qsizetype kBlockSize = 1 << 16;

} // namespace

const tbl_report* TableReportFor(my_report& report, OperatorMessages& messages)
{
    const auto* table = dynamic_cast<const tbl_report*>(&report);
    if (!table)
        messages.ShowMessage(QString::fromUtf8("Niedostępne dla tego zestawienia"));
    return table;
}

TextExportFile::TextExportFile(const QString& path) : m_file(path)
{
    m_failed = !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (!m_failed)
        m_buffer.reserve(kBlockSize + 1024);
}

bool TextExportFile::WriteLine(const QString& line)
{
    if (m_failed)
        return false;
    m_buffer += EncodeAnsi(line);
    m_buffer += "\r\n";
    return m_buffer.size() < kBlockSize || Flush();
}

bool TextExportFile::Flush()
{
    if (!m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_buffer.clear();
    return !m_failed;
}

bool TextExportFile::Finish(OperatorMessages& messages)
{
    if (!m_failed && Flush() && !m_file.flush())
        m_failed = true;
    m_file.close();
    if (m_failed)
        messages.ShowMessage(QString::fromUtf8("Błąd zapisywania pliku"));
    return !m_failed;
}
