#include "config/code_page_setting.h"

#include "client/ansi_code_page.h"
#include "config/ini_file.h"

QString ApplyConfiguredCodePage(const QString& iniPath)
{
    // The file may itself be 8-bit text read through the page in force, but
    // the section, key and number are ASCII and read the same under any
    // page; only files opened after this call see the new page.
    const IniFile file(iniPath);
    const int page = file.ReadInteger(QStringLiteral("SYSTEM"), QStringLiteral("codepage"),
                                      kDefaultAnsiCodePage);
    return SelectAnsiCodePage(page);
}
