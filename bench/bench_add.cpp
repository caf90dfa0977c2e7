// "Add" of a 100-vehicle train, against joining the same bitmaps with ImageMagick, and against
// the same reading and writing done plainly.
#include "BenchSupport.h"
#include "add_consist/frmAdd.h"
#include "main/frmBrenvik.h"
#include "ScriptedPrompts.h"
#include "platform/widgets/ListBox.h"
#include "platform/widgets/PictureBox.h"
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// ImageMagick's own program: the one in the system's folder first, else whatever is on the path.
QString imageMagick()
{
    const QString system = QStandardPaths::findExecutable(QStringLiteral("convert"), {QStringLiteral("/usr/bin")});
    return system.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("convert")) : system;
}

// What the consist holds after the 100 inserts, to start every Add from the same train.
struct Consist {
    QImage picture;
    QList<SpecialItem> specials;
    int16_t specialCount = 0;
    int16_t count = 0;
    VehicleRecord inherited;
};

void BM_AddTrain(benchmark::State &state)
{
    const QString convert = imageMagick();
    if (convert.isEmpty()) {
        state.SkipWithError("ImageMagick's convert is not installed");
        return;
    }
    QTemporaryDir dir;
    bench::TrainLibrary lib;
    if (!dir.isValid() || !bench::writeTrainLibrary(dir.path(), lib)) {
        state.SkipWithError("cannot write the library");
        return;
    }
    const QString consists = lib.folder + QStringLiteral("/consists");

    // The train composed as the user does it: vehicle 0 inherited, then the other 99.
    bench::Window w;
    std::string error;
    if (!w.open(lib.file, error)) {
        state.SkipWithError(("the library does not open: " + error).c_str());
        return;
    }
    for (int i = 0; i < bench::TrainLibrary::kVehicles; ++i) {
        w.select(i);
        w.window->chkInherit->setChecked(i == 0);
        w.window->cmdAdd_Click();
    }
    bench::settle();
    Consist train{w.window->picConsist->surface().Image(), w.state->gSpecials, w.state->gSpecialCount,
                  w.state->gConsistCount, w.state->gInherited};
    if (train.count != 100 || train.specialCount != 30 || !w.prompts->messages.isEmpty()) {
        state.SkipWithError(("the train was not composed: " + bench::firstMessage(*w.prompts)).c_str());
        return;
    }

    QStringList convertArgs = lib.bitmaps;
    const QString joined = dir.filePath(QStringLiteral("joined.bmp"));
    convertArgs << QStringLiteral("+append") << joined;

    // The floor: the 100 bitmaps read and the Add's files written, with nothing in between. The
    // files' bytes are taken from the first Add, untimed.
    const QString plainFolder = dir.filePath(QStringLiteral("plain"));
    QDir().mkpath(plainFolder);
    QList<QPair<QString, QByteArray>> plainFiles;

    const auto addOnce = [&](bool &failed, qsizetype &written) {
        // Erase Last takes the previous Add's train out of the queue; then a fresh consist,
        // an empty consists folder and the library as it was.
        w.window->Command1_Click();
        bench::emptyFolder(consists);
        bench::writeBytes(lib.file, lib.text);
        w.window->LoadList();
        w.window->picConsist->surface().setPicture(train.picture);
        w.window->picConsist->setLeft(0);
        w.state->gSpecials = train.specials;
        w.state->gSpecialCount = train.specialCount;
        w.state->gConsistCount = train.count;
        w.state->gInherited = train.inherited;
        w.prompts->clear();
        frmAdd add(*w.state, *w.prompts, *w.window, w.window);
        add.show();
        add.txtCycle->setText(QStringLiteral("4"));
        add.chkSAR[0]->setChecked(true);
        bench::settle();
        const double s = bench::timed([&] {
            add.cmdAdd_Click();
            bench::settle();
        });
        failed = failed || w.window->lstOriginalFile->ListCount() != 1 || !w.prompts->messages.isEmpty();
        written = QDir(consists).entryList(QDir::Files).size();
        return s;
    };

    bench::Pairs peer;
    bench::Pairs floor;
    qsizetype written = 0;
    for (auto _ : state) {
        bool failed = false;
        const double t = peer.measure([&] { return addOnce(failed, written); },
                                      [&] {
                                          QFile::remove(joined);
                                          QProcess magick;
                                          const double s = bench::timed([&] {
                                              magick.start(convert, convertArgs);
                                              magick.waitForFinished(-1);
                                          });
                                          failed = failed || magick.exitStatus() != QProcess::NormalExit
                                              || magick.exitCode() != 0 || !QFileInfo::exists(joined);
                                          return s;
                                      });
        floor.measure([&] { return addOnce(failed, written); },
                      [&] {
                          if (plainFiles.isEmpty()) {
                              for (const QString &name : QDir(consists).entryList(QDir::Files))
                                  plainFiles.append({name, bench::readBytes(consists + QLatin1Char('/') + name)});
                          }
                          bench::emptyFolder(plainFolder);
                          int pictures = 0;
                          const double s = bench::timed([&] {
                              for (const QString &bitmap : std::as_const(lib.bitmaps))
                                  pictures += QImage(bitmap).isNull() ? 0 : 1;
                              for (const auto &[name, bytes] : std::as_const(plainFiles)) {
                                  QFile f(plainFolder + QLatin1Char('/') + name);
                                  if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size())
                                      ++pictures;
                              }
                          });
                          failed = failed || pictures != lib.bitmaps.size() + plainFiles.size();
                          return s;
                      });
        state.SetIterationTime(t);
        if (failed || written != 5 || plainFiles.size() != 5) {
            state.SkipWithError(("Add, convert or the plain work failed: " + bench::firstMessage(*w.prompts)).c_str());
            break;
        }
    }
    if (state.error_occurred())
        return;
    state.counters["train_px"] = train.picture.width();
    state.counters["files"] = double(written);
    floor.report(state, {"Add a train of 100, floor: plain reads + writes",
                         "QImage reads of the 100 bitmaps + QFile writes of the 5 files", 2.0});
    // The counters shown are the peer's.
    peer.report(state, {"Add a train of 100: 4 frames + pantograph (frmAdd)",
                        "convert <the 100 bitmaps> +append out.bmp (a process)", 0.5});
}
BENCHMARK(BM_AddTrain)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
