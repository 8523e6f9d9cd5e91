#pragma once

#include <QDialog>
#include <QPoint>

class QLabel;
class QLineEdit;

// The change-password window: one password field under a label ("Nowe
// hasło:", "Powtórz nowe hasło:") and "OK". Created once at start.
class TOknoZmianyHasla : public QDialog
{
    Q_OBJECT
public:
    explicit TOknoZmianyHasla(QWidget* parent = nullptr);

    // One showing: the field cleared, `label` above it; centred on the
    // desktop when `forced`, else at `topLeft`. False when closed without
    // "OK" (Enter in the field counts as "OK").
    bool Ask(const QString& label, bool forced, QPoint topLeft, QString& password);

    QLineEdit* PasswordField() const { return m_field; }

private:
    QLabel* m_label = nullptr;
    QLineEdit* m_field = nullptr;
};
