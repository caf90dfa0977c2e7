#pragma once
#include <QString>
#include <optional>

class QFile;
class QIODevice;
class QImage;

// Reading checks and writing of Windows bitmaps, kept apart from the surfaces that show them.
namespace platform {

// No vehicle picture is wider or higher than this.
constexpr int kMaxPictureSide = 32767;

// Qt shows a bitmap whose pixel data is cut short as if it were whole, so a short file is
// caught here from its own header. Nothing when the file is no bitmap or looks whole.
std::optional<QString> bitmapProblem(QFile &file);

// Writes the top-left w x h pixels of an RGB32 picture as an uncompressed 24-bit bitmap;
// false when the device refuses a write.
bool writeBmp(const QImage &rgb, int w, int h, QIODevice &file);

} // namespace platform
