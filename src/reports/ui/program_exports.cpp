#include "reports/ui/program_exports.h"

#include "reports/my_report.h"
#include "reports/save_as_xlsx.h"
#include "reports/ui/save_as_pdf.h"

#include <memory>

void AddProgramExports(my_report& report)
{
    report.exports().push_back(std::make_unique<save_as_pdf>());
    report.exports().push_back(std::make_unique<save_as_xlsx>());
}
