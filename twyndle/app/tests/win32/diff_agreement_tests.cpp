// The outline against GNU diff -rq over two real trees made for the run:
// every file that diff calls identical, differing or on one side only is
// called so in the outline, and a file that another program holds open is
// never called identical or "same size". diff is the Linux program, started
// through Wine, so the check runs only under Wine (elsewhere it skips).
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/diff_verdicts.h"
#include "tests/support/process_windows.h"
#include "twyndle/app/tests/win32/app_fixture.h"
#include "twyndle/engine/tests/refused_files.h"

namespace {
using Verdicts = std::map<std::string, std::string>;

// The Linux path of a Windows path where Wine can tell it; empty elsewhere.
std::string unix_path(const std::string& path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  auto to_unix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!to_unix) return "";
  int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length);
  char* unix = to_unix(wide.c_str());
  if (!unix) return "";
  std::string result(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

std::string quoted_for_shell(const std::string& text) { return "'" + text + "'"; }

// Runs diff -rq on the two folders, its output written to `output` (a
// Windows path); false when no Linux shell could be started.
bool run_diff(const std::string& left, const std::string& right, const std::string& output) {
  std::string out = unix_path(output);
  std::string script = "PATH=/usr/bin:/bin; diff -rq " + quoted_for_shell(unix_path(left)) + " " +
                       quoted_for_shell(unix_path(right)) +
                       " > " + quoted_for_shell(out + ".part") + " 2>&1; mv " + quoted_for_shell(out + ".part") +
                       " " + quoted_for_shell(out);
  std::string line = "/bin/sh -c \"" + script + "\"";
  std::vector<char> writable(line.begin(), line.end());
  writable.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    return false;
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

bool starts_with(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

class DiffAgreement : public AppTest {
 protected:
  // A file on each side (an empty text for no file on that side).
  void pair(const std::string& name, const std::string& left, const std::string& right, bool left_exists = true,
            bool right_exists = true) {
    if (left_exists) files_.write("left\\" + backslashed(name), left);
    if (right_exists) files_.write("right\\" + backslashed(name), right);
    names_.insert(name);
  }
  static std::string backslashed(std::string name) {
    for (char& c : name) {
      if (c == '/') c = '\\';
    }
    return name;
  }
  // What the outline says of each row, by the same names as diff's.
  Verdicts outline_verdicts() const {
    Verdicts verdicts;
    for (int32_t row = 0; row < view_row_count(program.current_view); ++row) {
      std::string name = std::string(view_cell_text(program.current_view, row, 1)).substr(2);  // past ".\"
      for (char& c : name) {
        if (c == '\\') c = '/';
      }
      std::string tag = view_cell_text(program.current_view, row, 2);
      switch (view_row_state(program.current_view, row)) {
        case Equal: verdicts[name] = tag == "identical" ? "identical" : "Equal but " + tag; break;
        case SizesDiffer: verdicts[name] = starts_with(tag, "couldn't read") ? "unreadable" : "differ"; break;
        case LeftFileOnly: verdicts[name] = "left"; break;
        case RightFileOnly: verdicts[name] = "right"; break;
        default: verdicts[name] = "state " + std::to_string(view_row_state(program.current_view, row));
      }
    }
    return verdicts;
  }

  std::set<std::string> names_;
};

std::string bytes_0_to_255() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  return bytes;
}

TEST_F(DiffAgreement, TheOutlineSaysWhatDiffSaysOfEveryFile) {
  std::string binary = bytes_0_to_255();
  std::string binary_changed = binary;
  binary_changed[128] = 'x';
  std::string big(200000, 'b');
  std::string big_changed = big;
  big_changed.back() = 'c';
  pair("same.txt", "same\r\n", "same\r\n");
  pair("empty.txt", "", "");
  pair("empty_against_full.txt", "", "x\n");
  pair("sizes.txt", "short\n", "a longer text\n");
  pair("same_size.txt", "abcd\n", "abce\n");
  pair("crlf.txt", "a\r\nb\r\n", "a\nb\n");
  pair("line_ends_swapped.txt", "a\r\nb\n", "a\nb\r\n");
  pair("binary.bin", binary, binary);
  pair("binary_changed.bin", binary, binary_changed);
  pair("zero_byte.bin", std::string("a\0b\n", 4), std::string("a\0c\n", 4));
  pair("zero_byte_same.bin", std::string("a\0b\n", 4), std::string("a\0b\n", 4));
  pair("big.bin", big, big);
  pair("big_changed.bin", big, big_changed);
  pair("sub/deeper/nested.c", "int x;\n", "int x;\n");
  pair("sub/deeper/nested_differs.c", "int x;\n", "int y;\n");
  pair("left_only.txt", "left\n", "", true, false);
  pair("sub/right_only.txt", "", "right\n", false, true);
  pair("left_dir/a.txt", "a\n", "", true, false);
  pair("left_dir/inner/b.txt", "b\n", "", true, false);
  // Held open without sharing, as by another program, while the outline is
  // made. diff, a Linux program, reads them all the same.
  pair("held_same.txt", "held\r\n", "held\r\n");
  pair("held_differs.txt", "held 1\r\n", "held 2\r\n");
  pair("held_sizes.txt", "held\r\n", "held longer\r\n");
  pair("held_both.txt", "both\r\n", "both\r\n");
  std::set<std::string> uncompared = {"held_same.txt", "held_differs.txt", "held_both.txt"};

  std::string diff_output = files_.at("diff.txt");
  if (unix_path(files_.path()).empty() || !run_diff(files_.at("left"), files_.at("right"), diff_output)) {
    GTEST_SKIP() << "no Linux diff can be started from here";
  }
  ASSERT_TRUE(test_support::wait_until([&] { return file_exists(diff_output); }, 60000))
      << "diff -rq gave no answer; what it wrote so far: " << read_file(diff_output + ".part");
  Verdicts by_diff = test_support::diff_verdicts(read_file(diff_output), unix_path(files_.at("left")),
                                                 unix_path(files_.at("right")), names_);
  EXPECT_EQ(by_diff.count("held_same.txt"), 0u) << "diff finds it identical";
  EXPECT_EQ(by_diff["held_differs.txt"], "differ") << "and this one differing, though of one size";

  std::optional<RefusedFiles> held(std::in_place, std::vector<std::string>{
      files_.at("left\\held_same.txt"), files_.at("right\\held_differs.txt"), files_.at("left\\held_sizes.txt"),
      files_.at("left\\held_both.txt"), files_.at("right\\held_both.txt")});
  ASSERT_TRUE(held->refused());
  ASSERT_TRUE(start({files_.at("left"), files_.at("right")}).run_loop);
  held.reset();

  Verdicts expected;
  for (const std::string& name : names_) {
    auto found = by_diff.find(name);
    expected[name] = found == by_diff.end() ? "identical" : found->second;
    if (uncompared.count(name)) expected[name] = "unreadable";
  }
  EXPECT_EQ(outline_verdicts(), expected);
  EXPECT_EQ(boxes_.texts(), std::vector<std::string>{"Some files were not compared:"
                                                     "\nCould not read the file " + files_.at("left\\held_both.txt") +
                                                     "\nCould not read the file " + files_.at("left\\held_same.txt") +
                                                     "\nCould not read the file " + files_.at("right\\held_both.txt") +
                                                     "\nCould not read the file " +
                                                     files_.at("right\\held_differs.txt")});
}
}  // namespace
