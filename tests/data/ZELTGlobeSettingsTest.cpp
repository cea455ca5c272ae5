#include "data/MyXMLDb.h"
#include "data/ZELTGlobeSettings.h"

#include "DbTestFiles.h"

#include <cstring>

namespace {

const std::vector<std::string> kTextFields = {"appname", "homesite", "projectname", "authorname",
                                              "authorwebsite", "version", "authoremail", "description"};

std::string Block()
{
    std::string b(80, '\0');
    b.replace(8, 4, Int32Bytes(1));
    b.replace(24, 4, Int32Bytes(-5));
    b[21] = 1;
    b[58] = 1;
    b.replace(64, 4, Int32Bytes(3));
    b[76] = 7;
    return b;
}

class ZELTGlobeSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { Path = TestFile(".db"); }
    void TearDown() override
    {
        Settings.Close();
        Db.Clear();
        DeleteFileIfExists(Path);
    }
    void Load(const std::vector<TableSpec>& tables)
    {
        WriteBytes(Path, DatabaseBytes(tables));
        ASSERT_EQ(Db.Open(Path, 0), 1);
        Settings.SetDatabase(&Db);
        Settings.Open();
        Settings.ReadProject();
    }
    static TableSpec ProjectTable(std::vector<std::vector<std::string>> records)
    {
        std::vector<std::string> fields = {"data", "banner"};
        fields.insert(fields.end(), kTextFields.begin(), kTextFields.end());
        std::vector<bool> binary(fields.size(), false);
        binary[1] = true;
        return {"project", fields, binary, records};
    }
    static bool BlockIsZero(const PROJECT_DATA& d)
    {
        static const PROJECT_DATA zero = {};
        return std::memcmp(&d, &zero, sizeof d) == 0;
    }

    std::string Path;
    CMyXMLDb Db;
    CZELTGlobeSettings Settings;
};

} // namespace

TEST_F(ZELTGlobeSettingsTest, ReadsTheBlockAndTexts)
{
    Load({ProjectTable({{Block(), std::string(9000, 'b'), "App", "home", "Proj", "Auth", "web", "", "mail",
                         "desc"}})});
    EXPECT_EQ(Settings.ProjectData.RunAsProgram, 1);
    EXPECT_EQ(Settings.ProjectData.MediaDelay, -5);
    EXPECT_EQ(Settings.ProjectData.ShuffleSlides, 1);
    EXPECT_EQ(Settings.ProjectData.EmbeddedMedia, 1);
    EXPECT_EQ(Settings.ProjectData.FitMode, 3);
    EXPECT_EQ(Settings.ProjectData.HasPictures, 7);
    EXPECT_EQ(Settings.AppName, "App");
    EXPECT_EQ(Settings.HomeSite, "home");
    EXPECT_EQ(Settings.ProjectName, "Proj");
    EXPECT_EQ(Settings.AuthorName, "Auth");
    EXPECT_EQ(Settings.AuthorWebsite, "web");
    EXPECT_EQ(Settings.Version, "");
    EXPECT_EQ(Settings.AuthorEmail, "mail");
    EXPECT_EQ(Settings.Description, "desc");
    // The cursor stays open on the record for the dialogs; its blob is fetched on demand.
    EXPECT_FALSE(Settings.ProjectTable.IsClosed());
    TMemoryStream banner;
    EXPECT_EQ(Settings.ProjectTable.BlobToStream("banner", banner), 1);
    EXPECT_EQ(banner.Size(), 9000);
}

TEST_F(ZELTGlobeSettingsTest, MissingTableOrRecordLeavesDefaults)
{
    LogCapture log;
    Load({{"media", {"name"}, {false}, {}}});
    EXPECT_TRUE(Settings.ProjectTable.IsClosed());
    EXPECT_TRUE(BlockIsZero(Settings.ProjectData));
    EXPECT_EQ(Settings.ProjectName, "");
    EXPECT_NE(log.Text().find("\"project\""), std::string::npos);
    Settings.Close();
    Db.Clear();

    Load({ProjectTable({})});
    EXPECT_TRUE(BlockIsZero(Settings.ProjectData));
    EXPECT_EQ(Settings.Description, "");
}

TEST_F(ZELTGlobeSettingsTest, BlockValuesOfOtherLengths)
{
    // A short value fills only the start of the block.
    std::string shortBlock = Block().substr(0, 30);
    Load({ProjectTable({{shortBlock, "", "", "", "", "", "", "", "", ""}})});
    EXPECT_EQ(Settings.ProjectData.RunAsProgram, 1);
    EXPECT_EQ(Settings.ProjectData.FitMode, 0);
    Settings.Close();
    Db.Clear();

    // A long value is cut at the block's end: the members after the block stay whole.
    std::string longBlock = Block() + std::string(40, '\xEE');
    Load({ProjectTable({{longBlock, "", "", "", "", "", "", "", "", ""}})});
    EXPECT_EQ(Settings.ProjectData.HasPictures, 7);
    EXPECT_EQ(Settings.ProjectData.Reserved77[2], 0);
    EXPECT_EQ(Settings.ProjectName, "");
}
