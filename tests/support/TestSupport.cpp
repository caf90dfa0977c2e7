#include "TestSupport.h"
#include "LibraryLine.h"
#include "platform/FileFaults.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <unistd.h>

namespace {

// Writes text between quotes, with quotes, backslashes and control characters escaped; bytes
// from 0x80 up are escaped too unless they are part of UTF-8 text.
void printQuoted(const QByteArray &text, bool utf8, std::ostream *os)
{
    static const char hex[] = "0123456789abcdef";
    *os << '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': *os << "\\\""; break;
        case '\\': *os << "\\\\"; break;
        case '\r': *os << "\\r"; break;
        case '\n': *os << "\\n"; break;
        case '\t': *os << "\\t"; break;
        default:
            if (byte < 0x20 || byte == 0x7f || (byte >= 0x80 && !utf8))
                *os << "\\x" << hex[byte >> 4] << hex[byte & 0xf];
            else
                *os << c;
        }
    }
    *os << '"';
}

} // namespace

void PrintTo(const QString &text, std::ostream *os)
{
    printQuoted(text.toUtf8(), true, os);
}

void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    printQuoted(bytes, false, os);
}

void PrintTo(const QStringList &texts, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(texts[i], os);
    }
    *os << '}';
}

void PrintTo(const QRect &rect, std::ostream *os)
{
    *os << '(' << rect.x() << ", " << rect.y() << ", " << rect.width() << " x " << rect.height() << ')';
}

void PrintTo(const QSize &size, std::ostream *os)
{
    *os << size.width() << " x " << size.height();
}

void TempDirTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_oldCwd = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    platform::FileFaults::reset();
}

void TempDirTest::TearDown()
{
    platform::FileFaults::reset();
    QDir::setCurrent(m_oldCwd);
}

QString TempDirTest::path(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

QString TempDirTest::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString p = path(name);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return p;
}

QByteArray TempDirTest::readFile(const QString &name) const
{
    QFile f(QFileInfo(name).isAbsolute() ? name : path(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QString TempDirTest::makeDir(const QString &name) const
{
    const QString p = path(name);
    QDir().mkpath(p);
    return p;
}

QString TempDirTest::writeBmp(const QString &name, const QImage &image) const
{
    const QString p = path(name);
    QDir().mkpath(QFileInfo(p).absolutePath());
    EXPECT_TRUE(image.convertToFormat(QImage::Format_RGB888).save(p, "BMP"));
    return p;
}

void TempDirTest::shareWithNobody(const QString &readOnly, const QStringList &writable) const
{
    QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7755));
    for (const QString &p : writable)
        QFile::setPermissions(p, QFileDevice::Permissions(QFileInfo(p).isDir() ? 0x7777 : 0x6666));
    QFile::setPermissions(readOnly, QFileDevice::Permissions(0x5555));
}

void becomeNobody()
{
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        std::_Exit(3);
}

QImage solidImage(int w, int h, QColor fill, QColor mark)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    if (mark.isValid() && w > 0 && h > 0)
        img.setPixelColor(0, 0, mark);
    return img;
}

QString buildDir()
{
    return QStringLiteral(BRENVIK_BUILD_DIR);
}

QByteArray libraryText(const QList<LibraryVehicle> &vehicles)
{
    QByteArray text;
    for (const LibraryVehicle &v : vehicles)
        text += libraryLine(v) + "\r\n";
    return text;
}

QString osPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

VehicleRecord vehicleRecord(const char *label, const char *era, const char *country, const char *type, const char *ol,
                            int16_t olh, const QString &path)
{
    VehicleRecord r;
    r.Label.set(label);
    r.Epoche.set(era);
    r.Uland.set(country);
    r.GT.set(type);
    r.OL.set(ol);
    r.OLH = olh;
    r.SAR.set("N");
    r.Richtung.set("B");
    r.Rangier.set("N");
    r.WZ.set("N");
    r.DT.set("N");
    r.Phasenlaenge = 0;
    r.Variations.set("N");
    r.Path = path;
    return r;
}

int failEachOperation(const std::function<void()> &prepare, const std::function<void()> &act,
                      const std::function<void(int n, bool failed)> &check, const QString &reason)
{
    // Well above what any one step of the program makes; a run that never gets through is a failure.
    constexpr int kMostOperations = 50;
    for (int n = 1; n <= kMostOperations; ++n) {
        SCOPED_TRACE(testing::Message() << "operation " << n << " failing");
        prepare();
        platform::FileFaults::failAt(n, reason);
        act();
        const bool failed = platform::FileFaults::count() >= n;
        platform::FileFaults::reset();
        check(n, failed);
        if (!failed)
            return n - 1;
        if (::testing::Test::HasFatalFailure())
            return 0;
    }
    ADD_FAILURE() << "no run got through without a failure";
    return 0;
}
