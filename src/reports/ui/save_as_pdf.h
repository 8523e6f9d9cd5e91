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
