#pragma once

#include <QString>

#include <memory>

class TForm2;
class TOknoCzytelni;
class TOknoLicznika;
class TOknoLogowania;
class TOknoParametrow;
class TOknoZmianyHasla;

// The program's six windows, created once at start in this order and kept
// until it ends: the reading-room window (the main window), the report
// parameter window, the counter dialog, the change-password window, the
// report preview and the login window. The login window goes first at the
// end, writing the last login to the configuration file.
class ProgramWindows
{
public:
    ProgramWindows(const QString& configFile, const QString& programFolder);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TOknoCzytelni& Czytelnia() const { return *m_czytelnia; }
    TOknoLicznika& Licznik() const { return *m_licznik; }
    TOknoZmianyHasla& ZmianaHasla() const { return *m_zmianaHasla; }
    TOknoLogowania& Logowanie() const { return *m_logowanie; }
    TForm2& Podglad() const { return *m_podglad; }

private:
    std::unique_ptr<TOknoCzytelni> m_czytelnia;
    std::unique_ptr<TOknoParametrow> m_parametry;
    std::unique_ptr<TOknoLicznika> m_licznik;
    std::unique_ptr<TOknoZmianyHasla> m_zmianaHasla;
    std::unique_ptr<TForm2> m_podglad;
    std::unique_ptr<TOknoLogowania> m_logowanie;
};
