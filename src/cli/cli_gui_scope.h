#pragma once

#include <QApplication>

#include <memory>

class CliIo;

// Text needs fonts, and fonts come from the platform, which only a
// QGuiApplication sets up; the rich text view is made of widgets, which need
// a QApplication. The tool's main makes one for the commands that draw; run
// in-process without any application (as tests do), such a command makes
// its own, on the offscreen platform, for the time it runs.
class CliGuiScope
{
public:
    CliGuiScope();
    CliGuiScope(const CliGuiScope&) = delete;
    CliGuiScope& operator=(const CliGuiScope&) = delete;

    // Whether text can be drawn: a GUI application runs, the caller's or ours.
    bool Ready() const;
    // Whether widgets can be made: the application is a QApplication.
    bool ShowsWidgets() const;
    // Ends a command that found only a core application to draw with.
    static int Unavailable(CliIo& io);

private:
    char m_name[16] = "czytelnia-cli";
    char* m_argv[2] = {m_name, nullptr};
    int m_argc = 1;
    std::unique_ptr<QApplication> m_app;
};
