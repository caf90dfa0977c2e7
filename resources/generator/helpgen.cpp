// Draws the help picture: the real main window, rendered offscreen with our sample library open
// and a short train composed, with notes in red over it.
// Usage: brenvik_helpgen OUTFILE.bmp. Fails only when the picture cannot be written.
#include "SampleLibrary.h"
#include "main/frmBrenvik.h"
#include "platform/Prompts.h"
#include "platform/widgets/ListBox.h"
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kWidth = 755;
constexpr int kHeight = 496;
const QColor kGreen(0x00, 0x48, 0x00);
const QColor kRed(0xff, 0x10, 0x10);

// How the library's folder shows in the queued entry, in place of the temporary folder.
const QString kShownFolder = QStringLiteral("/home/trains");

void warn(const QString &what)
{
    std::fprintf(stderr, "brenvik_helpgen: %s\n", qPrintable(what));
}

// Nobody is there to answer: the open dialog picks the library it was given, once; a box only
// shows on the console; nothing is started.
class UnattendedPrompts : public platform::Prompts {
public:
    void chooseNext(const QString &path) { m_next = path; }

    platform::MsgAnswer message(const QString &text, const QString &, platform::MsgIcon, platform::MsgButtons) override
    {
        warn(QStringLiteral("the window said: %1").arg(text));
        return platform::MsgAnswer::OK;
    }
    std::optional<QString> openFile(const platform::OpenDialog &) override
    {
        if (m_next.isEmpty())
            return std::nullopt;
        const QString chosen = m_next;
        m_next.clear();
        return chosen;
    }
    platform::Status startProgram(const QString &commandLine) override
    {
        return platform::Status::failure(commandLine, QStringLiteral("Nothing is started while drawing the help picture"));
    }
    void setBusy(bool) override {}

private:
    QString m_next;
};

// Selects the library vehicle whose bitmap is `file` and shows it in the preview.
bool selectVehicle(frmBrenvik &window, const QString &file)
{
    const QList<VehicleRecord> &vehicles = window.state().gVehicles;
    for (qsizetype i = 0; i < vehicles.size(); ++i)
        if (vehicles.at(i).Path.endsWith(QLatin1Char('/') + file)) {
            window.lstSource->setListIndex(int(i));
            window.lstSource_Click();
            return true;
        }
    warn(QStringLiteral("the sample library has no %1").arg(file));
    return false;
}

// One single-vehicle entry in the queue, then a locomotive and two coaches in the consist area.
void composeExample(frmBrenvik &window, const QString &libraryFolder)
{
    if (selectVehicle(window, QStringLiteral("el12.bmp"))) {
        window.cmdUpd_Click();
        // Show a tidy folder in the entry rather than this run's temporary one.
        platform::ListBox *queue = window.lstOriginalFile;
        QStringList entries = queue->items();
        for (QString &e : entries)
            e.replace(QDir::toNativeSeparators(libraryFolder), QDir::toNativeSeparators(kShownFolder));
        queue->Clear();
        queue->AddItems(entries);
        window.chkInherit->setChecked(true);
        window.cmdAdd_Click();
    }
    for (const char *coach : {"a1blue.bmp", "b2green.bmp"})
        if (selectVehicle(window, QLatin1String(coach)))
            window.cmdAdd_Click();
    // The preview keeps the last coach; the list shows no selection bar under its note.
    window.lstSource->setListIndex(-1);
}

// The main window's client area with the sample library open; plain green when the window
// could not be drawn at all.
QImage mainWindowPicture()
{
    QImage shot(760, 501, QImage::Format_RGB32);
    shot.fill(kGreen);

    mc_Brenvik state;
    UnattendedPrompts prompts;
    frmBrenvik window(state, prompts);

    QTemporaryDir folder;
    QString error;
    const QString library = folder.isValid() ? writeSampleLibrary(folder.path(), &error) : QString();
    if (library.isEmpty()) {
        warn(QStringLiteral("no sample library (%1); the picture shows an empty window")
                 .arg(folder.isValid() ? error : folder.errorString()));
    } else {
        prompts.chooseNext(library);
        window.menuOpen_Click();
        if (state.gVehicles.isEmpty())
            warn(QStringLiteral("the sample library could not be opened"));
        else
            composeExample(window, folder.path());
    }

    window.show();
    QCoreApplication::processEvents();
    if (QWidget *client = window.centralWidget()) {
        QPainter p(&shot);
        client->render(&p);
    }
    window.hide();
    return shot;
}

class Notes {
public:
    explicit Notes(QImage &image) : m_p(&image)
    {
        m_p.setRenderHint(QPainter::Antialiasing);
        m_p.setRenderHint(QPainter::TextAntialiasing);
        QFont f(QStringLiteral("Liberation Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setPixelSize(10);
        f.setBold(true);
        m_p.setFont(f);
    }

    // Lines of text from (x, top), one under the other.
    void text(qreal x, qreal top, const QStringList &lines, int pixelSize = 10)
    {
        QFont f = m_p.font();
        f.setPixelSize(pixelSize);
        m_p.setFont(f);
        m_p.setPen(kRed);
        const qreal step = pixelSize + 1;
        for (qsizetype i = 0; i < lines.size(); ++i)
            m_p.drawText(QPointF(x, top + pixelSize - 1 + step * qreal(i)), lines.at(i));
        f.setPixelSize(10);
        m_p.setFont(f);
    }

    void line(QPointF a, QPointF b)
    {
        m_p.setPen(QPen(kRed, 1.2));
        m_p.drawLine(a, b);
    }

    // A line through the points, with an arrow head at the last one.
    void arrow(const QList<QPointF> &path)
    {
        for (qsizetype i = 1; i < path.size(); ++i)
            line(path.at(i - 1), path.at(i));
        const QPointF tip = path.last(), from = path.at(path.size() - 2);
        const qreal angle = std::atan2(tip.y() - from.y(), tip.x() - from.x());
        constexpr qreal len = 6, spread = 0.45;
        QPainterPath head;
        head.moveTo(tip);
        head.lineTo(tip - QPointF(len * std::cos(angle - spread), len * std::sin(angle - spread)));
        head.lineTo(tip - QPointF(len * std::cos(angle + spread), len * std::sin(angle + spread)));
        head.closeSubpath();
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(kRed);
        m_p.drawPath(head);
    }

private:
    QPainter m_p;
};

// The notes sit at the main window's controls (positions in the window's pixels). Arrows to the
// lower list come down the free lanes beside the variation buttons.
void drawNotes(QImage &picture)
{
    Notes n(picture);

    // The black band with the train.
    n.text(600, 14, {QStringLiteral("CONSIST AREA")}, 13);

    // Left end and left: they slide the train.
    n.arrow({QPointF(60, 90), QPointF(54, 90)});
    n.text(64, 85, {QStringLiteral("MOVE THE TRAIN IN THE CONSIST AREA")});

    // The four command buttons, each with a line down to it.
    n.text(400, 9, {QStringLiteral("COMMANDS:")});
    const struct {
        int x;
        int top;
        const char *what;
    } commands[] = {{411, 19, "INSERT"}, {433, 29, "UNDO"}, {455, 39, "RESET"},
                    {477, 49, "CREATE NEW BITMAP AND ADD TO INI FILE"}};
    for (const auto &c : commands) {
        n.text(c.x + 3, c.top, {QLatin1String(c.what)});
        n.arrow({QPointF(c.x, c.top + 4), QPointF(c.x, 79)});
    }

    // Inherit Attributes, and what the attributes are for.
    n.line(QPointF(600, 98), QPointF(600, 105));
    n.text(575, 106, {QStringLiteral("INHERIT THE ATTRIBUTES OF"), QStringLiteral("ONE VEHICLE PER CONSIST")});
    n.text(575, 136, {QStringLiteral("ATTRIBUTES DESCRIBE THE"), QStringLiteral("VEHICLE'S BEHAVIOUR IN THE"),
                      QStringLiteral("FEROLIN SCREEN SAVER")});
    n.arrow({QPointF(660, 171), QPointF(660, 307), QPointF(485, 307), QPointF(485, 351)});

    // The vehicle list.
    n.text(160, 250, {QStringLiteral("SOURCE LIBRARY:"), QStringLiteral("SELECT THE"),
                      QStringLiteral("VEHICLES HERE")}, 11);

    // Single vehicles from the entry button, new trains from the make-train button.
    n.line(QPointF(411, 124), QPointF(411, 170));
    n.text(398, 171, {QStringLiteral("SINGLE VEHICLES")});
    n.arrow({QPointF(398, 177), QPointF(396, 177), QPointF(396, 351)});
    n.line(QPointF(477, 100), QPointF(477, 102));
    n.line(QPointF(477, 102), QPointF(568, 102));
    n.line(QPointF(568, 102), QPointF(568, 199));
    n.text(452, 200, {QStringLiteral("NEW TRAINS ARE PUT IN THE"), QStringLiteral("LIBRARY FOLDER CONSISTS")});
    n.arrow({QPointF(450, 206), QPointF(446, 206), QPointF(446, 351)});

    // Above the variation buttons.
    n.text(452, 244, {QStringLiteral("WHEN ACTIVE, LOOP THROUGH"), QStringLiteral("THE VARIATIONS")});
    n.arrow({QPointF(450, 262), QPointF(434, 278)});

    // The queue of entries.
    n.text(160, 420, {QStringLiteral("INI FILE ENTRIES: THEY ARE ADDED TO, OR REPLACE,"),
                      QStringLiteral("THE PREVIOUS CONTENTS OF USER_BMP.INI")}, 12);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenvik"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: brenvik_helpgen OUTFILE\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);

    // The picture is the window's client area less a few pixels at its right and bottom edges.
    QImage help = mainWindowPicture().copy(0, 0, kWidth, kHeight);
    drawNotes(help);

    QDir().mkpath(QFileInfo(out).absolutePath());
    QImageWriter writer(out, "bmp");
    if (!writer.write(help.convertToFormat(QImage::Format_RGB888))) {
        std::fprintf(stderr, "brenvik_helpgen: cannot write %s: %s\n", qPrintable(QDir::toNativeSeparators(out)),
                     qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
