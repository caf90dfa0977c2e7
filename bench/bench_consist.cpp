// Inserting a vehicle into a long train costs what inserting into a short one does.
#include "BenchSupport.h"
#include "main/frmBrenvik.h"
#include "ScriptedPrompts.h"
#include "platform/widgets/ListBox.h"
#include "platform/widgets/PictureBox.h"
#include <QEvent>
#include <QTemporaryDir>

namespace {

// Counts the paints of the consist picture, so the table shows that the repaint was measured.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// A main window on the train library with a train of `count` plain vehicles composed.
struct Train {
    bench::Window w;
    PaintCounter counter;
    int count = 0;
    int timedPaints = 0; // paints of the consist picture inside the timed inserts

    bool compose(const bench::TrainLibrary &lib, int vehicles, std::string &error)
    {
        if (!w.open(lib.file, error))
            return false;
        for (int i = 0; count < vehicles; ++i) {
            const int row = i % bench::TrainLibrary::kVehicles;
            if (bench::TrainLibrary::animated(row) || bench::TrainLibrary::pantograph(row))
                continue;
            w.select(row);
            w.window->cmdAdd_Click();
            ++count;
        }
        bench::settle();
        w.window->picConsist->installEventFilter(&counter);
        error = bench::firstMessage(*w.prompts);
        return error.empty() && w.state->gConsistCount == vehicles;
    }

    // The insert and the repaint it asks for; then, untimed, back to `count` vehicles with the
    // train's right end in view, as after "show the right end".
    double insert()
    {
        platform::PictureBox &train = *w.window->picConsist;
        train.setLeft(760 - train.Width() - w.window->picPreview->Width());
        bench::settle();
        const int before = counter.paints;
        const double t = bench::timed([&] {
            w.window->cmdAdd_Click();
            bench::settle();
        });
        timedPaints += counter.paints - before;
        w.window->cmdUndo_Click();
        w.state->gConsistCount = int16_t(count); // Undo keeps the count of inserts
        bench::settle();
        return t;
    }
};

void BM_InsertIntoLongTrain(benchmark::State &state)
{
    QTemporaryDir dir;
    bench::TrainLibrary lib;
    if (!dir.isValid() || !bench::writeTrainLibrary(dir.path(), lib)) {
        state.SkipWithError("cannot write the library");
        return;
    }
    Train shortTrain;
    Train longTrain;
    std::string error;
    if (!shortTrain.compose(lib, 10, error) || !longTrain.compose(lib, 200, error)) {
        state.SkipWithError(("cannot compose the trains: " + error).c_str());
        return;
    }
    const int longWidth = longTrain.w.window->picConsist->Width();
    bench::Pairs pairs;
    for (auto _ : state) {
        const double t = pairs.measure([&] { return longTrain.insert(); }, [&] { return shortTrain.insert(); });
        state.SetIterationTime(t);
    }
    if (!shortTrain.w.prompts->messages.isEmpty() || !longTrain.w.prompts->messages.isEmpty()) {
        state.SkipWithError("an insert was refused");
        return;
    }
    state.counters["long_px"] = longWidth;
    state.counters["paints"] = double(longTrain.timedPaints) / double(state.iterations());
    pairs.report(state, {"Insert into a train of 200 (cmdAdd_Click + repaint)", "the same insert into a train of 10", 1.5});
}
BENCHMARK(BM_InsertIntoLongTrain)->UseManualTime()->Iterations(400)->Unit(benchmark::kMicrosecond);

} // namespace
