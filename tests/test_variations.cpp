#include "TestSupport.h"
#include "main/Variations.h"
#include "platform/FileFaults.h"

using platform::FileFaults;

namespace {

QString slotNameOf(int slot)
{
    return slot == 0 ? QStringLiteral("No") : QLatin1Char("NEWS"[(slot - 1) / 10]) + QString::number((slot - 1) % 10);
}

variations::SlotTexts slotNames()
{
    variations::SlotTexts names;
    for (int k = 0; k < variations::kSlots; ++k)
        names[size_t(k)] = slotNameOf(k);
    return names;
}

// Flags with "Y" at slot 0 and at the slots given.
variations::SlotTexts flagsWith(std::initializer_list<int> available)
{
    variations::SlotTexts flags = variations::plainOnly();
    for (int k : available)
        flags[size_t(k)] = QStringLiteral("Y");
    return flags;
}

// The overlays are looked up in a folder of the test's own.
using VariationFiles = TempDirTest;

} // namespace

TEST(VariationRules, basePathIsCutBeforeTheFirstBmpWhateverItsCase)
{
    const struct {
        const char *path;
        const char *base; // nullptr: no base
    } rows[] = {
        {"D:/lib/E/loco.bmp", "D:/lib/E/loco"},
        {"D:/lib/E/LOCO.BMP", "D:/lib/E/LOCO"},
        {"D:/lib/E/loco.Bmp", "D:/lib/E/loco"},
        {"D:/x.bmp/loco.bmp", "D:/x"},
        {"/lib/E/a.bmpx.bmp", "/lib/E/a"},
        {".bmp", ""},
        {"/lib/E/loco.png", nullptr},
        {"/lib/E/loco.bm", nullptr},
        {"", nullptr},
    };
    for (const auto &r : rows) {
        const std::optional<QString> base = variations::basePath(QString::fromLatin1(r.path));
        if (!r.base) {
            EXPECT_FALSE(base.has_value()) << r.path;
            continue;
        }
        ASSERT_TRUE(base.has_value()) << r.path;
        EXPECT_EQ(*base, QLatin1String(r.base)) << r.path;
    }
}

TEST(VariationRules, overlayNameEndsInLowerCaseBmp)
{
    EXPECT_EQ(variations::overlayFile(QStringLiteral("D:/lib/E/loco"), QStringLiteral("E0")),
              QStringLiteral("D:/lib/E/loco_E0.bmp"));
    EXPECT_EQ(variations::overlayFile(QStringLiteral("D:/lib/E/LOCO"), QStringLiteral("E0")),
              QStringLiteral("D:/lib/E/LOCO_E0.bmp"));
    EXPECT_EQ(variations::overlayFile(QStringLiteral("D:/x"), QStringLiteral("N0")), QStringLiteral("D:/x_N0.bmp"));
}

TEST(VariationRules, steppingSkipsMissingSlotsAndWraps)
{
    const struct {
        variations::SlotTexts flags;
        int from;
        int step;
        int to;
    } rows[] = {
        {flagsWith({1, 40}), 0, +1, 1},   {flagsWith({1, 40}), 1, +1, 40},  {flagsWith({1, 40}), 40, +1, 0},
        {flagsWith({1, 40}), 0, -1, 40},  {flagsWith({1, 40}), 40, -1, 1},  {flagsWith({1, 40}), 1, -1, 0},
        {flagsWith({}), 0, +1, 0},        {flagsWith({}), 0, -1, 0},        {flagsWith({14}), 0, -1, 14},
        {flagsWith({14}), 14, +1, 0},     {flagsWith({14, 15}), 14, +1, 15}, {flagsWith({21}), 30, +1, 0},
    };
    for (const auto &r : rows)
        EXPECT_EQ(variations::nextSlot(r.flags, r.from, r.step), r.to) << r.from << " " << r.step;

    // Anything but exactly "N" stops the walk.
    variations::SlotTexts odd = variations::plainOnly();
    odd[5] = QStringLiteral("n");
    EXPECT_EQ(variations::nextSlot(odd, 0, +1), 5);
}

TEST(VariationRules, slotNamesRunFromN0ToS9)
{
    const variations::SlotTexts names = variations::slotNames();
    EXPECT_EQ(QStringList(names.begin(), names.end()).join(QLatin1Char(',')),
              QStringLiteral("No,N0,N1,N2,N3,N4,N5,N6,N7,N8,N9,E0,E1,E2,E3,E4,E5,E6,E7,E8,E9,"
                             "W0,W1,W2,W3,W4,W5,W6,W7,W8,W9,S0,S1,S2,S3,S4,S5,S6,S7,S8,S9"));
}

TEST(VariationRules, plainOnlyHasOnlySlotZero)
{
    const variations::SlotTexts flags = variations::plainOnly();
    EXPECT_EQ(flags[0], QStringLiteral("Y"));
    for (size_t k = 1; k <= 40; ++k)
        EXPECT_EQ(flags[k], QStringLiteral("N")) << k;
}

TEST_F(VariationFiles, availableSlotsFollowTheFilesThere)
{
    const QString base = path(QStringLiteral("loco"));
    writeBmp(QStringLiteral("loco_N0.bmp"), solidImage(2, 2, Qt::red));
    writeBmp(QStringLiteral("loco_S9.bmp"), solidImage(2, 2, Qt::red));
    writeBmp(QStringLiteral("LOCO_e3.BMP"), solidImage(2, 2, Qt::red)); // made on Windows
    makeDir(QStringLiteral("loco_W5.bmp"));                               // a folder does not count
    writeBmp(QStringLiteral("loco_W6.png"), solidImage(2, 2, Qt::red));

    FileFaults::reset();
    EXPECT_EQ(variations::availableSlots(base, slotNames()), flagsWith({1, 14, 40}));
    EXPECT_EQ(FileFaults::count(), 40);

    // A look-up that fails counts as a missing file.
    FileFaults::failAt(1);
    EXPECT_EQ(variations::availableSlots(base, slotNames()), flagsWith({14, 40}));
}
