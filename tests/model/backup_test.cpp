#include "model/backup.h"

#include <gtest/gtest.h>

#include "base/settings.h"
#include "model/netbell_doc.h"
#include "model/remind_task.h"
#include "support/fakes.h"

namespace {

class BackupTest : public ::testing::Test {
protected:
    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc{fs, prompts};
    const std::string path = "C:\\Netbell\\Default.nbl";
    CMemorySettingsStore settings;
    bool bDesktopFound = true;
    void Backup()
    {
        BackupData(doc, settings, prompts, [this](std::string& folder) {
            folder = "C:\\Windows\\Desktop";
            return bDesktopFound;
        });
    }
};

} // namespace

TEST_F(BackupTest, GoesToTheDesktopUnlessAFolderIsSet)
{
    doc.m_arrProjects = {"p"};
    doc.SetPathName(path);
    Backup();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Your Data was backed up to:\nC:\\Windows\\Desktop\\NetbellData.bak");
    EXPECT_EQ(prompts.shown[0].caption, "Success");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::exclamation);
    EXPECT_EQ(fs.files["C:\\Windows\\Desktop\\NetbellData.bak"], doc.SaveToBytes());

    WriteSetting(settings, setting::BackupPath, "D:\\Safe");
    WriteSetting(settings, setting::BackupFilename, "copy.nbl");
    Backup();
    EXPECT_TRUE(fs.files.count("D:\\Safe\\copy.nbl"));
    EXPECT_EQ(doc.GetPathName(), path);
}

TEST_F(BackupTest, FailuresAreReported)
{
    // A document that holds no data file (it could not be read) is not
    // copied over the last good backup.
    Backup();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "The data file could not be read, so there is nothing to back up.");
    EXPECT_EQ(fs.nWrites, 0);
    prompts.shown.clear();
    doc.SetPathName(path);

    bDesktopFound = false;
    Backup();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Sorry, there was an error locating your Desktop Folder.");
    EXPECT_EQ(prompts.shown[0].caption, "Shell Error");
    EXPECT_EQ(fs.nWrites, 0);

    bDesktopFound = true;
    fs.writeErrors["C:\\Windows\\Desktop\\NetbellData.bak"] = FileError::accessDenied;
    Backup();
    ASSERT_EQ(prompts.shown.size(), 3u);
    EXPECT_EQ(prompts.shown[1].text, "Access to C:\\Windows\\Desktop\\NetbellData.bak was denied.");
    EXPECT_EQ(prompts.shown[2].text, "There has been an error backing up your data to:\nC:\\Windows\\Desktop\\NetbellData.bak");
    EXPECT_EQ(prompts.shown[2].caption, "Sorry, Failed");
    EXPECT_EQ(prompts.shown[2].icon, MsgIcon::stop);
}

// An empty list (the data file was kept aside, say) never goes over a
// backup that holds tasks without a yes; over an empty one it just goes.
TEST_F(BackupTest, AnEmptyListReplacesABackupOfTasksOnlyWhenTheUserSaysSo)
{
    const std::string backup = "C:\\Windows\\Desktop\\NetbellData.bak";
    CNetbellDoc full(fs, prompts);
    full.m_arrTasks.push_back(std::make_unique<CRemindTask>());
    ASSERT_TRUE(full.OnSaveDocument(backup));
    const std::vector<uint8_t> kept = fs.files[backup];
    doc.SetPathName(path);

    prompts.answers = {MsgResult::no};
    Backup();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "The task list is empty. Replace the backup at:\n" + backup +
                                         "\nwith an empty task list?");
    EXPECT_EQ(prompts.shown[0].buttons, MsgButtons::yesNo);
    EXPECT_EQ(fs.files[backup], kept);

    prompts.answers = {MsgResult::yes};
    Backup();
    EXPECT_EQ(prompts.shown.size(), 3u); // the question, then the success
    EXPECT_NE(fs.files[backup], kept);

    Backup(); // the backup is empty now: no question
    EXPECT_EQ(prompts.shown.size(), 4u);
    EXPECT_EQ(prompts.shown.back().caption, "Success");
}
