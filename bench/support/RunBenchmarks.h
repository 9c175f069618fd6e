#pragma once

// The benchmark library's own main, for programs whose main does something
// first (an application object, a process of their own).

#include <benchmark/benchmark.h>

namespace bench {

inline int RunBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
