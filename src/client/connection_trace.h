#pragma once

#include <QString>

// The connection trace: a diagnostic log of every byte sent and every item
// read, off unless switched on (the programs' --trace option). The first line
// creates "log_tcp_<time>.txt" in the current folder; each line starts with
// the time to the millisecond and is flushed at once.

void SetTraceEnabled(bool enabled);
bool TraceEnabled();
void Trace(const QString& text);
