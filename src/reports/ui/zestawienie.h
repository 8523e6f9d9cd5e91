#pragma once

#include <QMainWindow>

// The report preview window, where a computed report's pages are looked at,
// printed and saved. Created once at start and shown for each report.
class TForm2 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
};
