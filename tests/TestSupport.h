#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

    QTemporaryDir m_dir;
    QString m_oldCwd;
};

// A w x h picture filled with one colour, with a marker pixel of `mark` at (0, 0) so
// copies can be told apart from fills.
QImage solidImage(int w, int h, QColor fill, QColor mark = QColor());

// Where the build put the program and its generators.
QString buildDir();
