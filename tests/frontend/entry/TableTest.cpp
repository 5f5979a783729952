// The table engine on the tables of the main window: rows, sub-tables by soil type, typed entry,
// unit conversion, the identifier registry and stored definitions.
#include <gtest/gtest.h>

#include <cmath>

#include "entry/SystemTables.h"
#include "entry/Table.h"
#include "entry/Units.h"
#include "entry/ValueStream.h"

using namespace korven;

namespace {

class SoilTable : public ::testing::Test {
protected:
    TSystemTables tables;
    TGridTable& D = tables.SoilLayers();

    TGridTable& sub(int row) { return *D.Cell(kSoilData, row).SubTable(); }

    // The message of a typed entry that fails, or "" when it is stored.
    static std::string entryError(const TData& cell, const std::string& text) {
        try {
            cell.SetText(text);
        } catch (const EEntryError& e) {
            return e.what();
        }
        return "";
    }
};

}  // namespace

TEST_F(SoilTable, LayoutGivesTheTablesOfTheMainWindow) {
    EXPECT_EQ(D.Identifier(), 10);
    EXPECT_EQ(D.Caption, "Soil Layer Data");
    EXPECT_EQ(D.TopLeft, "Layer");
    EXPECT_EQ(D.MinRows(), 1);
    EXPECT_EQ(D.MaxRows(), 20);
    ASSERT_EQ(D.ColumnCount(), 7);
    EXPECT_EQ(dynamic_cast<TEnumColumn&>(D.Column(kSoilType)).Items.size(), 9u);
    EXPECT_EQ(dynamic_cast<TTableColumn&>(D.Column(kSoilData)).IdentifierList,
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 31, 32}));
    EXPECT_EQ(D.Column(kSoilDepth).CaptionLine(1), "of each Layer (ft)  ");
    EXPECT_EQ(D.Column(kMaxSide).CaptionLine(1), "Friction (lbs/ft^2)  ");
    EXPECT_EQ(D.Column(kLrfdSide).CaptionLine(1), "(Side Friction)");

    struct Expected {
        int id;
        const char* caption;
        int columns;
    };
    const Expected templates[] = {{1, "Sand Layer Data", 5},
                                  {2, "Clay Layer Data", 5},
                                  {3, "Shale Layer Data", 5},
                                  {4, "Strong Rock Layer Data", 7},
                                  {5, "Decomposed Geo. Layer Data", 5},
                                  {6, "Weak Rock Layer Data", 7},
                                  {7, "Strong Rock Layer Data", 7},
                                  {31, "Gravelly Sand Layer Data", 3},
                                  {32, "Gravel Layer Data", 3}};
    for (const auto& e : templates) {
        const TGridTable* t = tables.Templates().Find(e.id);
        ASSERT_NE(t, nullptr) << e.id;
        EXPECT_EQ(t->Caption, e.caption);
        EXPECT_EQ(t->ColumnCount(), e.columns);
        EXPECT_EQ(t->MinRows(), 2);
        EXPECT_EQ(t->MaxRows(), 2);
        EXPECT_EQ(t->TopLeft, e.id > 30 ? "" : "Location, 1=Top, 2=Bottom");
    }
}

TEST_F(SoilTable, NewRowsAreSandLayersWithDefaults) {
    D.SetRowCount(3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(D.Cell(kSoilType, r).AsInteger(), 1);
        EXPECT_EQ(D.Cell(kSoilData, r).Text(), std::to_string(r + 1) + ": Sand Layer Data");
        EXPECT_EQ(D.Cell(kLrfdEnd, r).AsFloat(), 1.0L);
        EXPECT_EQ(sub(r).RowCount(), 2);
        EXPECT_EQ(sub(r).RowNumber(), r + 1);
        EXPECT_EQ(sub(r).Parent(), &D);
    }
}

TEST_F(SoilTable, ChangingTheSoilTypeReplacesTheParameters) {
    D.SetRowCount(2);
    sub(1).Cell(0, 0).SetFloat(120);
    sub(1).Cell(2, 1).SetInteger(30);
    D.Cell(kSoilType, 1).SetText("2");
    EXPECT_EQ(D.Cell(kSoilData, 1).Text(), "2: Clay Layer Data");
    for (int c = 0; c < sub(1).ColumnCount(); ++c)
        for (int r = 0; r < 2; ++r) EXPECT_EQ(sub(1).Cell(c, r).Text(), "0") << c << r;
    // the same type again keeps what was entered
    sub(1).Cell(1, 0).SetFloat(2000);
    D.Cell(kSoilType, 1).SetInteger(2);
    EXPECT_EQ(sub(1).Cell(1, 0).AsFloat(), 2000);
    D.Cell(kSoilType, 1).SetInteger(9);
    EXPECT_EQ(D.Cell(kSoilData, 1).Text(), "2: Gravel Layer Data");
    EXPECT_EQ(D.Cell(kSoilData, 0).Text(), "1: Sand Layer Data");
}

TEST_F(SoilTable, RowOperationsKeepLimitsAndRenumberSubTables) {
    D.SetRowCount(1);
    EXPECT_TRUE(D.ShowsRowButtons());
    EXPECT_FALSE(D.CanDeleteRows());
    EXPECT_FALSE(D.DeleteGroup(0));
    EXPECT_TRUE(D.AddGroup());
    D.Cell(kSoilType, 1).SetInteger(6);
    D.Cell(kSoilDepth, 1).SetFloat(40);
    EXPECT_TRUE(D.InsertGroup(1));  // before the weak rock
    EXPECT_EQ(D.Cell(kSoilData, 2).Text(), "3: Weak Rock Layer Data");
    EXPECT_EQ(sub(2).RowNumber(), 3);
    EXPECT_EQ(D.Cell(kSoilDepth, 2).AsFloat(), 40);
    EXPECT_TRUE(D.DeleteGroup(0));
    EXPECT_EQ(D.Cell(kSoilData, 1).Text(), "2: Weak Rock Layer Data");
    EXPECT_EQ(sub(1).RowNumber(), 2);
    EXPECT_THROW(D.DeleteGroup(5), ETableError);

    D.SetRowCount(25);  // never more than MaxRows
    EXPECT_EQ(D.RowCount(), 20);
    EXPECT_FALSE(D.CanAddRows());
    EXPECT_FALSE(D.AddGroup());
    EXPECT_FALSE(D.InsertGroup(3));
    EXPECT_FALSE(sub(0).ShowsRowButtons());
}

TEST_F(SoilTable, TypedEntryMessagesLeaveTheValue) {
    D.SetRowCount(1);
    D.Cell(kSoilType, 0).SetInteger(2);
    const TData blows = sub(0).Cell(2, 0);
    const TData depth = D.Cell(kSoilDepth, 0);
    const TData type  = D.Cell(kSoilType, 0);
    blows.SetInteger(7);
    depth.SetFloat(12.5);
    struct Case {
        TData cell;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {blows, "101", "Entry must be between 0 and 100."},
        {blows, "-1", "Entry must be between 0 and 100."},
        {blows, "2.5", "Entry must be an integer."},
        {blows, "1e30", "Entry must be between 0 and 100."},
        {blows, "", "Entry cannot be blank."},
        {depth, "abc", "abc is not a valid number."},
        {depth, "  ", "Entry cannot be blank."},
        {type, "2.5", "Value must be an integer."},
        {type, "1e12", "Value must be an integer."},
        {type, "10", "Entry must be between 1 and 9."},
        {type, "0", "Entry must be between 1 and 9."},
    };
    for (const auto& c : cases) EXPECT_EQ(entryError(c.cell, c.text), c.message) << c.text;
    EXPECT_EQ(blows.AsInteger(), 7);
    EXPECT_EQ(depth.AsFloat(), 12.5L);
    EXPECT_EQ(type.AsInteger(), 2);

    EXPECT_EQ(entryError(blows, "42.00000000001"), "");
    EXPECT_EQ(blows.AsInteger(), 42);
    EXPECT_EQ(entryError(depth, "1.25E1"), "");
    EXPECT_EQ(depth.Text(), "12.5");
    EXPECT_THROW(depth.AsInteger(), ETableError);  // "Data of wrong type"
    EXPECT_THROW(D.Cell(kSoilDepth, 1).AsFloat(), ETableError);
}

TEST_F(SoilTable, UnitsConvertEveryFloatColumnAndSubTable) {
    D.SetRowCount(2);
    D.Cell(kSoilType, 1).SetInteger(4);
    D.Cell(kSoilDepth, 0).SetFloat(10);
    D.Cell(kMaxSide, 0).SetFloat(2000);
    D.Cell(kLrfdSide, 0).SetFloat(0.45L);
    sub(0).Cell(0, 0).SetFloat(120);      // unit weight, F/L2^3
    sub(0).Cell(1, 0).SetFloat(32);       // friction angle, no unit
    sub(0).Cell(2, 0).SetInteger(15);     // blow count
    sub(1).Cell(5, 1).SetFloat(4000000);  // rock modulus, F/L^2
    D.SetUnits(kSI);

    const long double F = 224.8089237L, L = 39.37007874L, L2 = 3.280839895L;
    EXPECT_NEAR(D.Cell(kSoilDepth, 0).AsFloat(), 10 / L2, 1e-12L);
    EXPECT_NEAR(D.Cell(kMaxSide, 0).AsFloat(), 2000 / (F / (L2 * L2)), 1e-9L);
    EXPECT_EQ(D.Cell(kLrfdSide, 0).AsFloat(), 0.45L);
    EXPECT_NEAR(sub(0).Cell(0, 0).AsFloat(), 18.85L, 0.005L);
    EXPECT_EQ(sub(0).Cell(1, 0).AsFloat(), 32);
    EXPECT_EQ(sub(0).Cell(2, 0).AsInteger(), 15);
    EXPECT_NEAR(sub(1).Cell(5, 1).AsFloat(), 4000000 * L * L / F, 1e-6L);
    EXPECT_EQ(sub(1).Units(), kSI);
    EXPECT_EQ(D.Column(kSoilDepth).CaptionLine(1), "of each Layer (m)  ");

    // a new sub-table starts in its parent's units
    D.Cell(kSoilType, 0).SetInteger(2);
    EXPECT_EQ(sub(0).Units(), kSI);
    EXPECT_EQ(sub(0).Column(1).CaptionLine(0), "Cohesion (kN/m^2)  ");

    D.SetUnits(kEnglish);
    EXPECT_EQ(D.Cell(kSoilDepth, 0).Text(), "10");
    EXPECT_EQ(D.Cell(kMaxSide, 0).Text(), "2000");
    EXPECT_EQ(sub(1).Cell(5, 1).Text(), "4000000");
}

TEST_F(SoilTable, ChangedFlagCoversSubTables) {
    D.SetRowCount(2);
    EXPECT_TRUE(D.Changed());
    D.ResetChanged();
    EXPECT_FALSE(D.Changed());
    sub(1).Cell(0, 1).SetText("118");
    EXPECT_FALSE(D.Column(kSoilDepth).Changed());
    EXPECT_TRUE(D.Changed());
    D.ResetChanged();
    EXPECT_FALSE(sub(1).Changed());
}

TEST(GridTable, IdentifiersAreUniqueAndSwap) {
    TGridTable a, b;
    EXPECT_NE(a.Identifier(), b.Identifier());
    const int oldA = a.Identifier(), oldB = b.Identifier();
    a.SetIdentifier(oldB);
    EXPECT_EQ(a.Identifier(), oldB);
    EXPECT_EQ(b.Identifier(), oldA);
    EXPECT_EQ(TGridTable::Find(oldB), &a);
    int gone = 0;
    {
        TGridTable c;
        gone = c.Identifier();
        EXPECT_EQ(TGridTable::Find(gone), &c);
    }
    EXPECT_EQ(TGridTable::Find(gone), nullptr);
}

TEST(GridTable, PerGroupEntriesFillTheGroup) {
    TGridTable t;
    t.SetRowGroup(2);
    auto& c    = t.AddColumn<TFloatColumn>();
    c.PerGroup = true;
    auto& s    = t.AddColumn<TStringColumn>();
    t.SetRowCount(3);  // whole groups
    EXPECT_EQ(t.RowCount(), 4);
    t.Cell(0, 3).SetText("7");
    t.Cell(1, 3).SetText("x");
    EXPECT_EQ(t.Cell(0, 2).AsFloat(), 7);
    EXPECT_EQ(t.Cell(0, 1).AsFloat(), 0);
    EXPECT_EQ(s.CellText(2), "");
    EXPECT_TRUE(t.DeleteGroup(1));
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.Cell(0, 1).AsFloat(), 7);
    EXPECT_EQ(s.ColumnWidth([](const std::string&) { return 10; }, 96), 96);  // 1 inch
}

TEST(TableDefinition, LayoutWritesWhatItReads) {
    TSystemTables a;
    const std::string text = a.WriteLayout();
    TSystemTables b(text);
    EXPECT_EQ(b.WriteLayout(), text);
    EXPECT_EQ(b.Templates().Find(1)->Comments, a.Templates().Find(1)->Comments);
    EXPECT_NE(text.find("'FLEXCOLUMN2' (1 2 3 4 5 6 7 31 32)"), std::string::npos);
}

TEST(TableDefinition, ReadingErrors) {
    struct Case {
        const char* col;
        const char* message;
    };
    const Case cases[] = {
        {"'x'", "Error reading column count"},
        {"-1", "Error reading column count"},
        {"1 9 ('a') True False", "Error Column Class not defined"},
        {"1 'a'", "Error Column Class not defined"},
        {"2 4 ('a') True False 'd' 1.0 1 ('b') True False 5",
         "Error occured when creating column 1: Line 1: an integer was expected but the end of "
         "the text was found"},
        {"1 2 ('a') True False False 'FLOATCOLUMN2' 'F/Q' 0.0",
         "Error occured when creating column 0: unknown unit code \"F/Q\""},
        {"1 1 ('a') True False 5 0 4",
         "Error occured when creating column 0: the default lies outside the range"},
    };
    for (const auto& c : cases) {
        TGridTable t;
        TValueReader in(c.col);
        try {
            t.ReadDefinition(in);
            ADD_FAILURE() << c.col;
        } catch (const ETableDefinitionError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(TableDefinition, OlderForms) {
    const char* col =
        "3 0 ('Type') True False ('a' 'b' 'c')"
        " 2 ('Depth') True False False 'L2'"
        " 3 ('Data') True False 'FLEXCOLUMN' 7";
    for (bool hardwired : {false, true}) {
        TGridTable t;
        t.HardwiredButton = hardwired;
        TValueReader in(col);
        t.ReadDefinition(in);
        const auto& f = dynamic_cast<TFloatColumn&>(t.Column(1));
        EXPECT_EQ(f.UnitCode, "L2");
        EXPECT_EQ(f.Default, 0);
        const std::vector<int> ids =
            hardwired ? std::vector<int>{7, 7, 7} : std::vector<int>{1, 2, 3};
        EXPECT_EQ(dynamic_cast<TTableColumn&>(t.Column(2)).IdentifierList, ids);
    }
}
