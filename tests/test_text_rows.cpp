#include "platform/TextRows.h"
#include <gtest/gtest.h>

using platform::TextRows;

TEST(TextRows, keepsEachRowWhateverWayItCame)
{
    TextRows rows(QStringList{QStringLiteral("first"), QString(), QStringLiteral("third")});
    const QString written = QStringLiteral("fourth");
    std::copy(written.cbegin(), written.cend(), rows.appendRow(written.size()));
    TextRows more;
    more.append(u"fifth");
    rows.append(more);
    EXPECT_EQ(rows.toStringList(), (QStringList{"first", "", "third", "fourth", "fifth"}));

    rows.removeAt(0);
    rows.removeAt(2);
    EXPECT_EQ(rows.toStringList(), (QStringList{"", "third", "fifth"}));
    EXPECT_EQ(rows.at(1), QStringLiteral("third"));
    rows.clear();
    EXPECT_TRUE(rows.isEmpty());
}
