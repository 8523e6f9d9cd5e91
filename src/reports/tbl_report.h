#pragma once

#include "reports/my_report.h"
#include "reports/report_description.h"

#include <QStringList>

#include <memory>

// The table report: a report file whose description draws a header band, a
// line band per data line and a footer band (see report_description.h).
class tbl_report final : public my_report
{
public:
    // Reads and parses the report file. Null when the report cannot be
    // shown; the reason has then gone to `messages` ("Brak pliku: " + path,
    // or the description's error text). `messages` must outlive the report.
    static std::unique_ptr<tbl_report> Open(const QString& title, const QString& path,
                                            OperatorMessages& messages, const SiteValues& site);
    ~tbl_report() override;

    void print_header(int section, int page) override;
    void print_line(int line) override;
    void print_footer(int section, int page, bool last) override;
    int design_width() const override;
    int page_height_units() const override;
    bool is_break(int line) const override;

    const QStringList& description_lines() const;
    const QStringList& data_lines() const;

private:
    tbl_report(const QString& title, OperatorMessages& messages, const SiteValues& site);
};
