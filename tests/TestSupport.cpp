#include "TestSupport.h"
#include "platform/FileFaults.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenvik"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
