// The leading-number rule on any text, then the rounding into 16 bits: the byte and the
// character readings must agree, and rounding must match the C library's half-to-even rounding
// without ever converting an out-of-range double (undefined behaviour).
#include "FuzzSupport.h"
#include "platform/Runtime.h"
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

bool same(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

void checkRounding(double v)
{
    const double r = platform::roundHalfEven(v);
    if (std::isnan(v)) {
        FUZZ_CHECK(std::isnan(r));
    } else {
        // nearbyint rounds a half to the even neighbour in the default rounding mode.
        FUZZ_CHECK(r == std::nearbyint(v));
    }

    const std::optional<int16_t> i16 = platform::toInt16(v);
    const bool fits16 = !std::isnan(r) && r >= -32768.0 && r <= 32767.0;
    FUZZ_CHECK(i16.has_value() == fits16);
    if (fits16)
        FUZZ_CHECK(double(*i16) == r);
}

// Plain digits (blanks, tabs and line feeds aside), short enough to be exact in a double.
std::optional<double> plainInteger(const QByteArray &text)
{
    QByteArray digits;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n')
            continue;
        if (c < '0' || c > '9')
            return std::nullopt;
        digits += c;
    }
    if (digits.isEmpty() || digits.size() > 15)
        return std::nullopt;
    return double(digits.toLongLong());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray data = fuzzBytes(bytes, size);

    const double fromBytes = platform::leadingNumber(QByteArrayView(data));
    const QString latin1 = QString::fromLatin1(data);
    const double fromText = platform::leadingNumber(QStringView(latin1));
    FUZZ_CHECK(same(fromBytes, fromText));
    if (const std::optional<double> expected = plainInteger(data))
        FUZZ_CHECK(fromBytes == *expected);

    const QString utf8 = QString::fromUtf8(data);
    const double fromUtf8 = platform::leadingNumber(QStringView(utf8));

    checkRounding(fromBytes);
    checkRounding(fromUtf8);
    // The raw bits as a double reach NaN, infinities and the values no text gives.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, bytes, sizeof raw);
        checkRounding(raw);
        checkRounding(-raw);
        checkRounding(raw + 0.5);
    }
    return 0;
}
