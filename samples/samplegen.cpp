// Writes the sample library into the folder given: brenvik_samplegen FOLDER
#include "SampleLibrary.h"
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brenvik_samplegen FOLDER\n");
        return 2;
    }
    QString error;
    if (writeSampleLibrary(QString::fromLocal8Bit(argv[1]), &error).isEmpty()) {
        std::fprintf(stderr, "brenvik_samplegen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
