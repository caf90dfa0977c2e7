// Placeholder until the real help picture lands.
#include <QApplication>
#include <QImage>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QImage img(755, 496, QImage::Format_RGB888);
    img.fill(QColor(0, 0x48, 0));
    return img.save(QString::fromLocal8Bit(argv[1]), "BMP") ? 0 : 1;
}
