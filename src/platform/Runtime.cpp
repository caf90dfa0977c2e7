#include "platform/Runtime.h"
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace platform {

namespace {

// Blanks, tabs and line feeds are not part of the text as far as numbers go.
bool ignored(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

int digitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

// A long run of hex digits must not reach infinity.
constexpr double kHuge = 1e300;

double radixNumber(const std::string &s, size_t i, int base)
{
    double value = 0;
    for (; i < s.size(); ++i) {
        const int d = digitValue(s[i], base);
        if (d < 0)
            break;
        value = std::min(value * base + d, kHuge);
    }
    return value;
}

double decimalNumber(const std::string &s)
{
    size_t i = 0;
    std::string mantissa;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        mantissa += s[i++];
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissa += '.';
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            mantissa += s[i++];
    }
    if (mantissa.empty() || mantissa == ".")
        return 0;
    if (mantissa.front() == '.')
        mantissa.insert(mantissa.begin(), '0');
    if (mantissa.back() == '.')
        mantissa.pop_back();

    // The exponent counts only when digits follow the letter (and its sign).
    long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            ++j;
        }
        if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            for (; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j)
                exponent = std::min(exponent * 10 + (s[j] - '0'), 100000L);
            if (expNegative)
                exponent = -exponent;
        }
    }
    mantissa += 'e';
    mantissa += std::to_string(exponent);

    double value = 0;
    const auto [end, ec] = std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Either far too small (reads as 0) or far too large (kept finite).
        value = exponent < 0 ? 0.0 : std::numeric_limits<double>::max();
    } else if (ec != std::errc()) {
        value = 0;
    }
    if (!std::isfinite(value))
        value = std::numeric_limits<double>::max();
    if (value == 0)
        return 0; // never -0
    return negative ? -value : value;
}

} // namespace

double leadingNumber(QByteArrayView text)
{
    std::string s;
    s.reserve(size_t(text.size()));
    for (char c : text) {
        if (!ignored(c))
            s += c;
    }
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return radixNumber(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return radixNumber(s, 2, 8);
        return 0;
    }
    return decimalNumber(s);
}

double leadingNumber(QStringView text)
{
    // Characters beyond Latin-1 cannot be part of a number; they end it like any letter.
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text)
        bytes += c.unicode() < 0x80 ? char(c.unicode()) : '?';
    return leadingNumber(QByteArrayView(bytes));
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double lower = std::floor(value);
    const double diff = value - lower;
    double r;
    if (diff < 0.5)
        r = lower;
    else if (diff > 0.5)
        r = lower + 1;
    else
        r = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
    return r == 0 ? 0.0 : r;
}

std::optional<int16_t> toInt16(double value)
{
    const double r = roundHalfEven(value);
    if (!std::isfinite(r) || r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return int16_t(r);
}

qsizetype findNoCase(QStringView hay, QStringView needle, qsizetype from)
{
    if (from < 0 || from > hay.size())
        return -1;
    return hay.indexOf(needle, from, Qt::CaseInsensitive);
}

qsizetype findNoCase(QByteArrayView hay, QByteArrayView needle, qsizetype from)
{
    // Library text is Latin-1, so its accented letters fold too.
    return findNoCase(QStringView(QString::fromLatin1(hay)), QStringView(QString::fromLatin1(needle)), from);
}

QString trimBlanks(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.mid(b, e - b).toString();
}

QByteArray trimBlanks(QByteArrayView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    return text.sliced(b, e - b).toByteArray();
}

bool isBlank(QStringView text)
{
    for (QChar c : text) {
        if (c != u' ')
            return false;
    }
    return true;
}

CommandLine splitCommandLine(const QString &line)
{
    const qsizetype blank = line.indexOf(u' ');
    if (blank < 0)
        return {line, QString()};
    return {line.left(blank), line.mid(blank + 1)};
}

} // namespace platform
