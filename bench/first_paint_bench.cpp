// From start to the first painted layout: the reading-room window, logged
// in automatically to nura-sim on loopback, until its buttons with their
// counts have been painted, next to a bare Qt window until its first paint.
// The reading-room window's time holds the six windows' creation, the
// configuration, the connection, the login, the catalog, one count read per
// button and the paint; the ratio says what all that costs over what any Qt
// window costs on the same machine. Two layouts: the demo's (10 buttons in
// nested group boxes) and a generated one of 300 buttons in 20 boxes.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "app/autologin_file.h"
#include "app/ui/program_windows.h"
#include "app/ui/tokno_czytelni.h"
#include "catalog/current_session.h"
#include "client/lm_timer.h"
#include "offscreen_benchmarks.h"
#include "side_by_side.h"
#include "sim_server.h"

#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

class BareWindow : public QWidget
{
public:
    bool painted = false;

private:
    void paintEvent(QPaintEvent*) override { painted = true; }
};

bool ShowBareWindow()
{
    BareWindow window;
    window.resize(300, 200);
    window.show();
    return QTest::qWaitFor([&window] { return window.painted; }, 10000);
}

// 300 buttons: 20 group boxes in a column, 15 buttons in a row in each.
QByteArray GeneratedLayout()
{
    QByteArray text = "{czytelnia={loc=V}";
    for (int box = 0; box < 20; ++box) {
        text += "{e={nam=Grupa " + QByteArray::number(box + 1) + "}{loc=H}";
        for (int button = 0; button < 15; ++button) {
            const QByteArray number = QByteArray::number(box * 15 + button + 1);
            text += "{e={nam=Kategoria " + number + "}{typ=T" + number + "}{bar=" + number + "}}";
        }
        text += "}";
    }
    return text + "}";
}

// A demo server, the program's configuration for it and an automatic login
// that points at it.
class ProgramUnderTest
{
public:
    explicit ProgramUnderTest(const std::vector<std::pair<QString, QByteArray>>& files)
        : m_sim({QStringLiteral("--quiet"), QStringLiteral("--no-https")}, files)
    {
        qputenv("XDG_CONFIG_HOME", m_folder.filePath(QStringLiteral("config")).toLocal8Bit());
        if (!m_sim.Running()) {
            m_failure = "nura-sim did not start";
            return;
        }
        QFile config(ConfigFile());
        if (!config.open(QIODevice::WriteOnly))
            m_failure = "cannot write the configuration";
        config.write("[WYPOŻYCZALNIA]\nip=127.0.0.1\nport=" + QByteArray::number(m_sim.Port()) +
                     "\n");
        AutoLogin login;
        login.ip = QStringLiteral("127.0.0.1");
        login.port = m_sim.Port();
        login.user = login.password = QStringLiteral("demo");
        if (!WriteAutoLogin(AutoLoginFilePath(), login).isEmpty())
            m_failure = "cannot write the automatic login";
    }

    const std::string& Failure() const { return m_failure; }

    // One start of the program, until its layout has been painted.
    bool Start() const
    {
        bool painted = false;
        {
            ProgramWindows windows(ConfigFile(), m_folder.path() + QLatin1Char('/'));
            TOknoCzytelni& window = windows.Czytelnia();
            QObject::connect(&window, &TOknoCzytelni::FirstLayoutPainted,
                             [&painted] { painted = true; });
            window.show();
            (void)QTest::qWaitFor([&] { return painted || window.Terminated(); }, 60000);
            EndCurrentSession();
        }
        return painted;
    }

private:
    QString ConfigFile() const { return m_folder.filePath(QStringLiteral("czytelnia.ini")); }

    QTemporaryDir m_folder;
    SimServer m_sim;
    std::string m_failure;
};

void StartToFirstPaint(benchmark::State& state,
                       const std::vector<std::pair<QString, QByteArray>>& files)
{
    const ProgramUnderTest program(files);
    if (!program.Failure().empty()) {
        state.SkipWithError(program.Failure().c_str());
        return;
    }
    SideBySide turns("bare_window", "czytelnia");
    for (auto _ : state) {
        if (!turns.Turn(ShowBareWindow, [&program] { return program.Start(); })) {
            state.SkipWithError("a window was not painted");
            return;
        }
    }
    turns.Report(state, 1, "starts");
    // How many bare windows' starts one start of the program takes.
    if (const auto it = state.counters.find("vs_bare_window"); it != state.counters.end())
        state.counters["times_bare_window"] = 1.0 / it->second.value;
}

void BM_StartToFirstPaint_Demo(benchmark::State& state)
{
    StartToFirstPaint(state, {});
}
BENCHMARK(BM_StartToFirstPaint_Demo)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_StartToFirstPaint_300Buttons(benchmark::State& state)
{
    StartToFirstPaint(state, {{QStringLiteral("struktura.txt"), GeneratedLayout()}});
}
BENCHMARK(BM_StartToFirstPaint_300Buttons)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksWithWindows(argc, argv, [] { TTimer::Shutdown(); });
}
