// The message dialog and the unregistered dialog as the user meets them:
// captions, texts, the growing message window, and Delete File with its
// question.
#include "orrery/app/message_dlg.h"
#include "orrery/app/tests/scripted_answers.h"
#include "orrery/app/unregistered_dlg.h"
#include "orrery/res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(MessageDlg, ShowsTheTextInAMessageFrameUnderTheProgramsName)
{
    std::string frame;
    int height = 0;
    CScriptedAnswers answers({{IDOK, [&](HWND dialog) {
                                   char text[64] = "";
                                   ::GetDlgItemTextA(dialog, IDC_MESSAGE_FRAME, text, sizeof text);
                                   frame = text;
                                   RECT rect;
                                   ::GetWindowRect(dialog, &rect);
                                   height = rect.bottom - rect.top;
                               }}});
    ShowMessage("C:\\lib\\gauge.ocx\n\nRegistered Successfully !");
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("Orrery", answers.Seen()[0].caption);
    EXPECT_EQ("C:\\lib\\gauge.ocx\n\nRegistered Successfully !", answers.Seen()[0].text);
    EXPECT_EQ(" Message ", frame);
    EXPECT_GT(height, 0);
}

TEST(MessageDlg, GrowsWithALongTextUpToMostOfTheScreen)
{
    auto heightFor = [](const std::string& text) {
        int height = 0;
        CScriptedAnswers answers({{IDOK, [&](HWND dialog) {
                                       RECT rect;
                                       ::GetWindowRect(dialog, &rect);
                                       height = rect.bottom - rect.top;
                                   }}});
        ShowMessage(text);
        return height;
    };
    std::string report;
    for (int line = 0; line < 12; ++line)
        report += "CLSID: {7A3F0C01-5E2B-4C1D-9A8E-0B1C2D3E4F01}\n";
    std::string endless;
    for (int line = 0; line < 400; ++line)
        endless += "line\n";
    int shortHeight = heightFor("Done.");
    int reportHeight = heightFor(report);
    int endlessHeight = heightFor(endless);
    EXPECT_GT(reportHeight, shortHeight);
    EXPECT_GT(endlessHeight, reportHeight);
    EXPECT_LE(endlessHeight, ::GetSystemMetrics(SM_CYSCREEN));
}

TEST(MessageDlg, ShowsLineFeedsAsLineBreaks)
{
    EXPECT_EQ("a\r\n\r\nb\r\n", CMessageDlg::ForDisplay("a\n\nb\r\n"));
}

class UnregisteredDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = TempPath("orrery unregistered test.ocx");
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        ::CloseHandle(file);
    }
    void TearDown() override { ::DeleteFileA(path.c_str()); }

    std::string path;
};

TEST_F(UnregisteredDlgTest, ShowsTheObjectAndItsFileAndKeepFileKeepsIt)
{
    CScriptedAnswers answers({{IDOK, nullptr}});
    CUnregisteredDlg dialog("Orrery.Gauge.1", path);
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("COM Control Unregistered", answers.Seen()[0].caption);
    EXPECT_EQ("Unregistered Successfully !\nControl:\nOrrery.Gauge.1\nFile:\n" + path, answers.Seen()[0].text);
    EXPECT_TRUE(FileExists(path));
}

TEST_F(UnregisteredDlgTest, DeleteFileAsksFirstAndNoLeavesTheDialogOpen)
{
    int questionDefault = 0;
    CScriptedAnswers answers({{IDC_DELETE_FILE, nullptr},
                              {IDNO, [&](HWND box) { questionDefault = EnterButton(box); }},
                              {IDC_DELETE_FILE, nullptr},
                              {IDYES, nullptr}});
    CUnregisteredDlg dialog("Orrery.Gauge.1", path);
    dialog.DoModal(nullptr);
    EXPECT_TRUE(answers.Done());
    EXPECT_EQ(IDNO, questionDefault) << "Enter alone deletes nothing";
    ASSERT_EQ(4u, answers.Seen().size());
    EXPECT_EQ("Confirm File Delete", answers.Seen()[1].caption);
    EXPECT_EQ("Are you sure you want to delete " + path + " ?", answers.Seen()[1].text);
    EXPECT_EQ("COM Control Unregistered", answers.Seen()[2].caption);
    EXPECT_FALSE(FileExists(path));
}

TEST_F(UnregisteredDlgTest, AFailedDeleteIsReportedAndStillClosesTheDialog)
{
    std::string missing = TempPath("orrery no such server.ocx");
    CScriptedAnswers answers({{IDC_DELETE_FILE, nullptr}, {IDYES, nullptr}, {IDOK, nullptr}});
    CUnregisteredDlg dialog("Orrery.Gone", missing);
    dialog.DoModal(nullptr);
    ASSERT_EQ(3u, answers.Seen().size());
    EXPECT_EQ("Orrery", answers.Seen()[2].caption);
    EXPECT_EQ("Failed to delete file " + missing + "\n\nThe file may be in use by another program.",
              answers.Seen()[2].text);
}

} // namespace
