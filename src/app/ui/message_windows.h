#pragma once

#include "app/message_window_layout.h"

#include <QString>

// The program's error, notice and question windows. Safe from any thread:
// the window is always shown on the GUI thread while the caller waits, and a
// process-wide lock lets one caller's window appear at a time.

void ShowError(const QString& text);
void ShowInfo(const QString& text);
// kAnswerYes for "Tak", kAnswerNo for "Nie", another value when the window
// was closed otherwise. The button of `defaultAnswer` has the focus.
int AskQuestion(const QString& text, int defaultAnswer);
