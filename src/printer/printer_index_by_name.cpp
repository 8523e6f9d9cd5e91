#include "printer/printer_index_by_name.h"

int PrinterIndexByName(const QStringList& installed, const QString& name)
{
    static const QString kOn = QStringLiteral(" on ");
    for (qsizetype i = 0; i < installed.size(); ++i) {
        QStringView entry(installed[i]);
        const qsizetype on = entry.indexOf(kOn);
        if (on >= 0)
            entry = entry.left(on);
        if (entry.left(name.size()) == name)
            return static_cast<int>(i);
    }
    return -1;
}
