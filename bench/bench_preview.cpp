// Selecting a vehicle with variations: 40 overlay look-ups and the preview's load.
#include "BenchSupport.h"
#include "main/frmBrenvik.h"
#include "ScriptedPrompts.h"
#include "platform/widgets/ListBox.h"
#include "platform/widgets/PictureBox.h"
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

namespace {

// The overlays that lie beside the selected vehicle; the other 34 slots have none.
const char *const kOverlays[] = {"N0", "N1", "E0", "W3", "S0", "S9"};

// A library whose vehicle "br101" (flag "Y") lies in folder E among `others` other bitmaps.
bool writeSelectLibrary(const QString &dir, int others, QString &file, QString &bitmap)
{
    const QString folder = dir + QStringLiteral("/Select/E/");
    bitmap = folder + QStringLiteral("br101.bmp");
    if (!bench::writeBmp(bench::vehiclePicture(124, 7), bitmap))
        return false;
    for (const char *slot : kOverlays) {
        const QImage overlay = bench::framePicture(24, 12, 1);
        if (!bench::writeBmp(overlay, folder + QStringLiteral("br101_%1.bmp").arg(QLatin1String(slot))))
            return false;
    }
    // The other vehicles' bitmaps only have to be there: one picture's bytes serve them all.
    const QByteArray otherBytes = bench::readBytes(bitmap);
    QByteArray text;
    for (int i = 0; i < others; ++i) {
        const QByteArray name = "e" + QByteArray::number(i).rightJustified(4, '0') + ".bmp";
        if (!bench::writeBytes(folder + QLatin1String(name), otherBytes))
            return false;
        text += libraryline::libraryLine({"Other " + name, "4", "D", "E", "Y55NBNNN0N", name}) + "\r\n";
    }
    text += libraryline::libraryLine({"BR 101 with variations", "4", "D", "E", "Y55NBNNN0Y", "br101.bmp"}) + "\r\n";
    file = dir + QStringLiteral("/Select.txt");
    return bench::writeBytes(file, text);
}

void BM_SelectVehicleWithVariations(benchmark::State &state)
{
    const int others = int(state.range(0));
    QTemporaryDir dir;
    QString file;
    QString bitmap;
    if (!dir.isValid() || !writeSelectLibrary(dir.path(), others, file, bitmap)) {
        state.SkipWithError("cannot write the library");
        return;
    }
    // A real library's folders were last changed long before the click; Brenvik reads a folder
    // changed in the last 3 s afresh at every look-up (see findFileAnyCase).
    std::this_thread::sleep_for(std::chrono::milliseconds(3200));
    bench::Window w;
    std::string error;
    if (!w.open(file, error)) {
        state.SkipWithError(("the library does not open: " + error).c_str());
        return;
    }
    const int row = others; // the flagged vehicle is the last line
    QStringList overlays;
    const QString base = bitmap.left(bitmap.size() - 4);
    for (const char side : {'N', 'E', 'W', 'S'}) {
        for (int digit = 0; digit <= 9; ++digit)
            overlays.append(base + QLatin1Char('_') + QLatin1Char(side) + QString::number(digit) + QStringLiteral(".bmp"));
    }

    bench::Pairs pairs;
    int found = 0;
    for (auto _ : state) {
        const double t = pairs.measure(
            [&] {
                w.window->lstSource->setListIndex(row);
                const double s = bench::timed([&] { w.window->lstSource_Click(); });
                bench::settle();
                return s;
            },
            [&] {
                return bench::timed([&] {
                    found = 0;
                    for (const QString &overlay : std::as_const(overlays))
                        found += QFileInfo::exists(overlay) ? 1 : 0;
                    const QImage picture(bitmap);
                    found += picture.isNull() ? 0 : 1;
                });
            });
        state.SetIterationTime(t);
    }
    int available = 0;
    for (int k = 1; k <= 40; ++k)
        available += w.window->varExists()[size_t(k)] == QLatin1String("Y") ? 1 : 0;
    if (available != 6 || found != 7 || w.window->picPreview->Width() != 124 || !w.prompts->messages.isEmpty()) {
        state.SkipWithError("the selection did not find the six overlays and the picture");
        return;
    }
    state.counters["files_in_folder"] = double(others + 7);
    pairs.report(state, {"Select a vehicle with variations, " + std::to_string(others + 7) + " files in its folder",
                         "40 x QFileInfo::exists + one QImage load", 2.0});
}
BENCHMARK(BM_SelectVehicleWithVariations)
    ->Arg(20)
    ->Arg(500)
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

} // namespace
