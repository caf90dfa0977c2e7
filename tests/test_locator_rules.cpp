#include "TestSupport.h"
#include "ini_locator/LocatorRules.h"

TEST(LocatorRules, questionsBreakWithCarriageReturnsOnly)
{
    EXPECT_EQ(inilocator::okQuestion(QStringLiteral(" /Saver/Data/user_bmp.ini ")),
              QStringLiteral("The full path is: \r/SAVER/DATA/USER_BMP.INI\ris it ok?"));
    EXPECT_EQ(inilocator::editQuestion(QStringLiteral("/a b/x.ini  ")),
              QStringLiteral("Do you want edit \r/A B/X.INI ?"));
    EXPECT_EQ(inilocator::editorCommand(QStringLiteral(" /a/x.ini ")), QStringLiteral("WRITE  /a/x.ini "));
    EXPECT_EQ(inilocator::withTrailingSep(QString()), QStringLiteral("/"));
}
