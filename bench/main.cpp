// Brenvik's benchmarks: every figure is Brenvik against a baseline measured in the same run.
//   brenvik_bench [Google Benchmark flags]   timing table, then the verdicts
//   brenvik_bench --memory                   peak memory with the 100,000-line library open
#include "BenchMemory.h"
#include "BenchSupport.h"
#include <QApplication>
#include <cstring>
#include <vector>

int main(int argc, char **argv)
{
    // The windows are real but never need a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    bool memory = false;
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--memory") == 0)
            memory = true;
        else
            args.push_back(argv[i]);
    }
    int benchArgc = int(args.size());
    args.push_back(nullptr);

    // Qt gets the program name only; the rest is for Google Benchmark.
    static int qtArgc = 1;
    static char *qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);

    if (memory)
        return bench::runMemoryMeasurement();

    benchmark::Initialize(&benchArgc, args.data());
    if (benchmark::ReportUnrecognizedArguments(benchArgc, args.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    bench::printVerdicts();
    benchmark::Shutdown();
    return 0;
}
