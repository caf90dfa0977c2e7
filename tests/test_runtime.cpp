#include "TestSupport.h"
#include "platform/Runtime.h"
#include <cfloat>
#include <cmath>
#include <limits>

using namespace platform;

namespace {

struct NumberCase {
    const char *text;
    double value;
};

const NumberCase kNumbers[] = {
    {"", 0},           {"00000", 0},     {"12abc", 12},     {"abc", 0},        {"E5", 0},
    {" 1 2", 12},      {"1 e 2", 100},   {"1\t2\n3", 123},  {"\r5", 0},        {"  42  ", 42},
    {"-5", -5},        {"+5", 5},        {"- 5", -5},       {"--5", 0},        {"-", 0},
    {"1.5", 1.5},      {".5", 0.5},      {"-.5", -0.5},     {"5.", 5},         {".", 0},
    {"1.2.3", 1.2},    {"1,5", 1},       {"00042", 42},     {"32767", 32767},  {"-32768", -32768},
    {"1E2", 100},      {"1e2", 100},     {"1D2", 100},      {"1d-2", 0.01},    {"2.5E+1", 25},
    {"1E", 1},         {"1E+", 1},       {"1Ex", 1},        {"1D-", 1},        {"12E3abc", 12000},
    {"&H1F", 31},      {"&h1f", 31},     {"&HfFz", 255},    {"&O17", 15},      {"&o178", 15},
    {"&H", 0},         {"&HG", 0},       {"&X1", 0},        {"& H10", 16},     {"1e-999", 0},
    {"0.1", 0.1},      {"60", 60},       {"5Y", 5},
};

} // namespace

TEST(LeadingNumber, readsTheLeadingNumberOfBytesAndText)
{
    for (const NumberCase &c : kNumbers) {
        EXPECT_DOUBLE_EQ(leadingNumber(QByteArrayView(c.text)), c.value) << '"' << c.text << '"';
        EXPECT_DOUBLE_EQ(leadingNumber(QStringView(QString::fromLatin1(c.text))), c.value) << '"' << c.text << '"';
    }
}

TEST(LeadingNumber, zeroIsNeverNegative)
{
    EXPECT_FALSE(std::signbit(leadingNumber(QByteArrayView("-0"))));
    EXPECT_FALSE(std::signbit(leadingNumber(QByteArrayView("-x"))));
}

TEST(LeadingNumber, absurdNumbersStayFiniteAndDoNotFit)
{
    const QByteArray manyHexDigits = "&H" + QByteArray(400, 'F');
    for (const QByteArray &text : {QByteArray("1E999"), QByteArray("1D99999999999999999999"), manyHexDigits,
                                   QByteArray(400, '9')}) {
        const double v = leadingNumber(QByteArrayView(text));
        EXPECT_TRUE(std::isfinite(v)) << text.left(20).constData();
        EXPECT_GT(v, 1e100);
        EXPECT_FALSE(toInt16(v).has_value());
    }
    EXPECT_LT(leadingNumber(QByteArrayView("-1E999")), -1e100);
}

TEST(LeadingNumber, textBeyondLatin1EndsTheNumber)
{
    EXPECT_DOUBLE_EQ(leadingNumber(QStringView(u"5\u20ac3")), 5);
}

struct RoundCase {
    double value;
    std::optional<int16_t> expected;
};

TEST(Rounding, halvesGoToTheEvenNeighbourAndOverflowIsRefused)
{
    const RoundCase cases[] = {
        {0.5, 0},         {1.5, 2},         {2.5, 2},           {3.5, 4},         {-2.5, -2},
        {-1.5, -2},       {-0.5, 0},        {0.49999, 0},       {2.5000001, 3},   {32767.4, 32767},
        {32767.5, {}},    {-32768.5, -32768}, {-32768.6, {}},   {40000, {}},      {-1e300, {}},
        {std::numeric_limits<double>::quiet_NaN(), {}},         {std::numeric_limits<double>::infinity(), {}},
        {-std::numeric_limits<double>::infinity(), {}},         {DBL_MAX, {}},
    };
    for (const RoundCase &c : cases)
        EXPECT_EQ(toInt16(c.value), c.expected) << c.value;
    EXPECT_DOUBLE_EQ(roundHalfEven(4.5), 4);
    EXPECT_DOUBLE_EQ(roundHalfEven(5.5), 6);
    EXPECT_DOUBLE_EQ(roundHalfEven(-7.5), -8);
    EXPECT_DOUBLE_EQ(roundHalfEven(1e17 + 2), 1e17 + 2);
    EXPECT_FALSE(std::signbit(roundHalfEven(-0.5)));
}

TEST(Rounding, sixteenBitLimits)
{
    EXPECT_TRUE(fitsInt16(-32768));
    EXPECT_FALSE(fitsInt16(32768));
}

TEST(Text, findsWithoutRegardToCase)
{
    struct Case {
        QString hay;
        QString needle;
        qsizetype from;
        qsizetype expected;
    };
    const Case cases[] = {
        {"Hello World", "world", 0, 6}, {"Hello World", "WORLD", 7, -1}, {"abcabc", "BC", 2, 4},
        {"abc", "x", 0, -1},            {"abc", "a", 5, -1},             {"abc", "a", -1, -1},
        {"", "a", 0, -1},               {"_SAR.bmp", "_sar", 0, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(findNoCase(QStringView(c.hay), QStringView(c.needle), c.from), c.expected) << c.hay.toStdString();
        EXPECT_EQ(findNoCase(QByteArrayView(c.hay.toLatin1()), QByteArrayView(c.needle.toLatin1()), c.from),
                  c.expected);
    }
    // Library text is Latin-1: its accented capitals fold as well.
    EXPECT_EQ(findNoCase(QByteArrayView("x\xC4" "B"), QByteArrayView("\xE4" "b")), 1);
}

TEST(Text, trimsSpacesOnly)
{
    EXPECT_EQ(trimBlanks(QStringView(u"  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(trimBlanks(QStringView(u"\ta\t")), QStringLiteral("\ta\t"));
    EXPECT_EQ(trimBlanks(QStringView(u"   ")), QString());
    EXPECT_EQ(trimBlanks(QByteArrayView(" E  ")), QByteArray("E"));
    EXPECT_EQ(trimBlanks(QByteArrayView("")), QByteArray());
    EXPECT_TRUE(isBlank(QStringView(u"   ")));
    EXPECT_TRUE(isBlank(QStringView(u"")));
    EXPECT_FALSE(isBlank(QStringView(u" a")));
    EXPECT_FALSE(isBlank(QStringView(u"\t")));
}

TEST(Text, aCommandLineHandsItsArgumentOnExactlyAsWritten)
{
    using platform::CommandLine;
    EXPECT_EQ(platform::splitCommandLine(QStringLiteral("WRITE  /a/x.ini ")),
              (CommandLine{QStringLiteral("WRITE"), QStringLiteral(" /a/x.ini ")}));
    EXPECT_EQ(platform::splitCommandLine(QStringLiteral("WRITE /a b/x.ini")),
              (CommandLine{QStringLiteral("WRITE"), QStringLiteral("/a b/x.ini")}));
    EXPECT_EQ(platform::splitCommandLine(QStringLiteral("WRITE")), (CommandLine{QStringLiteral("WRITE"), QString()}));
}
