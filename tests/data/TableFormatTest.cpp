#include "data/TableFormat.h"

#include "classlib/Streams.h"

#include <gtest/gtest.h>

namespace {

std::string Written(const std::vector<TableSpec>& tables)
{
    TMemoryStream out;
    std::string error;
    EXPECT_TRUE(WriteTableDatabase(out, tables, &error)) << error;
    return std::string(out.Memory(), static_cast<size_t>(out.Size()));
}

bool Refused(const std::vector<TableSpec>& tables, std::string* error)
{
    TMemoryStream out;
    return !WriteTableDatabase(out, tables, error) && !error->empty();
}

} // namespace

TEST(TableFormat, EmptyTableIsLaidOutExactly)
{
    const std::string db = Written({{"t", {"a", "b"}, {false, true}, {}}});
    const std::string table =
        "<t><head><fields>a,b</fields><binfields>01</binfields><recordcount>0</recordcount></head>"
        "<recordinfo></recordinfo><data></data></t>";
    const std::string dir = "<database><tables>t</tables><tablestartpos>" + FixedNumberText(113) +
                            "</tablestartpos><tablesize>" + FixedNumberText(static_cast<int32_t>(table.size())) +
                            "</tablesize></database>";
    ASSERT_EQ(dir.size(), 113u);
    EXPECT_EQ(db, dir + table);
    EXPECT_EQ(EmptyTableText("t", {"a", "b"}, "01"), table);
    EXPECT_EQ(FixedNumberText(123), "       123");
}

TEST(TableFormat, RecordsFollowTheirIndexContiguously)
{
    const std::string db = Written({{"x", {"n"}, {false}, {}}, {"tab", {"name", "blob"}, {false, true},
                                                                {{"ab", std::string("\0\1\2", 3)}, {"", "zz"}}}});
    // The second table starts where the directory says and ends with its closing tag.
    const size_t start = db.find("<tab><head>");
    ASSERT_NE(start, std::string::npos);
    EXPECT_NE(db.find(FixedNumberText(static_cast<int32_t>(start))), std::string::npos);
    EXPECT_EQ(db.substr(db.size() - 6), "</tab>");
    const size_t indexPos = db.find("<recordinfo>", start) + kRecordInfoTagLength;
    const auto* idx = reinterpret_cast<const unsigned char*>(db.data() + indexPos);
    const int32_t off0 = GetInt32(idx), size0 = GetInt32(idx + 4), off1 = GetInt32(idx + 8), size1 = GetInt32(idx + 12);
    EXPECT_EQ(db.substr(start + static_cast<size_t>(off0) - 6, 6), "<data>");
    EXPECT_EQ(size0, 8 + 2 + 3);
    EXPECT_EQ(off1, off0 + size0);
    EXPECT_EQ(size1, 8 + 0 + 2);
    EXPECT_EQ(db.substr(start + static_cast<size_t>(off0), static_cast<size_t>(size0)),
              RecordBytes({"ab", std::string("\0\1\2", 3)}));
    EXPECT_EQ(db.substr(start + static_cast<size_t>(off1) + static_cast<size_t>(size1), 14), "</data></tab>");
}

TEST(TableFormat, RefusesWhatTheReaderCouldNotReadBack)
{
    std::string error;
    EXPECT_TRUE(Refused({}, &error));
    EXPECT_TRUE(Refused({{"a,b", {"f"}, {false}, {}}}, &error));
    EXPECT_TRUE(Refused({{"t", {"f<fields>"}, {false}, {}}}, &error));
    EXPECT_TRUE(Refused({{"recordinfo", {"f"}, {false}, {}}}, &error));  // its opening tag is a searched tag
    EXPECT_TRUE(Refused({{"t", {}, {}, {}}}, &error));
    EXPECT_TRUE(Refused({{"t", {"f", "g"}, {false}, {}}}, &error));
    EXPECT_TRUE(Refused({{"t", {"f"}, {false}, {{"a", "b"}}}}, &error));
    EXPECT_TRUE(Refused({{std::string("t\0u", 3), {"f"}, {false}, {}}}, &error));
    EXPECT_TRUE(Refused({{"t", {std::string(1100, 'f')}, {false}, {}}}, &error));
    EXPECT_NE(error.find("head"), std::string::npos);
    std::vector<TableSpec> many;
    for (int i = 0; i < 40; ++i)
        many.push_back({"table" + std::to_string(i), {"f"}, {false}, {}});
    EXPECT_TRUE(Refused(many, &error));
    EXPECT_NE(error.find("directory"), std::string::npos);
    // "data" is a field name of the project tables, and a legal table name too.
    EXPECT_FALSE(Refused({{"data", {"data"}, {false}, {{"x"}}}}, &error));
}
