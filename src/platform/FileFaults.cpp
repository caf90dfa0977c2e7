#include "platform/FileFaults.h"

namespace platform {

namespace {
struct Plan {
    int seen = 0;
    int failAt = 0;
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
    plan() = Plan{0, n, reason};
}

void FileFaults::reset()
{
    plan() = Plan{};
}

int FileFaults::count()
{
    return plan().seen;
}

std::optional<QString> FileFaults::check(FileOp, const QString &)
{
    Plan &p = plan();
    ++p.seen;
    if (p.failAt > 0 && p.seen == p.failAt)
        return p.reason;
    return std::nullopt;
}

} // namespace platform
