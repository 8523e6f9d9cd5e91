#pragma once

#include "app/ui/program_windows.h"
#include "app/ui/tokno_czytelni.h"

#include <QTest>

#include <memory>

// The program's windows with the configuration file `configFile` and the
// working folder `folder` (ending with a separator), shown and waited for
// until the first paint has logged in and built the layout, or the program
// has ended.
inline std::unique_ptr<ProgramWindows> StartedProgram(const QString& configFile,
                                                      const QString& folder)
{
    auto windows = std::make_unique<ProgramWindows>(configFile, folder);
    TOknoCzytelni& window = windows->Czytelnia();
    window.show();
    // Long enough for a login under the sanitizers.
    (void)QTest::qWaitFor([&window] { return window.LayoutBuilt() || window.Terminated(); }, 20000);
    return windows;
}
