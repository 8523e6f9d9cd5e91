#pragma once

#include "reports/my_save.h"

// Every page of the report in one PDF file, through the print loop, as the
// printer would get it on A4.
class save_as_pdf final : public my_save
{
public:
    save_as_pdf() : my_save(QStringLiteral("Dokument PDF (PDF)|*.pdf")) {}
    bool save(my_report& report, const QString& file, OperatorMessages& messages) override;
};

// Offers the PDF export after the report's own formats. The PDF writer is
// Qt's GUI side, which the report core does not link, so the program adds it.
void AddPdfExport(my_report& report);
