#include "TestSupport.h"
#include "add_consist/AddPresets.h"

TEST(AddPresets, codeLists_holdTheItemsInOrder)
{
    const QStringList types = {
        "D  - Steam Locomotive", "DT - Steam Railcar", "E  - Electrical Locomotive", "EA - Accumulator Car",
        "ES - Tramway", "ET - Electrical Multiple Unit", "FC - Freight Car", "PC - Passenger Car",
        "V  - Diesel Locomotive", "VB - Bus", "VT - Diesel Multiple Unit", "VZ - Amphibious Vehicle",
        "X  - Special Vehicle and Other",
    };
    const QStringList countries = {
        "A   - Austria", "B   - Belgium", "CH  - Switzerland", "DK  - Denmark", "F   - France",
        "FRG - Germany", "GDR - Germany (ex DDR)", "H   - Hungary", "I   - Italy", "JP  - Japan",
        "NL  - Netherlands", "P   - Portugal", "PL  - Poland", "SP  - Spain", "USA - United States Of America",
    };
    EXPECT_EQ(addconsist::typeItems(), types);
    EXPECT_EQ(addconsist::countryItems(), countries);

    // Every code finds its own item, trimmed as the record's field is.
    for (int i = 0; i < types.size(); ++i)
        EXPECT_EQ(addconsist::typeIndex(types[i].left(2).trimmed().toLatin1()), i) << types[i].toStdString();
    for (int i = 0; i < countries.size(); ++i)
        EXPECT_EQ(addconsist::countryIndex(countries[i].left(3).trimmed().toLatin1()), i) << countries[i].toStdString();
}
