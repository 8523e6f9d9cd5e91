#pragma once

#include <QDialog>
#include <QPoint>

class QSpinBox;

// The counter dialog "Dodaj": how many visits to add at once (-1000..1000).
// Created once; the value stays as last entered between uses.
class TOknoLicznika : public QDialog
{
    Q_OBJECT
public:
    explicit TOknoLicznika(QWidget* parent = nullptr);

    // Shown with its top-left corner at `topLeft` (screen coordinates);
    // the number confirmed with "OK" or Enter, 0 when cancelled.
    int Ask(QPoint topLeft);

    QSpinBox* SpinEdit() const { return m_spin; }

private:
    QSpinBox* m_spin = nullptr;
};
