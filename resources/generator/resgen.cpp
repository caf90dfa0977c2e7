// Draws every picture and icon of Brenvik into the folder given as argument.
#include "pictures.h"
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brenvik_resgen OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    if (!writeWindowPictures(out) || !writeAboutPictures(out)) {
        std::fprintf(stderr, "brenvik_resgen: cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
