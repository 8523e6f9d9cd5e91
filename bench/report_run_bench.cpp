// "Odwiedziny w miesiącu" from the menu to the first painted page of its
// preview, over TCP and over HTTPS, against nura-sim on loopback with the
// parameter window answered at once (the month and year kept from an
// earlier run). The whole wait is split in four: the server working the
// report out (the simulator's own computation, timed in-process on the
// same data), the transfer (the client's request for the report less that
// server time), the drawing (the report received shown in the preview until
// its first page is painted) and the rest, which is mostly the parameter
// window built, answered and closed.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "app/autologin_file.h"
#include "app/ui/modal_runner.h"
#include "app/ui/program_windows.h"
#include "app/ui/tokno_czytelni.h"
#include "catalog/current_session.h"
#include "catalog/twypozyczalnia.h"
#include "client/lm_timer.h"
#include "client/nura_client.h"
#include "client/nura_text_helpers.h"
#include "computed_reports.h"
#include "offscreen_benchmarks.h"
#include "paint_watcher.h"
#include "reports/ui/zestawienie.h"
#include "sim_data.h"
#include "sim_server.h"
#include "started_program.h"

#include <QDate>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <memory>

namespace {

constexpr qint32 kMonthReport = 3;
const char kMonthReportName[] = "Odwiedziny w miesiącu";

using Clock = std::chrono::steady_clock;

double MillisecondsOf(const std::function<void()>& work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QAction* FindReport(const QMenu& menu, const QString& name)
{
    for (QAction* action : menu.actions()) {
        if (action->text() == name && action->menu() == nullptr)
            return action;
        if (action->menu() != nullptr) {
            if (QAction* found = FindReport(*action->menu(), name))
                return found;
        }
    }
    return nullptr;
}

// The first run fills the form in as a librarian does; the values stay for
// the timed runs.
void AnswerWithThisMonth()
{
    PrepareModalAnswer([](QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        QApplication::processEvents();
        const QDate today = QDate::currentDate();
        if (auto* month = dialog.findChild<QSpinBox*>())
            month->setValue(today.month());
        if (auto* year = dialog.findChild<QLineEdit*>()) {
            year->setFocus();
            year->home(false);
            QTest::keyClicks(year, QString::number(today.year()));
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button1")),
                          Qt::LeftButton);
        return dialog.result();
    });
}

// The simulator, the program logged in to it over the transport, and the
// report's menu item.
class ReportRun
{
public:
    explicit ReportRun(bool https) : m_sim({QStringLiteral("--quiet")})
    {
        qputenv("XDG_CONFIG_HOME", m_folder.filePath(QStringLiteral("config")).toLocal8Bit());
        if (!m_sim.Running()) {
            m_failure = "nura-sim did not start";
            return;
        }
        const QString ip = https ? m_sim.HttpsUrl() : QStringLiteral("127.0.0.1");
        const qint32 port = https ? m_sim.HttpsPort() : m_sim.Port();
        QFile config(ConfigFile());
        if (!config.open(QIODevice::WriteOnly)) {
            m_failure = "cannot write the configuration";
            return;
        }
        config.write(QStringLiteral("[WYPOŻYCZALNIA]\nip=%1\nport=%2\nuser=demo\n"
                                    "[HTTPS]\ncafile=%3\n")
                         .arg(ip)
                         .arg(port)
                         .arg(m_sim.CertificateFile())
                         .toUtf8());
        config.close();
        AutoLogin login{ip, port, QStringLiteral("demo"), QStringLiteral("demo")};
        if (!WriteAutoLogin(AutoLoginFilePath(), login).isEmpty()) {
            m_failure = "cannot write the automatic login";
            return;
        }
        m_windows = StartedProgram(ConfigFile(), m_folder.path() + QLatin1Char('/'));
        TOknoCzytelni& window = m_windows->Czytelnia();
        m_report = FindReport(*window.ReportMenu(), QString::fromUtf8(kMonthReportName));
        if (m_report == nullptr)
            m_failure = "no report in the menu";
        m_paints = std::make_unique<PaintWatcher>(*m_windows->Podglad().Picture());
    }
    ~ReportRun()
    {
        m_paints.reset();
        m_windows.reset();
        EndCurrentSession();
    }

    const std::string& Failure() const { return m_failure; }

    // From the menu click to the first page painted.
    bool RunFromTheMenu()
    {
        const qint64 before = m_windows->Podglad().Picture()->Picture().cacheKey();
        m_report->trigger();
        return m_windows->Podglad().Picture()->Picture().cacheKey() != before &&
               m_paints->WaitForPaint();
    }
    // The received report in the preview until its first page is painted.
    bool Draw()
    {
        Twypozyczalnia* session = CurrentSession();
        TForm2& preview = m_windows->Podglad();
        const qint64 before = preview.Picture()->Picture().cacheKey();
        return session != nullptr &&
               preview.show_report(QString::fromUtf8(kMonthReportName), RequestFile(),
                                   GetParam(session->Client(), QStringLiteral("stopka"))) &&
               preview.Picture()->Picture().cacheKey() != before && m_paints->WaitForPaint();
    }
    // The client's request alone, with the values the window sent.
    bool Request()
    {
        Twypozyczalnia* session = CurrentSession();
        return session != nullptr &&
               session->Client().ReportProcedure(kMonthReport, Values(), RequestFile());
    }
    // The simulator's data as it holds them while it serves.
    bool LoadServerData()
    {
        SimOptions options;
        options.quiet = true;
        return m_data.Load(m_sim.DataFolder(), options).isEmpty();
    }
    // The simulator's computation of the same report on the same data.
    bool Compute() const
    {
        const std::optional<ComputedReport> report =
            ComputeReport(kMonthReport, Values(), m_data.registry, m_data.profile.Structure(),
                          QDate::currentDate());
        return report.has_value() && report->error.isEmpty();
    }

private:
    QString ConfigFile() const { return m_folder.filePath(QStringLiteral("czytelnia.ini")); }
    QString RequestFile() const { return m_folder.filePath(QStringLiteral("request.tmp")); }
    QString Values() const { return m_windows->Czytelnia().Settings().lastValues; }

    QTemporaryDir m_folder;
    SimServer m_sim;
    std::unique_ptr<ProgramWindows> m_windows;
    std::unique_ptr<PaintWatcher> m_paints;
    SimData m_data;
    QAction* m_report = nullptr;
    std::string m_failure;
};

// Argument: 0 TCP, 1 HTTPS.
void BM_MonthReportFromTheMenu(benchmark::State& state)
{
    ReportRun run(state.range(0) == 1);
    if (!run.Failure().empty()) {
        state.SkipWithError(run.Failure().c_str());
        return;
    }
    AnswerWithThisMonth();
    if (!run.RunFromTheMenu() || !run.LoadServerData()) {
        state.SkipWithError("the first report was not shown");
        return;
    }
    double total = 0;
    double request = 0;
    double server = 0;
    double drawing = 0;
    bool shown = true;
    for (auto _ : state) {
        PrepareModalAnswer([](QDialog&) { return int(QDialog::Accepted); });
        const double turn = MillisecondsOf([&] { shown = shown && run.RunFromTheMenu(); });
        state.SetIterationTime(turn / 1000);
        total += turn;
        request += MillisecondsOf([&] { shown = shown && run.Request(); });
        server += MillisecondsOf([&] { shown = shown && run.Compute(); });
        drawing += MillisecondsOf([&] { shown = shown && run.Draw(); });
    }
    if (!shown) {
        state.SkipWithError("a report was not shown");
        return;
    }
    const double turns = double(state.iterations());
    state.counters["server_ms"] = server / turns;
    state.counters["transfer_ms"] = (request - server) / turns;
    state.counters["drawing_ms"] = drawing / turns;
    state.counters["parameters_and_rest_ms"] = (total - request - drawing) / turns;
}
BENCHMARK(BM_MonthReportFromTheMenu)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksWithWindows(argc, argv, [] { TTimer::Shutdown(); });
}
