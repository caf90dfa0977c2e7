#pragma once
#include <QString>
#include <optional>

namespace platform {

// The kinds of file operation that pass through the seam.
enum class FileOp { Open, Read, Write, Remove, Rename, List, Exists, LoadPicture, SavePicture, Truncate };

// The one seam every file operation of the program passes through. Tests arm it so that the
// n-th operation from now, or every operation of one kind on one path, fails with a chosen
// reason; the program never arms it.
class FileFaults {
public:
    // Fail the n-th operation (counted from 1) after this call with `reason`.
    static void failAt(int n, const QString &reason = QStringLiteral("Injected failure"));
    // Fail every operation of kind `op` on exactly `path` from now on with `reason`.
    static void failOn(FileOp op, const QString &path, const QString &reason = QStringLiteral("Injected failure"));
    // Forget any armed failure and restart the count.
    static void reset();
    // Operations seen since the last reset() or failAt().
    static int count();
    // Called by every file operation before it touches the disk; returns the reason when this
    // call is the one to fail.
    static std::optional<QString> check(FileOp op, const QString &path);
};

} // namespace platform
