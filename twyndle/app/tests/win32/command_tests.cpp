// The commands with files: the listing for the host (122), copying files
// through the copy dialog (127) and refreshing one pair (194).


#include "twyndle/app/app_messages.h"
#include "twyndle/app/listing_command.h"
#include "twyndle/app/tests/win32/app_fixture.h"
#include "twyndle/engine/copy_files.h"
#include "twyndle/engine/tests/refused_files.h"
#include "twyndle/res/resource.h"

namespace {

// Stands in for the save dialog: records what it was asked and answers
// with the path given (none: Cancel).
struct SaveDialogStub {
  static std::string answer;
  static std::string preset;
  static std::string filter;
  static DWORD flags;
  static HWND owner;
  static int calls;

  static BOOL WINAPI show(OPENFILENAMEA* dialog) {
    ++calls;
    preset = dialog->lpstrFile;
    filter.assign(dialog->lpstrFilter, 8);
    flags = dialog->Flags;
    owner = dialog->hwndOwner;
    if (answer.empty()) return FALSE;
    lstrcpynA(dialog->lpstrFile, answer.c_str(), dialog->nMaxFile);
    return TRUE;
  }
};
std::string SaveDialogStub::answer;
std::string SaveDialogStub::preset;
std::string SaveDialogStub::filter;
DWORD SaveDialogStub::flags = 0;
HWND SaveDialogStub::owner = nullptr;
int SaveDialogStub::calls = 0;

class Listing : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    save_dialog_function = SaveDialogStub::show;
    SaveDialogStub::calls = 0;
  }
  void TearDown() override {
    save_dialog_function = GetSaveFileNameA;
    AppTest::TearDown();
  }

  void compare_files(std::vector<std::string> options = {}) {
    left_ = files_.write("l\\a.txt", left_text);
    right_ = files_.write("r\\a.txt", right_text);
    options.push_back(left_);
    options.push_back(right_);
    ASSERT_TRUE(start(options).run_loop);
  }

  std::string expected_listing() const {
    return "Comparing: " + left_ + "\r\nTo: " + right_ +
           "\r\n====\r\n1\t    one\r\n====\r\n2\t <! two\r\n\t !> 2\r\n====\r\n3\t    three\r\n4\t    four\r\n"
           "5\t    five\r\n====\r\n\t !> six\r\n";
  }

  std::string left_;
  std::string right_;
};

TEST_F(Listing, WritesTheExpandedCompareAndOffersItToTheHost) {
  compare_files();
  SaveDialogStub::answer = files_.at("listing.txt");
  boxes_.answer_next(IDYES);
  command(IDM_SAVE);
  EXPECT_EQ(read_file(files_.at("listing.txt")), expected_listing());
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.texts()[0], "Should the output be opened in Scrivane?");
  EXPECT_EQ(boxes_.boxes()[0].title, "Twyndle");
  EXPECT_EQ(boxes_.boxes()[0].style, static_cast<UINT>(MB_ICONINFORMATION | MB_YESNO));
  pump_for(30);
  EXPECT_EQ(host_->requests(), std::vector<std::string>{files_.at("listing.txt")});

  EXPECT_EQ(SaveDialogStub::preset, "");
  EXPECT_EQ(SaveDialogStub::filter, std::string("*.*\0*.*\0", 8));
  EXPECT_EQ(SaveDialogStub::flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY));
  EXPECT_EQ(SaveDialogStub::owner, app.main_window);
}

TEST_F(Listing, TheQuestionIsGermanWhenTheHostAsksAndKeepsItsQuestionMark) {
  left_ = files_.write("l\\a.txt", left_text);
  right_ = files_.write("r\\a.txt", right_text);
  ASSERT_TRUE(start({left_, right_}, true).run_loop);
  SaveDialogStub::answer = files_.at("listing.txt");
  boxes_.answer_next(IDNO);
  command(IDM_SAVE);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.texts()[0], "Sollen die Ausgaben in Scrivane ge\xF6" "ffnet werden?");
}

TEST(MessageBoxText, ALineGetsABlankThatABoxTooNarrowMayCutInsteadOfItsLastCharacter) {
  EXPECT_EQ(text_for_box("Sollen die Ausgaben in Scrivane ge\xF6" "ffnet werden?"),
            "Sollen die Ausgaben in Scrivane ge\xF6" "ffnet werden? ");
  EXPECT_EQ(text_for_box("ends in a blank "), "ends in a blank ");
  EXPECT_EQ(text_for_box("two\nlines\n"), "two\nlines\n");
  EXPECT_EQ(text_for_box(""), "");
  EXPECT_EQ(text_for_box(nullptr), "");
  EXPECT_EQ(message_box_function, &show_message_box) << "every box of the program goes through it";
}

TEST_F(Listing, EveryLineEndsInCrLfForFilesWithLfEnds) {
  left_ = files_.write("l\\a.txt", "one\ntwo\nthree");
  right_ = files_.write("r\\a.txt", "one\r\n2\r\nthree\r\n");
  ASSERT_TRUE(start({left_, right_}).run_loop);
  SaveDialogStub::answer = files_.at("listing.txt");
  boxes_.answer_next(IDNO);
  command(IDM_SAVE);
  EXPECT_EQ(read_file(files_.at("listing.txt")),
            "Comparing: " + left_ + "\r\nTo: " + right_ +
                "\r\n====\r\n1\t    one\r\n====\r\n2\t <! two\r\n3\t <! three\r\n\t !> 2\r\n\t !> three\r\n");
}

TEST_F(Listing, OnlyChangesShowsWhereEqualLinesWereLeftOut) {
  compare_files({"-o"});
  SaveDialogStub::answer = files_.at("listing.txt");
  boxes_.answer_next(IDNO);
  command(IDM_SAVE);
  EXPECT_EQ(read_file(files_.at("listing.txt")),
            "Comparing: " + left_ + "\r\nTo: " + right_ +
                "\r\n====\r\n1\t    ... 1 equal line left out ...\r\n====\r\n2\t <! two\r\n\t !> 2\r\n====\r\n"
                "3\t    ... 3 equal lines left out ...\r\n====\r\n\t !> six\r\n");
}

TEST_F(Listing, SideBySideIsOffForTheListingOnlyAndTheNameIsOfferedAgain) {
  compare_files({"-d"});
  SaveDialogStub::answer = files_.at("first.txt");
  boxes_.answer_next(IDNO);
  command(IDM_SAVE);
  EXPECT_EQ(read_file(files_.at("first.txt")), expected_listing());
  TableProps shown{};
  ASSERT_TRUE(view_answer_props(program.current_view, &shown));
  EXPECT_EQ(shown.column_count, 4) << "the window still shows the two sides";
  pump_for(30);
  EXPECT_TRUE(host_->requests().empty());

  SaveDialogStub::answer.clear();
  command(IDM_SAVE);
  EXPECT_EQ(SaveDialogStub::preset, files_.at("first.txt"));
  EXPECT_EQ(boxes_.boxes().size(), 1u);
}

TEST_F(Listing, AFileThatCannotBeMadeIsReportedAndNothingIsOffered) {
  compare_files();
  SaveDialogStub::answer = files_.at("no such folder\\listing.txt");
  command(IDM_SAVE);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.texts()[0], "Cannot open " + SaveDialogStub::answer);
  EXPECT_EQ(boxes_.boxes()[0].style, static_cast<UINT>(MB_ICONHAND));
  EXPECT_EQ(boxes_.boxes()[0].title, "Twyndle");
}

TEST_F(Listing, TheOutlineListsTheFirstItemsPathsAndEveryRowOnALineOfItsOwn) {
  files_.write("l\\a.txt", "a\r\n");
  files_.write("r\\a.txt", "a\r\n");
  files_.write("r\\b.txt", "b\r\n");
  ASSERT_TRUE(start({files_.at("l"), files_.at("r")}).run_loop);
  SaveDialogStub::answer = files_.at("outline.txt");
  boxes_.answer_next(IDNO);
  command(IDM_SAVE);
  std::string right_root = files_.at("r");
  EXPECT_EQ(read_file(files_.at("outline.txt")),
            "Comparing: " + files_.at("l\\a.txt") + "\r\nTo: " + files_.at("r\\a.txt") +
                "\r\n====\r\n====\r\n1\t.\\a.txtidentical\r\n2\t.\\b.txtonly in " + right_root + "\r\n");
}

TEST_F(Listing, WithoutAnItemNothingIsWritten) {
  ASSERT_TRUE(start({}).run_loop);
  SaveDialogStub::answer = files_.at("nothing.txt");
  command(IDM_SAVE);
  EXPECT_EQ(SaveDialogStub::calls, 1);
  EXPECT_FALSE(file_exists(files_.at("nothing.txt")));
  EXPECT_TRUE(boxes_.boxes().empty());
}

class Copying : public AppTest {
 protected:
  // The dialog once it has been filled in (its source buttons are labelled).
  HWND wait_for_dialog() {
    HWND dialog = nullptr;
    pump_until([&] {
      dialog = FindWindowA("#32770", "Copy Files");
      return dialog && !text_of(dialog, IDC_COPY_FROM_LEFT).empty();
    });
    return dialog;
  }

  static std::string text_of(HWND dialog, int control) {
    char text[400] = "";
    GetDlgItemTextA(dialog, control, text, sizeof text);
    return text;
  }

  static bool checked(HWND dialog, int control) {
    return SendDlgItemMessageA(dialog, control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
};

TEST_F(Copying, WithoutAListTheUserIsAskedForOneFirst) {
  ASSERT_TRUE(start({}).run_loop);
  command(IDM_COPY_FILES);
  EXPECT_EQ(boxes_.texts(), std::vector<std::string>{"Please create a diff list first"});
  EXPECT_EQ(boxes_.boxes()[0].style, static_cast<UINT>(MB_ICONHAND));
  EXPECT_FALSE(program.busy);
}

TEST_F(Copying, TheDialogChoosesTheSourceAndTheStatesAndTheFilesAreCopied) {
  start_on_two_folders();
  std::string out = files_.make_folder("out");
  command(IDM_COPY_FILES);
  HWND dialog = wait_for_dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(program.busy);
  EXPECT_EQ(text_of(dialog, IDC_COPY_FROM_LEFT), files_.at("left"));
  EXPECT_EQ(text_of(dialog, IDC_COPY_FROM_RIGHT), files_.at("right"));
  EXPECT_EQ(text_of(dialog, IDC_COPY_ONLY_IN), "Files only in " + files_.at("left"));
  EXPECT_TRUE(checked(dialog, IDC_COPY_FROM_LEFT));
  EXPECT_FALSE(checked(dialog, IDC_COPY_IDENTICAL));
  EXPECT_TRUE(checked(dialog, IDC_COPY_DIFFERING));
  EXPECT_TRUE(checked(dialog, IDC_COPY_ONLY_IN));

  SendDlgItemMessageA(dialog, IDC_COPY_FROM_RIGHT, BM_CLICK, 0, 0);
  EXPECT_EQ(text_of(dialog, IDC_COPY_ONLY_IN), "Files only in " + files_.at("right"));
  SendDlgItemMessageA(dialog, IDC_COPY_FROM_LEFT, BM_CLICK, 0, 0);
  SetDlgItemTextA(dialog, IDC_COPY_DESTINATION, out.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(wait_idle());

  EXPECT_EQ(read_file(out + "\\sub\\differs.txt"), left_text);
  EXPECT_EQ(read_file(out + "\\gone.txt"), "gone\r\n");
  EXPECT_FALSE(file_exists(out + "\\same.txt"));
  EXPECT_FALSE(file_exists(out + "\\new.txt"));
  ASSERT_FALSE(boxes_.boxes().empty());
  RecordedBox done = boxes_.boxes().back();
  EXPECT_EQ(done.text, "Copy Complete 2 files copied");
  EXPECT_EQ(done.title, "Juxta");
  EXPECT_EQ(done.owner, app.main_window);
  EXPECT_FALSE(done.on_main_thread);
  EXPECT_EQ(std::string(copy_settings.destination), out);
  EXPECT_EQ(copy_settings.options, static_cast<uint32_t>(copy_from_left | copy_differing | copy_only_source));
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), "");
}

TEST_F(Copying, AnEmptyDestinationIsAskedForAgainAndCancelCopiesNothing) {
  start_on_two_folders();
  command(IDM_COPY_FILES);
  HWND dialog = wait_for_dialog();
  ASSERT_NE(dialog, nullptr);
  SendDlgItemMessageA(dialog, IDC_COPY_FROM_RIGHT, BM_CLICK, 0, 0);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(pump_until([&] { return !IsWindow(dialog); }));
  HWND again = wait_for_dialog();
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(checked(again, IDC_COPY_FROM_RIGHT));
  PostMessageA(again, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(wait_idle());
  EXPECT_EQ(boxes_.texts(), std::vector<std::string>{"Please enter the directory name"});
  EXPECT_EQ(boxes_.boxes()[0].title, "Juxta");
}

class Refresh : public AppTest {
 protected:
  static std::string numbered_lines(int first, int count) {
    std::string text;
    for (int i = first; i < first + count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
  }
};

TEST_F(Refresh, TheExpandedPairIsReadAgainAndKeepsItsPlace) {
  std::string left = files_.write("l.txt", numbered_lines(1, 300));
  std::string right = files_.write("r.txt", numbered_lines(1, 300));
  ASSERT_TRUE(start({left, right}).run_loop);
  ASSERT_EQ(view_row_count(program.current_view), 300);
  SendMessageA(app.table, TM_SCROLLPOS, 1, 100);
  ASSERT_EQ(SendMessageA(app.table, TM_SCROLLPOS, 0, 0), 100);

  files_.write("r.txt", "new 1\r\nnew 2\r\nnew 3\r\n" + numbered_lines(1, 300));
  command(IDM_REFRESH_PAIR, reinterpret_cast<LPARAM>(view_current_item(program.current_view, 0)));
  EXPECT_EQ(app.display_mode, mode_expanded);
  ASSERT_EQ(view_row_count(program.current_view), 303);
  EXPECT_EQ(row_text(0), "| !> |new 1\r\n");
  int32_t top = static_cast<int32_t>(SendMessageA(app.table, TM_SCROLLPOS, 0, 0));
  EXPECT_EQ(top, 103);
  EXPECT_EQ(view_left_number(program.current_view, top), 101);
}

TEST_F(Refresh, APairThatCanNoLongerBeReadGoesBackToTheOutlineAndSaysWhy) {
  std::string left = files_.write("l.txt", numbered_lines(1, 30));
  std::string right = files_.write("r.txt", numbered_lines(1, 30));
  ASSERT_TRUE(start({left, right}).run_loop);
  ASSERT_EQ(app.display_mode, mode_expanded);
  CompareItem* shown = view_current_item(program.current_view, 0);

  RefusedFiles held({right});
  ASSERT_TRUE(held.refused());
  command(IDM_REFRESH_PAIR, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(app.display_mode, mode_outline);
  EXPECT_FALSE(view_is_expanded(program.current_view));
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), "") << "not the expanded item's name";
  EXPECT_EQ(app.selected_row, 0);
  ASSERT_EQ(boxes_.texts().size(), 1u);
  EXPECT_EQ(boxes_.texts()[0].rfind("Couldn't read " + right, 0), 0u) << boxes_.texts()[0];
}

TEST_F(Refresh, AValueThatIsNoItemOfTheListIsIgnored) {
  std::string left = files_.write("l.txt", "a\r\n");
  std::string right = files_.write("r.txt", "a\r\n");
  ASSERT_TRUE(start({left, right}).run_loop);
  files_.write("r.txt", "b\r\n");
  int dummy = 0;
  command(IDM_REFRESH_PAIR, reinterpret_cast<LPARAM>(&dummy));
  command(IDM_REFRESH_PAIR, 0);
  EXPECT_EQ(row_text(0), "1|    |a\r\n");
  EXPECT_TRUE(boxes_.boxes().empty());
}
}  // namespace
