#include "BenchSupport.h"
#include "LibraryLine.h"
#include "main/frmBrenvik.h"
#include "ScriptedPrompts.h"
#include "platform/widgets/ListBox.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <map>

namespace bench {

// --- Timing -------------------------------------------------------------------------------------

double timed(const std::function<void()> &work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void settle()
{
    QApplication::processEvents();
}

namespace {

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Verdict {
    Goal goal;
    double brenvik = 0;
    double baseline = 0;
    double ratio = 0;
    size_t samples = 0;
};

// In the order the benchmarks first reported; a later run of the same one replaces its figures.
std::vector<Verdict> &verdicts()
{
    static std::vector<Verdict> all;
    return all;
}

} // namespace

double Pairs::measure(const std::function<double()> &brenvik, const std::function<double()> &baseline)
{
    double b = 0;
    double base = 0;
    if (m_brenvik.size() % 2 == 0) {
        b = brenvik();
        base = baseline();
    } else {
        base = baseline();
        b = brenvik();
    }
    m_brenvik.push_back(b);
    m_baseline.push_back(base);
    return b;
}

void Pairs::report(benchmark::State &state, const Goal &goal) const
{
    const double b = median(m_brenvik);
    const double base = median(m_baseline);
    // The median of the pairs' own ratios: a burst of load that hits one side of one pair
    // moves that pair only.
    std::vector<double> ratios;
    for (size_t i = 0; i < m_brenvik.size(); ++i) {
        if (m_baseline[i] > 0)
            ratios.push_back(m_brenvik[i] / m_baseline[i]);
    }
    const double ratio = median(ratios);
    state.counters["brenvik_ms"] = b * 1e3;
    state.counters["base_ms"] = base * 1e3;
    state.counters["ratio"] = ratio;
    state.counters["target"] = goal.target;
    state.counters["met"] = ratio <= goal.target ? 1 : 0;

    Verdict v{goal, b, base, ratio, m_brenvik.size()};
    auto &all = verdicts();
    const auto same = std::find_if(all.begin(), all.end(), [&](const Verdict &o) { return o.goal.what == goal.what; });
    if (same != all.end())
        *same = v;
    else
        all.push_back(v);
}

void printVerdicts()
{
    if (verdicts().empty())
        return;
    std::printf("\nBrenvik against its baselines, measured in the same run: medians of the times, and the median\n"
                "of the ratios of paired samples (Brenvik and baseline back to back)\n");
    std::printf("%-52s %12s  %-58s %12s %8s %8s  %s\n", "Operation", "Brenvik ms", "Baseline", "baseline ms",
                "ratio", "target", "verdict");
    for (const Verdict &v : verdicts()) {
        const double ratio = v.ratio;
        std::printf("%-52s %12.3f  %-58s %12.3f %8.3f %8.3f  %s\n", v.goal.what.c_str(), v.brenvik * 1e3,
                    v.goal.baseline.c_str(), v.baseline * 1e3, ratio, v.goal.target,
                    ratio <= v.goal.target ? "met" : "MISSED");
    }
    std::fflush(stdout);
}

// --- A library made for the run -----------------------------------------------------------------

bool writeBigLibrary(const QString &file, int count)
{
    static const char *const railways[] = {"DB", "SBB", "OBB", "SNCF", "FS", "NS", "DSB", "PKP", "RENFE", "JR"};
    static const char *const kinds[] = {"Electric loco", "Diesel loco", "Steam loco", "Railcar",
                                        "Coach 1st class", "Coach 2nd class", "Dining car", "Sleeper",
                                        "Goods van", "Tank wagon", "Flat wagon", "Baggage car"};
    static const char *const eras[] = {"1", "2", "3", "4", "5", "6", "3-4", "4-5", "2-3", "5-6"};
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray chunk;
    chunk.reserve(1 << 20);
    for (int i = 0; i < count; ++i) {
        if (i % 997 == 500) {
            chunk += "\r\n"; // a blank line now and then: the reader takes it as a vehicle
        } else {
            libraryline::LineColumns l;
            l.label = QByteArray(kinds[i % 12]) + ' ' + railways[(i / 12) % 10] + " no. " + QByteArray::number(i);
            l.era = eras[(i / 7) % 10];
            l.country = countryCodes()[size_t(i / 3) % countryCodes().size()];
            l.type = typeCodes()[size_t(i) % typeCodes().size()];
            const int cycle = i % 6 == 0 ? 1 + i % 9 : 0;
            l.flags = libraryline::flagColumns("YN3"[i % 3], 40 + i % 51, i % 9 == 0 ? 'Y' : 'N', "LRB"[i % 3],
                                               i % 4 == 0 ? 'Y' : 'N', 'N', 'N', cycle, i % 5 == 0 ? 'Y' : 'N');
            if (i % 50 == 49)
                l.file = QByteArray::number(i / 50 + 1).rightJustified(5, '0') + ".bmp";
            else
                l.file = "v" + QByteArray::number(i).rightJustified(6, '0') + (cycle > 0 ? "_0.bmp" : ".bmp");
            chunk += libraryline::libraryLine(l);
            chunk += "\r\n";
        }
        if (chunk.size() > (1 << 20) - 256) {
            if (out.write(chunk) != chunk.size())
                return false;
            chunk.clear();
        }
    }
    return out.write(chunk) == chunk.size() && out.flush();
}

QImage vehiclePicture(int width, int seed)
{
    QImage image(width, 58, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    const QColor body = QColor::fromHsv((seed * 47) % 360, 160 + seed % 80, 140 + seed % 100);
    p.fillRect(2, 8, width - 4, 40, body);
    p.fillRect(2, 5, width - 4, 4, QColor(0x76, 0x7a, 0x80)); // roof
    for (int x = 10; x + 12 < width - 6; x += 18)
        p.fillRect(x, 16, 12, 10, QColor(0x1a, 0x26, 0x34)); // windows
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x68, 0x68, 0x68));
    for (int x : {14, 30, width - 30, width - 14})
        p.drawEllipse(QPointF(x, 51), 6, 6); // wheels on the bottom row
    return image;
}

QImage framePicture(int width, int height, int frame)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd0, 0xd0, 0xd0));
    // The rods turn with the frame.
    for (int x : {14, 30, width - 30, width - 14})
        p.drawEllipse(QPointF(x + (frame % 2 ? 2 : -2), height - 7), 6, 6);
    p.fillRect(8, height - 8 + frame, width - 16, 2, QColor(0xa0, 0x40, 0x20));
    return image;
}

QImage pantographPicture(int width)
{
    QImage image(width, 12, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setPen(QColor(0xc0, 0xc0, 0xc0));
    const int c = width / 3;
    p.drawLine(c - 8, 11, c, 1);
    p.drawLine(c + 8, 11, c, 1);
    p.drawLine(c - 10, 1, c + 10, 1);
    return image;
}

bool writeBmp(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void emptyFolder(const QString &folder)
{
    QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : names)
        dir.remove(name);
}

bool writeTrainLibrary(const QString &dir, TrainLibrary &lib)
{
    static const char *const types[] = {"E", "ET", "D", "V", "DT"};
    lib.file = QDir(dir).filePath(QStringLiteral("Trains.txt"));
    lib.folder = QDir(dir).filePath(QStringLiteral("Trains"));
    lib.bitmaps.clear();
    lib.text.clear();
    if (!QDir().mkpath(lib.folder + QStringLiteral("/consists")))
        return false;
    for (int i = 0; i < TrainLibrary::kVehicles; ++i) {
        const QByteArray type = types[i % 5];
        const int width = 100 + (i * 37) % 41;
        libraryline::LineColumns l;
        l.label = "Vehicle " + QByteArray::number(i);
        l.type = type;
        l.country = countryCodes()[size_t(i) % countryCodes().size()];
        QByteArray name = type.toLower() + QByteArray::number(i).rightJustified(3, '0');
        const QString base = lib.folder + QLatin1Char('/') + QLatin1String(type) + QLatin1Char('/') + QLatin1String(name);
        bool ok = true;
        int cycle = 0;
        char sar = 'N';
        if (TrainLibrary::animated(i)) {
            cycle = 3;
            name += "_0.bmp";
            ok = writeBmp(vehiclePicture(width, i), base + QStringLiteral("_0.bmp"));
            for (int k = 1; k <= 3 && ok; ++k)
                ok = writeBmp(framePicture(width, 20, k), base + QStringLiteral("_%1.bmp").arg(k));
        } else {
            name += ".bmp";
            ok = writeBmp(vehiclePicture(width, i), base + QStringLiteral(".bmp"));
            if (ok && TrainLibrary::pantograph(i)) {
                sar = 'Y';
                ok = writeBmp(pantographPicture(width), base + QStringLiteral("_SAR.bmp"));
            }
        }
        if (!ok)
            return false;
        l.flags = libraryline::flagColumns('Y', 55, sar, 'B', 'N', 'N', 'N', cycle, 'N');
        l.file = name;
        lib.bitmaps.append(lib.folder + QLatin1Char('/') + QLatin1String(type) + QLatin1Char('/') + QLatin1String(name));
        lib.text += libraryline::libraryLine(l) + "\r\n";
    }
    return writeBytes(lib.file, lib.text);
}

// --- A main window ------------------------------------------------------------------------------

Window::Window()
    : state(new mc_Brenvik), prompts(new platform::ScriptedPrompts), window(new frmBrenvik(*state, *prompts))
{
    window->show();
    settle();
}

Window::~Window()
{
    delete window;
    delete prompts;
    delete state;
}

bool Window::open(const QString &file, std::string &error)
{
    prompts->clear();
    prompts->chooseNext(file);
    window->menuOpen_Click();
    settle();
    error = firstMessage(*prompts);
    return error.empty() && window->lstSource->ListCount() > 0;
}

void Window::select(int row)
{
    window->lstSource->setListIndex(row);
    window->lstSource_Click();
}

std::string firstMessage(const platform::ScriptedPrompts &prompts)
{
    return prompts.messages.isEmpty() ? std::string() : prompts.messages.first().text.toStdString();
}

} // namespace bench
