#pragma once
#include <QDir>
#include <QString>

namespace platform {

// Outcome of a file or picture operation. A failure names the file and the system's reason;
// windows turn it into a message box, readers and writers never show one.
class Status {
public:
    static Status success() { return Status(); }
    static Status failure(const QString &path, const QString &reason)
    {
        Status s;
        s.m_ok = false;
        s.m_path = path;
        s.m_reason = reason;
        return s;
    }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString &path() const { return m_path; }
    const QString &reason() const { return m_reason; }

    // "Cannot <verb> <file>:\n<reason>", the text of the message box that reports it.
    QString message(const QString &verb) const
    {
        return QStringLiteral("Cannot %1 %2:\n%3").arg(verb, QDir::toNativeSeparators(m_path), m_reason);
    }

    // The same outcome, noting what was being done, for a caller that runs several kinds of
    // step and leaves the reporting to its window: message() then says it.
    Status during(const QString &verb) const
    {
        Status s = *this;
        s.m_verb = verb;
        return s;
    }
    QString message() const { return message(m_verb); }

private:
    bool m_ok = true;
    QString m_path;
    QString m_reason;
    QString m_verb;
};

} // namespace platform
