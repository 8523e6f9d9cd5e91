#pragma once

#include <QDialog>

// The report parameter window, where the librarian fills in a report's form
// before the server computes it. Created once at start; the form itself is
// built for each report run.
class TOknoParametrow : public QDialog
{
    Q_OBJECT
public:
    explicit TOknoParametrow(QWidget* parent = nullptr);
};
