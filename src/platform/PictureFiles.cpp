#include "platform/PictureFiles.h"
#include "platform/BmpCodec.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "platform/Surface.h"
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cerrno>

namespace platform {

Status loadPicture(const QString &path, QImage &picture)
{
    if (const auto reason = FileFaults::check(FileOp::LoadPicture, path))
        return Status::failure(path, *reason);
    if (QFileInfo(path).isDir())
        return Status::failure(path, qt_error_string(EISDIR));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(path, file.errorString());
    if (const auto problem = bitmapProblem(file))
        return Status::failure(path, *problem);
    QImageReader reader(&file);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide))
        return Status::failure(path, QStringLiteral("The picture is too large to be a vehicle picture"));
    QImage image;
    if (!reader.read(&image))
        return Status::failure(path, reader.errorString());
    picture = image.convertToFormat(QImage::Format_RGB32);
    return Status::success();
}

Status showFile(Surface &box, const QString &path)
{
    QImage picture;
    const Status status = loadPicture(path, picture);
    if (!status)
        return status;
    showPicture(box, picture);
    return status;
}

namespace {

// Saves the top-left w x h pixels of an RGB32 picture.
Status saveRgb32(const QImage &rgb, int w, int h, const QString &path)
{
    if (const auto reason = FileFaults::check(FileOp::SavePicture, path))
        return Status::failure(path, *reason);
    if (rgb.isNull() || w <= 0 || h <= 0)
        return Status::failure(path, QStringLiteral("There is no picture to save"));
    return writeStreamed(path, [&](QIODevice &file) { return writeBmp(rgb, w, h, file); });
}

} // namespace

Status SavePicture(const Surface &box, const QString &path)
{
    // Straight from the store, which is always RGB32: a copy of a long train's picture per save
    // is not needed.
    return saveRgb32(box.store(), box.Width(), box.Height(), path);
}

} // namespace platform
