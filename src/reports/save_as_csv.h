#pragma once

#include "reports/my_save.h"

// The data as a semicolon-separated table with a header row of the line band's field names.
class save_as_csv final : public my_save
{
public:
    save_as_csv() : my_save(QString::fromUtf8("Tabela tekstowa (CSV)|*.csv")) {}
    bool save(my_report& report, const QString& file, OperatorMessages& messages) override;
};
