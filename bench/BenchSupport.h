#pragma once
#include "LibraryLine.h"
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

class frmBrenvik;
struct mc_Brenvik;
namespace platform {
class ScriptedPrompts;
}

namespace bench {

// --- Timing -------------------------------------------------------------------------------------

using Clock = std::chrono::steady_clock;

// Seconds taken by one call.
double timed(const std::function<void()> &work);

// Lets the window do what a click leaves for the event loop: relayouts, repaints.
void settle();

// What a benchmark is held to: Brenvik over its baseline (the median of the pairs' ratios), at
// most `target`.
struct Goal {
    std::string what;     // the operation, as the table names it
    std::string baseline; // what Brenvik is compared with
    double target = 1.0;  // highest acceptable ratio
};

// Samples taken in pairs: each iteration measures Brenvik and its baseline back to back, in
// alternating order, so both see the same machine load and the ratio holds on a busy machine.
class Pairs {
public:
    // Runs both (each returns the seconds of its timed part), first one then the other.
    // Returns Brenvik's seconds, for the iteration time.
    double measure(const std::function<double()> &brenvik, const std::function<double()> &baseline);

    // Sets the counters (medians in ms, the median of the pairs' ratios, the target) and records
    // the verdict for the table.
    void report(benchmark::State &state, const Goal &goal) const;

private:
    std::vector<double> m_brenvik;
    std::vector<double> m_baseline;
};

// Prints every recorded verdict: benchmark, Brenvik, baseline, ratio, target, met or not.
void printVerdicts();

// --- A library made for the run -----------------------------------------------------------------

// The 13 vehicle-type codes (bitmap sub-folders) and the 15 country codes.
using libraryline::countryCodes;
using libraryline::typeCodes;

// Writes a library of `count` lines to `file` in chunks (little memory): varied labels, types,
// eras and countries, every 50th line a train in "consists" ("00012.bmp"), a few blank lines.
bool writeBigLibrary(const QString &file, int count);

// A vehicle drawn by us: body, windows, roof and wheels, 58 pixels high; `seed` varies it.
QImage vehiclePicture(int width, int seed);
// A smaller picture drawn over a vehicle: an animation frame (standing on row 57) or a
// pantograph picture (row 0).
QImage framePicture(int width, int height, int frame);
QImage pantographPicture(int width);

// Writes a 24-bit bitmap, folders made as needed.
bool writeBmp(const QImage &image, const QString &path);
bool writeBytes(const QString &path, const QByteArray &bytes);
QByteArray readBytes(const QString &path);
// Removes every file in a folder (the folder stays).
void emptyFolder(const QString &folder);

// A library of 100 vehicles drawn by us, 100 to 140 pixels wide (about 12,000 in all), in the
// type folders E, ET, D, V and DT, with an empty "consists" folder. Every fifth vehicle (2, 7,
// 12, ...) is animated: "d002_0.bmp" and its frames _1 to _3; every tenth (0, 10, ...) has a
// pantograph picture "e000_SAR.bmp". Vehicle 0 is a pantograph loco with attributes to inherit.
struct TrainLibrary {
    QString file;        // the library text file
    QString folder;      // its bitmap folder, without the trailing separator
    QStringList bitmaps; // the vehicles' bitmaps (frame 0 for the animated), in library order
    QByteArray text;     // the library file's content
    static constexpr int kVehicles = 100;
    static bool animated(int i) { return i % 5 == 2; }
    static bool pantograph(int i) { return i % 10 == 0; }
};
bool writeTrainLibrary(const QString &dir, TrainLibrary &lib);

// A main window on scripted prompts, shown offscreen, with a library opened through "Open".
struct Window {
    Window();
    ~Window();
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;

    // "Open" with the dialog answering `file`; false (and the message in `error`) on failure.
    bool open(const QString &file, std::string &error);
    // Clicks item `row` (from 0) of the vehicle list.
    void select(int row);

    mc_Brenvik *state;
    platform::ScriptedPrompts *prompts;
    frmBrenvik *window;
};

// The first message shown since the prompts were last cleared, or empty.
std::string firstMessage(const platform::ScriptedPrompts &prompts);

} // namespace bench
