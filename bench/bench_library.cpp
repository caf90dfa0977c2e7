// Opening a 100,000-line library, and the memory it takes once open.
#include "BenchMemory.h"
#include "BenchSupport.h"
#include "main/frmBrenvik.h"
#include "ScriptedPrompts.h"
#include "platform/widgets/ListBox.h"
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kLines = 100000;

void BM_OpenLibrary(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Big.txt"));
    if (!dir.isValid() || !bench::writeBigLibrary(file, kLines)) {
        state.SkipWithError("cannot write the library");
        return;
    }
    bench::Window w;
    std::string error;
    if (!w.open(file, error)) { // the first open also warms the file cache for both sides
        state.SkipWithError(("the library does not open: " + error).c_str());
        return;
    }

    bench::Pairs pairs;
    qsizetype plainLines = 0;
    for (auto _ : state) {
        const double t = pairs.measure(
            [&] {
                // "Open" as the user does it: the dialog names the file, the list fills and shows.
                w.prompts->clear();
                w.prompts->chooseNext(file);
                return bench::timed([&] {
                    w.window->menuOpen_Click();
                    bench::settle();
                });
            },
            [&] {
                return bench::timed([&] {
                    QFile f(file);
                    if (f.open(QIODevice::ReadOnly)) {
                        const QList<QByteArray> lines = f.readAll().split('\n');
                        plainLines = lines.size();
                    }
                });
            });
        state.SetIterationTime(t);
    }
    if (w.window->lstSource->ListCount() != kLines || plainLines < kLines || !w.prompts->messages.isEmpty()) {
        state.SkipWithError("the list was not filled with every line");
        return;
    }
    pairs.report(state, {"Open a 100,000-line library (menuOpen_Click)", "QFile readAll + split into lines", 4.0});
}
BENCHMARK(BM_OpenLibrary)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

// The peak resident memory of the process so far, and the current one, in kB.
long statusField(const char *field)
{
    FILE *f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long value = -1;
    const size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, field, n) == 0 && line[n] == ':') {
            value = std::atol(line + n + 1);
            break;
        }
    }
    std::fclose(f);
    return value;
}

} // namespace

namespace bench {

int runMemoryMeasurement()
{
    constexpr double kTargetMb = 150;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Big.txt"));
    // Written in 1 MB chunks, so making the file adds nothing to the peak.
    if (!dir.isValid() || !writeBigLibrary(file, kLines)) {
        std::fprintf(stderr, "cannot write the library\n");
        return 1;
    }
    const long startKb = statusField("VmHWM");
    Window w;
    const long windowKb = statusField("VmHWM");
    std::string error;
    if (!w.open(file, error)) {
        std::fprintf(stderr, "the library does not open: %s\n", error.c_str());
        return 1;
    }
    const long openKb = statusField("VmHWM");
    const long openRssKb = statusField("VmRSS");
    // The add-consist window reads the library again after each train: old and new tables meet.
    w.window->LoadList();
    settle();
    const long reloadKb = statusField("VmHWM");
    const long reloadRssKb = statusField("VmRSS");

    const auto mb = [](long kb) { return double(kb) / 1024.0; };
    std::printf("\nPeak memory (VmHWM of this process, offscreen), 100,000-line library (%lld bytes)\n",
                static_cast<long long>(QFile(file).size()));
    std::printf("  Qt started, no window:             %8.1f MB\n", mb(startKb));
    std::printf("  main window shown, nothing open:    %8.1f MB\n", mb(windowKb));
    std::printf("  library opened (menuOpen_Click):    %8.1f MB  (resident now %.1f MB; the library added %.1f MB)\n",
                mb(openKb), mb(openRssKb), mb(openKb - windowKb));
    std::printf("  library read again (LoadList):      %8.1f MB  (resident now %.1f MB)\n", mb(reloadKb),
                mb(reloadRssKb));
    const bool met = mb(reloadKb) < kTargetMb;
    std::printf("  target: peak under %.0f MB with the library open: %s (peak %.1f MB)\n", kTargetMb,
                met ? "met" : "MISSED", mb(reloadKb));
    std::fflush(stdout);
    return 0;
}

} // namespace bench
