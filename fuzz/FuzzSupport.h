#pragma once
// Shared by the fuzz targets; each target's one source file includes it once.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken promise of the code under test: report it and abort, so libFuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                     \
    do {                                                                                      \
        if (!(cond)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);    \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

// Qt's own warnings about bad input ("QImage: out of memory", ...) are expected here and would
// drown libFuzzer's output; fatal messages still abort.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "Qt fatal: %s\n", qPrintable(text));
            std::abort();
        }
    });
    return 0;
}

inline QByteArray fuzzBytes(const uint8_t *bytes, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size));
}

// A file of this name in a folder of the run's own, removed when the fuzzer ends normally.
inline QString fuzzTempFile(const QString &name)
{
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    return dir.filePath(name);
}
