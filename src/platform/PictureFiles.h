#pragma once
#include "platform/Status.h"
#include <QString>

class QImage;

// Picture files on their way to and from a surface: the surface holds the pixels, these read and
// write the files.
namespace platform {

class Surface;

// Loads a picture file. Takes every BMP users have (1 to 32 bits, RLE, v3 to v5 headers,
// top-down) and whatever else Qt reads; fails with a reason on a missing file, a file that is
// no picture, a truncated one, or one wider or higher than 32767 pixels.
Status loadPicture(const QString &path, QImage &picture);

// The four steps of showing a file in a box: load; Cls; make it the picture; Refresh.
// The load comes first, so a failed load leaves the box as it was.
Status showFile(Surface &box, const QString &path);

// Writes the persistent image at its current size as an uncompressed 24-bit Windows bitmap,
// replacing a file of that name through a temporary file (no half-written bitmap on failure).
Status SavePicture(const Surface &box, const QString &path);

} // namespace platform
