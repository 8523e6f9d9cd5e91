#include "app/ui/program_windows.h"

#include "app/ui/tokno_czytelni.h"
#include "app/ui/tokno_licznika.h"
#include "app/ui/tokno_logowania.h"
#include "app/ui/tokno_zmiany_hasla.h"
#include "forms/ui/parametry.h"
#include "reports/ui/zestawienie.h"

ProgramWindows::ProgramWindows(const QString& configFile, const QString& programFolder)
    : m_czytelnia(std::make_unique<TOknoCzytelni>(configFile, programFolder)),
      m_parametry(std::make_unique<TOknoParametrow>()),
      m_licznik(std::make_unique<TOknoLicznika>()),
      m_zmianaHasla(std::make_unique<TOknoZmianyHasla>()),
      m_podglad(std::make_unique<TForm2>(m_czytelnia->PreviewSettings())),
      m_logowanie(std::make_unique<TOknoLogowania>(configFile, *m_zmianaHasla))
{
    m_logowanie->SetClientMode(QLatin1Char('C'));
    m_czytelnia->Attach(*m_licznik, *m_zmianaHasla, *m_logowanie, *m_parametry, *m_podglad);
}

ProgramWindows::~ProgramWindows()
{
    // In reverse order of creation, the login window first.
    m_logowanie.reset();
    m_podglad.reset();
    m_zmianaHasla.reset();
    m_licznik.reset();
    m_parametry.reset();
    m_czytelnia.reset();
}
