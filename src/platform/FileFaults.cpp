#include "platform/FileFaults.h"

namespace platform {

namespace {
struct Plan {
    int seen = 0;
    int failAt = 0;
    std::optional<FileOp> failOp;
    QString failPath;
    QString reason;
};
Plan &plan()
{
    static Plan p;
    return p;
}
} // namespace

void FileFaults::failAt(int n, const QString &reason)
{
    plan() = Plan{0, n, std::nullopt, QString(), reason};
}

void FileFaults::failOn(FileOp op, const QString &path, const QString &reason)
{
    plan() = Plan{0, 0, op, path, reason};
}

void FileFaults::reset()
{
    plan() = Plan{};
}

int FileFaults::count()
{
    return plan().seen;
}

std::optional<QString> FileFaults::check(FileOp op, const QString &path)
{
    Plan &p = plan();
    ++p.seen;
    if ((p.failAt > 0 && p.seen == p.failAt) || (p.failOp == op && p.failPath == path))
        return p.reason;
    return std::nullopt;
}

} // namespace platform
