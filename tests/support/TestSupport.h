#pragma once
// Support for every test, the rules' and the windows': it needs no widget, so a rule test that
// starts to need one no longer builds.
#include "LibraryLine.h"
#include "shared/mc_Brenvik.h"
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// Readable failures: texts as quoted text with their line ends shown, not as arrays of characters.
void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QByteArray &bytes, std::ostream *os);
void PrintTo(const QStringList &texts, std::ostream *os);
// Places and sizes as numbers, not as bytes.
void PrintTo(const QRect &rect, std::ostream *os);
void PrintTo(const QSize &size, std::ostream *os);

// Every test runs in a temporary folder of its own, which is also the current folder.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Full path of `name` inside the test's folder.
    QString path(const QString &name) const;
    // Writes bytes to a file (folders made as needed); returns its full path.
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;
    // Makes a folder (and its parents) inside the test's folder; returns its full path.
    QString makeDir(const QString &name) const;
    // Writes a picture as a 24-bit BMP; returns its full path.
    QString writeBmp(const QString &name, const QImage &image) const;
    // Root writes anywhere, so what a folder's permissions refuse is checked as user nobody in a
    // child process (EXPECT_EXIT, becomeNobody()). Lets nobody reach the test's folder, write
    // the files and folders `writable`, and read but not write `readOnly`.
    void shareWithNobody(const QString &readOnly, const QStringList &writable) const;

    QTemporaryDir m_dir;
    QString m_oldCwd;
};

// Makes this process user nobody when it runs as root (see shareWithNobody).
void becomeNobody();

// A w x h picture filled with one colour, with a marker pixel of `mark` at (0, 0) so
// copies can be told apart from fills.
QImage solidImage(int w, int h, QColor fill, QColor mark = QColor());

// Where the build put the program and its generators.
QString buildDir();

// A path as the platform writes it: a test's "/" turned into the platform's separator.
QString osPath(const QString &path);

// One vehicle of a test library, as its line gives it.
using LibraryVehicle = libraryline::LineColumns;

// The vehicle's library line in its fixed columns, without a line end.
using libraryline::libraryLine;
// A library text: the vehicles' lines, each ended by CR LF.
QByteArray libraryText(const QList<LibraryVehicle> &vehicles);

// A library vehicle as the main window reads it. Apart from the fields given it is plain: no
// pantograph, both directions, no shunting, push-pull or double traction, no cycle, no variations.
VehicleRecord vehicleRecord(const char *label, const char *era, const char *country, const char *type, const char *ol,
                            int16_t olh, const QString &path);

// Runs `act` with its first file operation failing with `reason`, then with its second, and so
// on until a run gets through. `prepare` sets the files up before each run; `check(n, failed)`
// looks at each run, `failed` false for the last. Returns how many operations that run made.
int failEachOperation(const std::function<void()> &prepare, const std::function<void()> &act,
                      const std::function<void(int n, bool failed)> &check,
                      const QString &reason = QStringLiteral("Injected failure"));

// The tests' main: `App` is QGuiApplication for the rules, QApplication for the windows.
template <class App>
int runTests(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    App::setApplicationName(QStringLiteral("Brenvik"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
