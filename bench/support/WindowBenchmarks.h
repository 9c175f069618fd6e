#pragma once

// The main of the benchmarks that make windows: the application object
// first, on the offscreen platform unless another is asked for, and the
// bench screen for every view, the windows' and the plain drawings' alike.

#include "bench/support/BenchScreen.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <stdlib.h>

// Runs the benchmarks the arguments choose; the caller has set the
// settings folder (XDG_CONFIG_HOME) before.
inline int RunWindowBenchmarks(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    UseBenchScreen();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
