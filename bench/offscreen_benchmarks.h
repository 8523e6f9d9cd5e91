#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

// The main of a benchmark binary that needs windows: its benchmarks run
// inside a QApplication, on Qt's offscreen platform unless QT_QPA_PLATFORM
// names another (`DISPLAY=:1 QT_QPA_PLATFORM=xcb` measures a real X
// server). `beforeQuit` runs after the benchmarks, while the application
// still stands.
inline int RunBenchmarksWithWindows(int argc, char** argv,
                                    const std::function<void()>& beforeQuit = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeQuit)
        beforeQuit();
    return 0;
}
