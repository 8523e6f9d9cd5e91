#pragma once

class my_report;

// Offers the formats the program adds after the report's own, in the save
// dialog's order: PDF, then the spreadsheet. The PDF writer is Qt's GUI side,
// which the report core does not link, so the program adds them.
void AddProgramExports(my_report& report);
