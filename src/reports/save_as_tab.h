#pragma once

#include "reports/my_save.h"

// The data as a tab-separated table without a header row.
class save_as_tab final : public my_save
{
public:
    save_as_tab() : my_save(QString::fromUtf8("Tekst separowany tabulacja|*.txt")) {}
    bool save(my_report& report, const QString& file, OperatorMessages& messages) override;
};
