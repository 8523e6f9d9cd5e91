#pragma once

#include "reports/my_save.h"

// The page the preview shows, as a Windows bitmap.
class save_as_bitmap final : public my_save
{
public:
    save_as_bitmap() : my_save(QString::fromUtf8("Mapę bitową (BMP)|*.bmp")) {}
    bool save(my_report& report, const QString& file, OperatorMessages& messages) override;
};
