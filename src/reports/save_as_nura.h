#pragma once

#include "reports/my_save.h"

// The whole report file, description and data, in the code page with the character escapes, so the
// report reader reads it back.
class save_as_nura final : public my_save
{
public:
    save_as_nura() : my_save(QString::fromUtf8("Zestawienie NURA (SRP)|*.srp")) {}
    bool save(my_report& report, const QString& file, OperatorMessages& messages) override;
};
