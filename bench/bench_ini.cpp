// Appending 10,000 queued entries to USER_BMP.INI.
#include "BenchSupport.h"
#include "main/Library.h"
#include "main/frmBrenvik.h"
#include "ScriptedPrompts.h"
#include "platform/widgets/ListBox.h"
#include "shared/EntryLine.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int kEntries = 10000;

// Entries as "queue the single vehicle" makes them, from varied library vehicles.
QStringList makeEntries(const QString &libFolder)
{
    QStringList entries;
    entries.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        libraryline::LineColumns l;
        l.label = "Coach no. " + QByteArray::number(i) + " of the evening express";
        l.type = bench::typeCodes()[size_t(i) % bench::typeCodes().size()];
        l.country = bench::countryCodes()[size_t(i / 3) % bench::countryCodes().size()];
        l.flags = libraryline::flagColumns("YN3"[i % 3], 40 + i % 51, i % 7 == 0 ? 'Y' : 'N', "LRB"[i % 3], 'N', 'N',
                                           'N', i % 5, 'N');
        l.file = "v" + QByteArray::number(i).rightJustified(6, '0') + ".bmp";
        const QByteArray line = libraryline::libraryLine(l);
        entries.append(entryline::buildEntry(entryline::entryValuesFor(library::readRecord(line, libFolder))));
    }
    return entries;
}

void BM_AppendIni(benchmark::State &state)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const QString ini = dir.filePath(QStringLiteral("USER_BMP.INI"));
    const QString plain = dir.filePath(QStringLiteral("PLAIN.INI"));
    // The file already holds the screen saver's own entries.
    QByteArray existing;
    for (int i = 0; i < 200; ++i)
        existing += "{LocoStart}FILE=C:\\Ferolin\\Bitmaps\\loco" + QByteArray::number(i)
            + ".bmp;LABEL=Factory loco;GT=E;EPOCHE=4;ULAND=D;OL=J;ZG=63;SELECTED=1;{LocoEnd}\r\n";

    const QStringList entries = makeEntries(dir.filePath(QStringLiteral("Lib")) + QDir::separator());
    QByteArray bytes;
    for (const QString &e : entries)
        bytes += e.toLatin1() + "\r\n";

    bench::Window w;
    w.state->gIniPath = ini;
    bench::Pairs pairs;
    for (auto _ : state) {
        const double t = pairs.measure(
            [&] {
                bench::writeBytes(ini, existing);
                // Queued as the window queues them: each entry's USER_BMP.INI bytes are made then.
                for (const QString &entry : entries)
                    w.window->addEntry(entry);
                w.prompts->clear();
                w.prompts->answerNext(platform::MsgAnswer::OK); // "Are you sure to append ...?"
                bench::settle();
                return bench::timed([&] {
                    w.window->Command3_Click();
                    bench::settle();
                });
            },
            [&] {
                bench::writeBytes(plain, existing);
                return bench::timed([&] {
                    QFile f(plain);
                    if (f.open(QIODevice::WriteOnly | QIODevice::Append))
                        f.write(bytes);
                });
            });
        state.SetIterationTime(t);
        const bool completed = w.prompts->messages.size() == 2
            && w.prompts->messages.last().text == QLatin1String("Procedure completed!");
        if (!completed || QFile(ini).size() != existing.size() + bytes.size()) {
            state.SkipWithError(("Append did not complete: " + bench::firstMessage(*w.prompts)).c_str());
            break;
        }
    }
    if (state.error_occurred())
        return;
    pairs.report(state, {"Append 10,000 entries to USER_BMP.INI (Command3_Click)", "QFile write of the same bytes", 3.0});
}
BENCHMARK(BM_AppendIni)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

} // namespace
