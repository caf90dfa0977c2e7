#include "TestSupport.h"
#include "main/ConsistRules.h"

namespace {

bool sameSpecial(const SpecialItem &item, int32_t x, const QString &path, const char *kind)
{
    return item.XPos == x && item.Path == path && item.Kind == QLatin1String(kind);
}

} // namespace

TEST(ConsistRules, insertPlans)
{
    using consist::Bookkeeping;
    const struct {
        Bookkeeping before;
        int vehicleWidth;
        bool special;
        bool first;
        Bookkeeping after;
        int x;
    } rows[] = {
        // The first vehicle replaces whatever width the picture had and starts the special list.
        {{0, 39, 0}, 120, false, true, {1, 120, 0}, 0},
        {{0, 500, 7}, 120, true, true, {1, 120, 1}, 0},
        {{1, 120, 0}, 80, true, false, {2, 200, 1}, 120},
        {{2, 120, 1}, 90, false, false, {3, 210, 1}, 120},
        {{5, 32667, 3}, 100, true, false, {6, 32767, 4}, 32667},
        {{32766, 10, 32766}, 1, true, false, {32767, 11, 32767}, 10},
    };
    for (const auto &r : rows) {
        const consist::InsertPlan plan = consist::planInsert(r.before, r.vehicleWidth, r.special);
        EXPECT_FALSE(plan.refusal) << r.before.count << " " << r.vehicleWidth;
        EXPECT_EQ(plan.first, r.first);
        EXPECT_EQ(plan.after.count, r.after.count);
        EXPECT_EQ(plan.after.width, r.after.width);
        EXPECT_EQ(plan.after.specialCount, r.after.specialCount);
        EXPECT_EQ(plan.x, r.x);
        EXPECT_EQ(plan.lastWidth, r.vehicleWidth);
    }
}

TEST(ConsistRules, insertsPastSixteenBitsAreRefused)
{
    const struct {
        consist::Bookkeeping before;
        int vehicleWidth;
        bool special;
        const char *refusal;
    } rows[] = {
        {{32767, 100, 0}, 10, false, "The consist cannot take more than 32767 vehicles."},
        {{1, 32667, 0}, 101, false, "The consist cannot be wider than 32767 pixels."},
        {{0, 0, 0}, 32768, false, "The consist cannot be wider than 32767 pixels."},
        {{3, 100, 32767}, 10, true, "The consist cannot take more than 32767 animated or pantograph vehicles."},
    };
    for (const auto &r : rows)
        EXPECT_EQ(consist::planInsert(r.before, r.vehicleWidth, r.special).refusal, Refusal{QLatin1String(r.refusal)});
    // A full special list does not matter to a vehicle that is not added to it, nor to a new consist.
    EXPECT_FALSE(consist::planInsert({3, 100, 32767}, 10, false).refusal);
    EXPECT_FALSE(consist::planInsert({0, 100, 32767}, 10, true).refusal);
}

TEST(ConsistRules, specialKinds)
{
    const struct {
        const char *sar;
        int16_t phase;
        const char *kind; // nullptr: none
    } rows[] = {
        {"Y", 0, "S"}, {"Y", 3, "S"}, {"N", 3, "P"}, {"y", 3, "P"}, {"y", 0, nullptr}, {" ", 0, nullptr}, {"N", -1, nullptr},
    };
    for (const auto &r : rows) {
        VehicleRecord v;
        v.SAR = QByteArrayView(r.sar);
        v.Phasenlaenge = r.phase;
        const std::optional<QString> kind = consist::specialKind(v);
        if (r.kind)
            EXPECT_EQ(kind.value_or(QString()), QLatin1String(r.kind)) << r.sar << r.phase;
        else
            EXPECT_FALSE(kind.has_value()) << r.sar << r.phase;
    }
}

TEST(ConsistRules, specialsAreListedUntilTheNextConsistStarts)
{
    const auto vehicle = [](const char *path, const char *sar, int16_t phase) {
        VehicleRecord v;
        v.Path = QLatin1String(path);
        v.SAR = QByteArrayView(sar);
        v.Phasenlaenge = phase;
        return v;
    };
    QList<SpecialItem> specials{SpecialItem{}};
    int16_t count = 1;
    consist::Bookkeeping book;
    const auto insert = [&](const VehicleRecord &v, int width) {
        const consist::InsertPlan plan = consist::planInsert(book, width, consist::specialKind(v).has_value());
        consist::recordSpecials(specials, count, plan, v);
        book = plan.after;
    };

    insert(vehicle("a.bmp", "N", 2), 120);
    ASSERT_EQ(count, 1);
    ASSERT_EQ(specials.size(), 1);
    EXPECT_TRUE(sameSpecial(specials[0], 0, QStringLiteral("a.bmp"), "P"));

    insert(vehicle("b.bmp", "Y", 3), 80);
    ASSERT_EQ(count, 2);
    EXPECT_TRUE(sameSpecial(specials[1], 120, QStringLiteral("b.bmp"), "S")) << "a pantograph wins over animation";

    insert(vehicle("c.bmp", "N", 0), 90);
    EXPECT_EQ(count, 2) << "a plain vehicle is not listed";
    EXPECT_EQ(specials.size(), 2);

    // The area emptied: the list stays until the first vehicle of the next consist.
    book.count = 0;
    insert(vehicle("c.bmp", "N", 0), 90);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(specials.isEmpty());
}

// Undo drops the listing of every vehicle at or beyond the train's new width, so the saved train
// gets no frames or pantograph of a vehicle taken back.
TEST(ConsistRules, undoTakesTheSpecialsOfWhatItRemovedOffTheList)
{
    const struct {
        int16_t count;
        int width;
        QList<int> kept;
    } rows[] = {
        {3, 290, {0, 120, 200}}, {3, 200, {0, 120}}, {3, 121, {0, 120}},
        {3, 120, {0}},           {3, 0, {}},         {2, 290, {0, 120}}, // elements past the count are stale
    };
    for (const auto &r : rows) {
        QList<SpecialItem> specials{{0, QStringLiteral("a.bmp"), QStringLiteral("P")},
                                    {120, QStringLiteral("b.bmp"), QStringLiteral("S")},
                                    {200, QStringLiteral("c.bmp"), QStringLiteral("S")}};
        int16_t count = r.count;
        consist::dropSpecialsFrom(specials, count, r.width);
        QList<int> kept;
        for (const SpecialItem &item : specials)
            kept.append(item.XPos);
        EXPECT_EQ(kept, r.kept) << r.width;
        EXPECT_EQ(count, kept.size()) << r.width;
    }
}

TEST(ConsistRules, overlayPlaces)
{
    const struct {
        char side;
        int x, vehicleWidth, overlayWidth, overlayHeight;
        std::optional<QPoint> at;
    } rows[] = {
        {'N', 200, 100, 20, 15, QPoint(200, 0)},  {'W', 200, 100, 20, 15, QPoint(200, 0)},
        {'E', 200, 100, 20, 15, QPoint(280, 0)},  {'S', 200, 100, 20, 12, QPoint(200, 46)},
        {'S', 0, 100, 20, 70, QPoint(0, -12)},    {'E', 0, 10, 30, 5, QPoint(-20, 0)},
        {'n', 200, 100, 20, 15, std::nullopt},    {'X', 200, 100, 20, 15, std::nullopt},
    };
    for (const auto &r : rows)
        EXPECT_EQ(consist::overlayPlace(QLatin1Char(r.side), r.x, r.vehicleWidth, r.overlayWidth, r.overlayHeight), r.at)
            << r.side;
}

TEST(ConsistRules, undoEmptiesWhatIsTenPixelsOrLess)
{
    const struct {
        int width, lastWidth, after;
        bool clear;
    } rows[] = {
        {200, 80, 120, false}, {120, 0, 120, false}, {39, 0, 39, false}, {61, 50, 11, false}, {57, 50, 0, true},
        {60, 50, 0, true},     {120, 120, 0, true},  {0, 0, 0, true},    {0, 120, 0, true},   {5, 0, 0, true},
    };
    for (const auto &r : rows) {
        const consist::UndoResult undone = consist::undoInsert(r.width, r.lastWidth);
        EXPECT_EQ(undone.width, r.after) << r.width << " - " << r.lastWidth;
        EXPECT_EQ(undone.clear, r.clear) << r.width << " - " << r.lastWidth;
    }
}
