#include "reports/ui/zestawienie.h"

TForm2::TForm2(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Zestawienie"));
}
