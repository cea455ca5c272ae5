#include "classlib/FileUtils.h"
#include "classlib/Streams.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

TEST(MemoryStream, ReadsWritesAndSeeksWithinBounds)
{
    TMemoryStream s;
    EXPECT_EQ(s.Write("abcdef", 6), 6);
    EXPECT_EQ(s.Position(), 6);
    EXPECT_EQ(s.Seek(-1, soFromBeginning), -1);
    EXPECT_EQ(s.Position(), 6);
    EXPECT_EQ(s.Seek(2, soFromBeginning), 2);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 4);
    EXPECT_STREQ(buf, "cdef");
    EXPECT_EQ(s.Read(buf, 8), 0);
    // Writing past the end grows the stream; the gap reads as zero bytes.
    s.Seek(10, soFromBeginning);
    s.Write("x", 1);
    EXPECT_EQ(s.Size(), 11);
    EXPECT_EQ(s.Memory()[8], 0);
}

TEST(FileStream, MissingFileDoesNotOpenAndReadsNothing)
{
    TFileStream f("no-such-dir/no-such-file.bin", fmOpenRead);
    EXPECT_FALSE(f.IsOpen());
    char c;
    EXPECT_EQ(f.Read(&c, 1), 0);
    EXPECT_EQ(f.Size(), -1);
}

TEST(FileStream, ReplacesFileInOneStep)
{
    const std::string a = "streams_test_a.tmp", b = "streams_test_b.tmp";
    {
        TFileStream f(a, fmCreate);
        ASSERT_TRUE(f.IsOpen());
        f.WriteText("new");
    }
    {
        TFileStream f(b, fmCreate);
        f.WriteText("old contents");
    }
    ASSERT_TRUE(RenameReplacing(a, b));
    TMemoryStream m;
    ASSERT_TRUE(m.LoadFromFile(b));
    EXPECT_EQ(std::string(m.Memory(), static_cast<size_t>(m.Size())), "new");
    EXPECT_FALSE(FileExists(a));
    EXPECT_TRUE(DeleteFileIfExists(b));
}

#ifndef _WIN32
// A full disk, as the file size limit makes one: no part of the file is left to be taken for whole.
TEST(MemoryStream, AFileWrittenShortIsRemoved)
{
    rlimit old = {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const rlimit small = {4096, old.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    TMemoryStream m;
    m.SetSize(100000);
    const bool saved = m.SaveToFile("streams_test_short.tmp");
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(FileExists("streams_test_short.tmp"));
}
#endif

TEST(FileNames, SplitsPathsAndExtensions)
{
    EXPECT_EQ(ExtractFilePath("C:\\dir\\file.scr"), "C:\\dir\\");
    EXPECT_EQ(ExtractFileName("C:\\dir\\file.scr"), "file.scr");
    EXPECT_EQ(ExtractFileExt("dir.x/file"), "");
    EXPECT_EQ(ChangeFileExt("dir/project.db", ".db_"), "dir/project.db_");
    EXPECT_EQ(ChangeFileExt("dir/project", ".db_"), "dir/project.db_");
}
