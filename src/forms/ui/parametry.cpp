#include "forms/ui/parametry.h"

TOknoParametrow::TOknoParametrow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OknoParametrow"));
    setWindowTitle(QStringLiteral("Parametry zestawienia"));
}
