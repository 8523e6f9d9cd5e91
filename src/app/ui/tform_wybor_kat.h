#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;

// "Wybór katalogu": asks which catalog to connect to when the address of the
// last one changed and several catalogs share its port.
class TFormWyborKat : public QDialog
{
    Q_OBJECT
public:
    TFormWyborKat(const QStringList& namePaths, QWidget* parent);

    // Shows the window centred on `parent`; the index chosen with "Połącz",
    // or -1 when none was chosen or the window was closed otherwise.
    static int Wybierz(const QStringList& namePaths, QWidget* parent);

    QComboBox* List() const { return m_list; }

private:
    QComboBox* m_list = nullptr;
};
