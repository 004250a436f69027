// The inventory report dialog over the main window: its controls, the rules
// of Remove, Generate with real temporary files, and the Tools command that
// opens it.
#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/program_state.h"
#include "orrery/app/report_launch.h"
#include "orrery/app/tests/dialog_driver.h"
#include "orrery/app/tests/recording_shell.h"
#include "orrery/app/tests/report_test_support.h"
#include "orrery/reports/report_dlg.h"
#include "orrery/reports/win32_report_environment.h"
#include "orrery/reports/win32_report_files.h"

#include <memory>

namespace {

std::string WindowText(HWND window)
{
    char text[1024] = "";
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// What a message box said, and to whom.
struct SeenBox {
    std::string text;
    HWND owner = nullptr;
};

// Reads a message box titled "Orrery" and closes it with OK.
CDialogDriver::Action ReadBox(SeenBox* seen)
{
    return [seen](HWND box) {
        seen->text = CDialogDriver::ChildTexts(box);
        seen->owner = ::GetWindow(box, GW_OWNER);
        CDialogDriver::Press(IDOK)(box);
    };
}

std::vector<std::string> ListTexts(HWND list)
{
    std::vector<std::string> texts;
    int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int entry = 0; entry < count; ++entry) {
        char text[64] = "";
        ::SendMessageA(list, LB_GETTEXT, entry, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

std::vector<int> SelectedEntries(HWND list)
{
    std::vector<int> selected;
    int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int entry = 0; entry < count; ++entry) {
        if (::SendMessageA(list, LB_GETSEL, entry, 0) > 0)
            selected.push_back(entry);
    }
    return selected;
}

class ReportDialogTest : public SampleWindowTest {
protected:
    void TearDown() override
    {
        if (m_dialog && m_dialog->GetSafeHwnd())
            m_dialog->DestroyWindow();
        m_dialog.reset();
    }

    // Opens the dialog modelessly over the objects the tree shows now.
    CReportDlg& Open()
    {
        m_environment.reset(new orrery::CWin32ReportEnvironment(Machine().Get()));
        m_dialog.reset(new CReportDlg(ShownRecords(Tree()), Tree().CurrentTabText(), *m_environment, m_files));
        m_dialog->openReport = [this](HWND owner, const std::string& path, std::string*) {
            opened.push_back(path);
            openOwners.push_back(owner);
            return true;
        };
        m_dialog->showHelp = [this] { ++helpShown; };
        EXPECT_TRUE(m_dialog->Create(Frame().GetSafeHwnd()));
        return *m_dialog;
    }

    HWND Item(UINT id) { return m_dialog->GetDlgItem(id); }
    HWND List() { return Item(IDC_REPORT_ATTRIBUTES); }
    bool Enabled(UINT id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
    bool Visible(UINT id) { return ::IsWindowVisible(Item(id)) != FALSE; }
    void Command(UINT id, UINT code = BN_CLICKED)
    {
        ::SendMessageA(m_dialog->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, code),
                       reinterpret_cast<LPARAM>(Item(id)));
    }
    void ChooseFormat(int format)
    {
        ::SendMessageA(Item(IDC_REPORT_FORMAT), CB_SETCURSEL, format, 0);
        Command(IDC_REPORT_FORMAT, CBN_SELCHANGE);
    }
    // Selects exactly these entries, as clicks in the list do.
    void SelectEntries(const std::vector<int>& entries)
    {
        ::SendMessageA(List(), LB_SETSEL, FALSE, -1);
        for (int entry : entries)
            ::SendMessageA(List(), LB_SETSEL, TRUE, entry);
        Command(IDC_REPORT_ATTRIBUTES, LBN_SELCHANGE);
    }

    std::vector<std::string> opened;
    std::vector<HWND> openOwners;
    int helpShown = 0;

private:
    orrery::CWin32ReportFiles m_files;
    std::unique_ptr<orrery::CWin32ReportEnvironment> m_environment;
    std::unique_ptr<CReportDlg> m_dialog;
};

TEST_F(ReportDialogTest, OpensWithTheCategoryEveryAttributeAndTheFormattedPage)
{
    Tree().SelectTab(1);
    CReportDlg& dialog = Open();
    EXPECT_EQ("DLL Servers Inventory Report", WindowText(dialog.GetSafeHwnd()));
    EXPECT_EQ("Well behaved DLL Servers", WindowText(Item(IDC_REPORT_WELL_BEHAVED)));
    EXPECT_EQ("Misbehaved DLL Servers", WindowText(Item(IDC_REPORT_MISBEHAVED)));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog.GetSafeHwnd(), IDC_REPORT_WELL_BEHAVED));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dialog.GetSafeHwnd(), IDC_REPORT_MISBEHAVED));
    EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(dialog.GetSafeHwnd(), IDC_REPORT_DEPENDENCIES));
    EXPECT_TRUE(Enabled(IDC_REPORT_DEPENDENCIES));

    HWND formats = Item(IDC_REPORT_FORMAT);
    EXPECT_EQ(3, ::SendMessageA(formats, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, ::SendMessageA(formats, CB_GETCURSEL, 0, 0));
    char name[64] = "";
    ::SendMessageA(formats, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ("Text (Comma Delimited)", name);
    ::SendMessageA(formats, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ("HTML (Formated)", name);

    std::vector<std::string> labels = ListTexts(List());
    ASSERT_EQ(19u, labels.size());
    EXPECT_EQ("ProgID", labels.front());
    EXPECT_EQ("TypeLib Name", labels[3]);
    EXPECT_EQ("Product Version", labels.back());
    EXPECT_EQ(18, ::SendMessageA(List(), LB_GETITEMDATA, 18, 0));

    EXPECT_FALSE(Enabled(IDOK)) << "OK waits for the first report";
    EXPECT_TRUE(Enabled(IDCANCEL));
    EXPECT_TRUE(Enabled(IDC_REPORT_GENERATE));
    EXPECT_FALSE(Enabled(IDC_REPORT_REMOVE)) << "nothing is selected";
    EXPECT_FALSE(Visible(IDC_REPORT_PROGRESS));
    EXPECT_FALSE(Visible(IDC_REPORT_PROGRESS_LABEL));

    Command(IDC_REPORT_HELP);
    EXPECT_EQ(1, helpShown);
}

TEST_F(ReportDialogTest, DependenciesCanBeChosenForTheHtmlPagesOnly)
{
    Open();
    ChooseFormat(orrery::ReportCommaDelimited);
    EXPECT_FALSE(Enabled(IDC_REPORT_DEPENDENCIES));
    ChooseFormat(orrery::ReportPlain);
    EXPECT_TRUE(Enabled(IDC_REPORT_DEPENDENCIES));
    ChooseFormat(orrery::ReportFormatted);
    EXPECT_TRUE(Enabled(IDC_REPORT_DEPENDENCIES));
}

TEST_F(ReportDialogTest, RemoveDeletesTheSelectionButNeverTheLastAttribute)
{
    CReportDlg& dialog = Open();
    CDialogDriver quiet;
    quiet.Run([&] {
        Command(IDC_REPORT_REMOVE);
        EXPECT_EQ(19u, ListTexts(List()).size()) << "nothing selected, nothing removed";

        std::vector<int> tail;
        for (int entry = 3; entry < 19; ++entry)
            tail.push_back(entry);
        SelectEntries(tail);
        EXPECT_TRUE(Enabled(IDC_REPORT_REMOVE));
        Command(IDC_REPORT_REMOVE);
        EXPECT_EQ((std::vector<std::string>{"ProgID", "Version", "CLSID"}), ListTexts(List()));
        EXPECT_EQ((std::vector<int>{2}), SelectedEntries(List())) << "the entry at the last deleted place, or the last";
        EXPECT_EQ(List(), ::GetFocus());

        // Two of three: both go, and the one left is selected.
        SelectEntries({0, 2});
        Command(IDC_REPORT_REMOVE);
        EXPECT_EQ((std::vector<std::string>{"Version"}), ListTexts(List()));
        EXPECT_EQ((std::vector<int>{0}), SelectedEntries(List()));
        EXPECT_TRUE(Enabled(IDC_REPORT_GENERATE));
    });
    EXPECT_TRUE(quiet.Unexpected().empty()) << "no message on the way";

    // The last one stays, with the message.
    SeenBox box;
    CDialogDriver driver;
    driver.Expect("Orrery", ReadBox(&box));
    driver.Run([&] { Command(IDC_REPORT_REMOVE); });
    EXPECT_EQ(0u, driver.Pending());
    EXPECT_EQ((std::vector<std::string>{"Version"}), ListTexts(List()));
    EXPECT_EQ("There is only one attribute left in the list.\nIn order to generate a report at least one is required.",
              box.text);
    EXPECT_EQ(dialog.GetSafeHwnd(), box.owner);
    EXPECT_EQ((std::vector<int>{1}), dialog.Choices().attributes);
}

TEST_F(ReportDialogTest, RemovingAllSelectedStopsAtTheLastOneAndDoubleClickRemovesToo)
{
    Open();
    SelectEntries({5});
    Command(IDC_REPORT_ATTRIBUTES, LBN_DBLCLK);
    EXPECT_EQ(18u, ListTexts(List()).size());
    EXPECT_EQ("Status", ListTexts(List())[5]) << "File Location went";
    EXPECT_EQ((std::vector<int>{5}), SelectedEntries(List()));

    std::vector<int> all;
    for (int entry = 0; entry < 18; ++entry)
        all.push_back(entry);
    SelectEntries(all);
    SeenBox box;
    CDialogDriver driver;
    driver.Expect("Orrery", ReadBox(&box));
    driver.Run([&] { Command(IDC_REPORT_REMOVE); });
    EXPECT_EQ(0u, driver.Pending());
    EXPECT_EQ((std::vector<std::string>{"ProgID"}), ListTexts(List())) << "deleted from the last up";
    EXPECT_TRUE(Enabled(IDC_REPORT_REMOVE));

    SelectEntries({});
    EXPECT_FALSE(Enabled(IDC_REPORT_REMOVE));
}

TEST_F(ReportDialogTest, GenerateWritesATemporaryReportAndOpensIt)
{
    CTemporaryFolder folder;
    CReportDlg& dialog = Open();
    ChooseFormat(orrery::ReportCommaDelimited);
    SelectEntries({3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});
    Command(IDC_REPORT_REMOVE);
    Command(IDC_REPORT_GENERATE);

    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(dialog.GetSafeHwnd(), openOwners[0]);
    EXPECT_EQ(dialog.ReportPath(), opened[0]);
    EXPECT_EQ(0u, opened[0].find(folder.Path() + "\\com"));
    EXPECT_EQ(".tmp.txt", opened[0].substr(opened[0].size() - 8));
    std::string text = test_support::read_file(opened[0]);
    EXPECT_NE(std::string::npos, text.find("; The file contains a list of Controls on the following machine: "));
    EXPECT_NE(std::string::npos,
              text.find("; Attribute Names\r\nProgID,Version,CLSID,File Location,\r\n\r\n"
                        "Orrery.Dial,," + kDialClsid + ",C:\\lib\\dial.dll,\r\n"
                        "Orrery.Gauge.1,1.0," + kGaugeClsid + ",C:\\lib\\gauge.ocx,\r\n"))
        << text;

    EXPECT_TRUE(Enabled(IDOK));
    EXPECT_TRUE(Enabled(IDCANCEL));
    EXPECT_FALSE(Visible(IDC_REPORT_PROGRESS));
    EXPECT_EQ(1, ::SendMessageA(Item(IDC_REPORT_PROGRESS), PBM_GETPOS, 0, 0)) << "at the last object's index";
    EXPECT_EQ(1, ::SendMessageA(Item(IDC_REPORT_PROGRESS), PBM_GETRANGE, FALSE, 0));

    // A second report in a row gets a file of its own.
    ChooseFormat(orrery::ReportFormatted);
    ::CheckDlgButton(dialog.GetSafeHwnd(), IDC_REPORT_MISBEHAVED, BST_UNCHECKED);
    Command(IDC_REPORT_GENERATE);
    ASSERT_EQ(2u, opened.size());
    EXPECT_NE(opened[0], opened[1]);
    EXPECT_EQ(".tmp.htm", opened[1].substr(opened[1].size() - 8));
    std::string page = test_support::read_file(opened[1]);
    EXPECT_NE(std::string::npos, page.find("Orrery.Gauge.1"));
    EXPECT_EQ(std::string::npos, page.find("Orrery.Dial")) << "misbehaved objects were not chosen";
    EXPECT_NE(std::string::npos, page.find("Controls Count: <strong>1</strong>"));
}

TEST_F(ReportDialogTest, HiddenObjectsAreNeverReported)
{
    CTemporaryFolder folder;
    Options().DisplayMissing = false;
    Tree().FillTree();
    Open();
    ChooseFormat(orrery::ReportPlain);
    Command(IDC_REPORT_GENERATE);
    ASSERT_EQ(1u, opened.size());
    std::string page = test_support::read_file(opened[0]);
    EXPECT_EQ(std::string::npos, page.find("Orrery.Dial"));
    EXPECT_NE(std::string::npos, page.find("Controls Count: <strong>1</strong>"));
}

TEST_F(ReportDialogTest, AReportThatCannotBeMadeIsNamedAndNothingIsOpened)
{
    CTemporaryFolder folder;
    ::SetEnvironmentVariableA("TMP", (folder.Path() + "\\missing\\").c_str());
    CReportDlg& dialog = Open();
    SeenBox box;
    CDialogDriver driver;
    driver.Expect("Orrery", ReadBox(&box));
    driver.Run([&] { Command(IDC_REPORT_GENERATE); });
    EXPECT_EQ(0u, driver.Pending());
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(dialog.ReportPath().empty());
    EXPECT_EQ(0u, box.text.find("Orrery could not create a report file in the folder " + folder.Path() +
                                "\\missing\\.\n\n"))
        << box.text;
    EXPECT_GT(box.text.size(), 70u) << "the system's reason follows";
    EXPECT_EQ(dialog.GetSafeHwnd(), box.owner);
    EXPECT_TRUE(Enabled(IDCANCEL));
    EXPECT_FALSE(Visible(IDC_REPORT_PROGRESS));
}

TEST_F(ReportDialogTest, TheToolsCommandRunsTheDialogOverTheShownObjects)
{
    CTemporaryFolder folder;
    CRecordingShell shell;
    UseShell(&shell);
    Tree().SelectTab(2);
    EXPECT_TRUE(Frame().IsCommandEnabled(ID_GENERATE_REPORT));
    std::string caption;
    std::vector<std::string> attributes;
    HWND driven = nullptr;
    CDialogDriver driver;
    driver.Expect("EXE Servers Inventory Report", [&](HWND dialog) {
        driven = dialog;
        caption = WindowText(dialog);
        attributes = ListTexts(::GetDlgItem(dialog, IDC_REPORT_ATTRIBUTES));
        ::SendMessageA(dialog, WM_COMMAND, IDC_REPORT_GENERATE, 0);
        ::SendMessageA(dialog, WM_COMMAND, IDC_REPORT_HELP, 0);
        CDialogDriver::Press(IDOK)(dialog);
    });
    driver.Run([&] { Frame().RouteCmdMsg(ID_GENERATE_REPORT); });
    UseShell(nullptr);
    EXPECT_EQ(0u, driver.Pending());
    EXPECT_TRUE(driver.Unexpected().empty());
    EXPECT_EQ("EXE Servers Inventory Report", caption);
    EXPECT_EQ(19u, attributes.size());
    ASSERT_EQ(2u, shell.calls.size());
    EXPECT_EQ("open", shell.calls[0].kind);
    EXPECT_EQ(driven, shell.calls[0].owner) << "the report opens over the dialog";
    std::string page = test_support::read_file(shell.calls[0].target);
    EXPECT_NE(std::string::npos, page.find("EXE Servers Count: <strong>1</strong>"));
    EXPECT_NE(std::string::npos, page.find("<b>Orrery Server Application</b>"));
    // Help opens the report's topic (the help viewer or the topic's page) over the main window.
    const CRecordingShell::Call& help = shell.calls[1];
    EXPECT_TRUE((help.kind == "winhelp" && help.data == 103) ||
                (help.kind == "open" && help.target.find("report.html") != std::string::npos))
        << help.kind << " " << help.target;
    EXPECT_EQ(Frame().GetSafeHwnd(), help.owner);
}

} // namespace
