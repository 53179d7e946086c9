#include "textfile/TextTableOptions.h"

#include "TempDir.h"
#include "TextFiles.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

std::vector<int> fieldOrder(const TextTableOptions& o)
{
    std::vector<int> order;
    for (const auto& p : o.positions)
        order.push_back(p.field);
    return order;
}

} // namespace

TEST(TextTableOptions, MissingSectionGivesTheDefaults)
{
    TextTableOptions o;
    o.load(IniProfile(), "ListCalls", 3);
    EXPECT_EQ(o.file, "");
    EXPECT_TRUE(o.add);
    EXPECT_TRUE(o.update);
    EXPECT_FALSE(o.deleteAll);
    EXPECT_FALSE(o.trim);
    EXPECT_FALSE(o.selection);
    EXPECT_FALSE(o.excel);
    EXPECT_EQ(o.separatorType, SeparatorType::Other);
    EXPECT_EQ(o.separator, ";");
    EXPECT_FALSE(o.firstLineIsHeader);
    ASSERT_EQ(o.positions.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(o.positions[i].field, i);
        EXPECT_TRUE(o.positions[i].active);
        EXPECT_EQ(o.positions[i].skip, 0);
        EXPECT_EQ(o.positions[i].size, 16);
    }
}

TEST(TextTableOptions, ReadsEveryKeyOfItsSection)
{
    TempDir dir;
    writeAll(dir / "q.ini", "[ListUser]\r\nFile=C:\\Import\\hr.csv\r\nAdd=0\r\nUpdate=0\r\nDeleteAll=1\r\nTrim=1\r\n"
                            "Selection=1\r\nExcel=1\r\nSepType=0\r\nSeparator=,\r\nFirst=1\r\n"
                            "Active0=0\r\nOrder0=2\r\nSkip0=3\r\nSize0=8\r\nOrder1=0\r\nOrder2=1\r\nSize2=128\r\n"
                            "[ListTrunk]\r\nSepType=2\r\n");
    TextTableOptions o;
    o.load(IniProfile(dir / "q.ini"), "ListUser", 3);
    EXPECT_EQ(o.file, "C:\\Import\\hr.csv");
    EXPECT_FALSE(o.add);
    EXPECT_FALSE(o.update);
    EXPECT_TRUE(o.deleteAll);
    EXPECT_TRUE(o.trim);
    EXPECT_TRUE(o.selection);
    EXPECT_TRUE(o.excel);
    EXPECT_EQ(o.separatorType, SeparatorType::Tab);
    EXPECT_EQ(o.separatorChar(), '\t');
    EXPECT_EQ(o.separator, ",");
    EXPECT_TRUE(o.firstLineIsHeader);
    EXPECT_EQ(fieldOrder(o), (std::vector<int>{2, 0, 1}));
    EXPECT_FALSE(o.positions[0].active);
    EXPECT_EQ(o.positions[0].skip, 3);
    EXPECT_EQ(o.positions[0].size, 8);
    EXPECT_EQ(o.positions[2].size, 128);
    EXPECT_EQ(o.activeCount(), 2);

    o.load(IniProfile(dir / "q.ini"), "ListTrunk", 1);
    EXPECT_TRUE(o.fixedWidth());
}

TEST(TextTableOptions, StoredLayoutIsMadeSound)
{
    TempDir dir;
    writeAll(dir / "q.ini", "[L]\r\nOrder0=3\r\nOrder1=3\r\nOrder2=-1\r\nOrder3=9\r\nSkip1=21\r\nSkip2=-4\r\n"
                            "Size0=0\r\nSize1=500\r\nSepType=7\r\nSeparator=\r\n");
    TextTableOptions o;
    o.load(IniProfile(dir / "q.ini"), "L", 4);
    EXPECT_EQ(fieldOrder(o), (std::vector<int>{3, 0, 1, 2})); // every field exactly once
    EXPECT_EQ(o.positions[1].skip, 20);
    EXPECT_EQ(o.positions[2].skip, 0);
    EXPECT_EQ(o.positions[0].size, 1);
    EXPECT_EQ(o.positions[1].size, 128);
    EXPECT_EQ(o.separatorType, SeparatorType::Other);
    EXPECT_EQ(o.separatorChar(), ';'); // never a zero byte
}

TEST(TextTableOptions, SaveWritesEveryKeyAndReadsBack)
{
    TempDir dir;
    TextTableOptions o(3);
    o.file = "/home/op/out put.csv";
    o.add = false;
    o.deleteAll = true;
    o.trim = true;
    o.excel = true;
    o.separator = " "; // the blank choice of the separator list
    o.firstLineIsHeader = true;
    o.positions = {{2, true, 4, 9}, {0, false, 0, 3}, {1, true, 0, 16}};
    IniProfile ini(dir / "q.ini");
    ASSERT_TRUE(o.save(ini, "ListContact"));

    IniProfile reread(dir / "q.ini");
    for (const char* key : {"File", "Add", "Update", "DeleteAll", "Trim", "Selection", "Excel", "SepType", "Separator",
                            "First", "Active2", "Order2", "Skip2", "Size2"})
        EXPECT_TRUE(reread.find("ListContact", key)) << key;
    TextTableOptions back;
    back.load(reread, "ListContact", 3);
    EXPECT_EQ(back.file, o.file);
    EXPECT_EQ(back.add, o.add);
    EXPECT_EQ(back.update, o.update);
    EXPECT_EQ(back.deleteAll, o.deleteAll);
    EXPECT_EQ(back.trim, o.trim);
    EXPECT_EQ(back.selection, o.selection);
    EXPECT_EQ(back.excel, o.excel);
    EXPECT_EQ(back.separator, " ");
    EXPECT_EQ(back.separatorChar(), ' ');
    EXPECT_EQ(back.firstLineIsHeader, o.firstLineIsHeader);
    EXPECT_EQ(fieldOrder(back), fieldOrder(o));
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back.positions[i].active, o.positions[i].active);
        EXPECT_EQ(back.positions[i].skip, o.positions[i].skip);
        EXPECT_EQ(back.positions[i].size, o.positions[i].size);
    }
}

TEST(TextTableOptions, DialogLinesShowTheFileColumn)
{
    TextTableOptions o(4);
    const std::vector<std::string> titles = {"Ext", "Acc code", "Employee", "Department"};
    o.changeSkip(1, 2);
    o.setActive(2, false);
    EXPECT_EQ(o.listLine(0, titles), "#1 - Ext");
    EXPECT_EQ(o.listLine(1, titles), "#4 - Acc code"); // two empty columns before it
    EXPECT_EQ(o.listLine(2, titles), "Employee");
    EXPECT_EQ(o.listLine(3, titles), "#5 - Department");
    o.separatorType = SeparatorType::FixedWidth;
    o.changeSize(3, -6);
    EXPECT_EQ(o.listLine(1, titles), "#2 - Acc code [16]");
    EXPECT_EQ(o.listLine(3, titles), "#3 - Department [10]");
}

TEST(TextTableOptions, DialogEditingRules)
{
    TextTableOptions o(3);
    o.positions[1] = {1, true, 5, 20};
    EXPECT_TRUE(o.moveUp(1)); // the whole position moves
    EXPECT_EQ(o.positions[0].field, 1);
    EXPECT_EQ(o.positions[0].skip, 5);
    EXPECT_EQ(o.positions[0].size, 20);
    EXPECT_FALSE(o.moveUp(0));
    EXPECT_FALSE(o.moveDown(2));
    EXPECT_TRUE(o.moveDown(0));
    EXPECT_EQ(fieldOrder(o), (std::vector<int>{0, 1, 2}));

    o.changeSkip(1, 100);
    EXPECT_EQ(o.positions[1].skip, 20);
    o.changeSkip(1, -100);
    EXPECT_EQ(o.positions[1].skip, 0);
    o.changeSize(1, 1000);
    EXPECT_EQ(o.positions[1].size, 128);
    o.changeSize(1, -1000);
    EXPECT_EQ(o.positions[1].size, 1);

    o.changeSkip(2, 3);
    o.setActive(2, false);
    EXPECT_EQ(o.positions[2].skip, 0); // unchecking clears the skip
    o.changeSkip(2, 1);
    o.changeSize(2, 1);
    EXPECT_EQ(o.positions[2].skip, 0); // inactive positions do not change
    EXPECT_EQ(o.positions[2].size, 16);

    o.separator.clear();
    o.separatorType = SeparatorType::FixedWidth;
    o.confirm(TextTableMode::Export);
    EXPECT_EQ(o.separator, ";");
    EXPECT_FALSE(o.trim);
    o.confirm(TextTableMode::Import);
    EXPECT_TRUE(o.trim);
}
