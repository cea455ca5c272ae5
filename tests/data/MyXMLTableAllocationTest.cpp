// Cases that make allocations fail. They run in a program of their own: the program's replacement of
// operator new and delete takes them from ASan, whose new/delete mismatch checks the other tests keep.
#include "data/MyXMLDb.h"
#include "data/MyXMLTable.h"

#include "DbTestFiles.h"
#include "FailingAllocations.h"

#include <new>

TEST(MyXMLTableAllocations, AnOpenThatRunsOutOfMemoryLeavesTheEntryAndTheCursorAsTheyWere)
{
    TestDb db(MediaTables());
    // The database, cleared last, closes every cursor its entries name: none of the dead ones.
    CMyXMLTable cursor;
    DB_TABLE_INFO* entry = db.Db.FindTable("media");
    ASSERT_EQ(cursor.Open(&db.Db, "media"), 1);
    // Each allocation of the open fails in turn, until one open needs no more than are allowed.
    for (long allowed = 0;; ++allowed) {
        CMyXMLTable* const registered = entry->Table;
        CMyXMLTable t;
        bool threw = false;
        {
            TFailingAllocation failing(allowed);
            try {
                t.Open(&db.Db, "media");
            } catch (const std::bad_alloc&) {
                threw = true;
            }
            if (!failing.Happened())
                break;
        }
        ASSERT_TRUE(threw) << allowed;
        if (t.IsClosed()) {
            EXPECT_EQ(entry->Table, registered) << allowed;
            EXPECT_EQ(t.FieldCount(), 0) << allowed;
            EXPECT_EQ(t.RecordCount(), 0) << allowed;
        } else {
            EXPECT_EQ(entry->Table, &t) << allowed;
        }
        ASSERT_EQ(t.Open(&db.Db, "media"), 1) << allowed;
        EXPECT_EQ(t.FieldCount(), 4) << allowed;
        EXPECT_EQ(t.RecordCount(), 3) << allowed;
    }
}
