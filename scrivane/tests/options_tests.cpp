#include "scrivane/compare_choice.h"
#include "scrivane/font_settings.h"
#include "scrivane/host_options.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace scrivane {
namespace {

using Args = std::vector<std::string>;
using Keys = std::map<std::string, std::string>;

// A font's settings side by side, for comparing and printing.
std::tuple<long, long, int, int, int, std::string> fields(const FontSettings& font) {
  return {font.height, font.weight, font.italic, font.char_set, font.pitch_and_family, font.face_name};
}

TEST(HostOptions, OwnOptionsAnyCaseEitherPrefix) {
  HostOptions options = parse_host_options({"/GERMAN", "-log", "C:\\r.log", "/NoCompare"});
  EXPECT_TRUE(options.error.empty()) << options.error;
  EXPECT_TRUE(options.german);
  EXPECT_TRUE(options.no_compare);
  EXPECT_FALSE(options.show_usage);
  EXPECT_EQ(options.log_path, "C:\\r.log");
  EXPECT_TRUE(options.twyndle_args.empty());
  EXPECT_TRUE(parse_host_options({"/?"}).show_usage);
  EXPECT_TRUE(parse_host_options({"-help"}).show_usage);
  HostOptions plain = parse_host_options({});
  EXPECT_FALSE(plain.german || plain.no_compare || plain.show_usage);
  EXPECT_TRUE(plain.log_path.empty());
}

TEST(HostOptions, PathsAndEverythingAfterDoubleDashGoToTwyndle) {
  HostOptions options = parse_host_options({"a.c", "/german", "b.c"});
  EXPECT_EQ(options.twyndle_args, (Args{"a.c", "b.c"}));
  EXPECT_TRUE(options.german);
  options = parse_host_options({"/log", "x.log", "--", "-d", "/german", "--", "a b"});
  EXPECT_TRUE(options.error.empty());
  EXPECT_FALSE(options.german);
  EXPECT_EQ(options.log_path, "x.log");
  EXPECT_EQ(options.twyndle_args, (Args{"-d", "/german", "--", "a b"}));
}

TEST(HostOptions, UnknownOrIncompleteOptionsAreErrors) {
  EXPECT_EQ(parse_host_options({"-d", "a", "b"}).error, "Unknown option: -d");
  EXPECT_EQ(parse_host_options({"/log"}).error, "/log needs a file name.");
  EXPECT_EQ(parse_host_options({"/log", ""}).error, "/log needs a file name.");
  EXPECT_NE(usage_text().find("/log FILE"), std::string::npos);
}

TEST(CompareChoice, OptionsFirstThenPaths) {
  CompareChoice choice;
  choice.left = "C:\\a dir\\x.c";
  choice.right = "C:\\b\\x.c";
  EXPECT_EQ(compare_arguments(choice), (Args{"C:\\a dir\\x.c", "C:\\b\\x.c"}));
  choice.colour_marks = choice.side_by_side = choice.ignore_blanks = choice.only_changes = true;
  EXPECT_EQ(compare_arguments(choice),
            (Args{"-c", "-d", "-i", "-o", "C:\\a dir\\x.c", "C:\\b\\x.c"}));
  choice.side_by_side = choice.only_changes = false;
  choice.right = "  ";
  EXPECT_EQ(compare_arguments(choice), (Args{"-c", "-i", "C:\\a dir\\x.c"}));
  choice.left = " \"\" ";
  EXPECT_TRUE(compare_arguments(choice).empty());
}

TEST(CompareChoice, PathsAreCleanedAndNeverReadAsOptions) {
  EXPECT_EQ(clean_path_text("  \"C:\\a b\\x.c\" \r\n"), "C:\\a b\\x.c");
  EXPECT_EQ(clean_path_text("\"unbalanced"), "\"unbalanced");
  EXPECT_EQ(path_argument("-notes.txt"), ".\\-notes.txt");
  EXPECT_EQ(path_argument("/src/a.c"), "\\src/a.c");
  EXPECT_EQ(path_argument("C:\\-x"), "C:\\-x");
  CompareChoice choice;
  choice.left = "-left";
  choice.right = "\"-right\"";
  EXPECT_EQ(compare_arguments(choice), (Args{".\\-left", ".\\-right"}));
}

TEST(FontSettings, KeysRoundTripAndKeepByteFieldsToOneByte) {
  // Height, weight, italic, char set, pitch and family, face name.
  FontSettings font{-16, 700, 255, 0x1ee, 49, std::string(40, 'F')};
  Keys ini;
  for (const auto& key : font_keys(font)) ini[key.first] = key.second;
  EXPECT_EQ(ini, (Keys{{"Height", "-16"}, {"Weight", "700"}, {"Italic", "255"}, {"CharSet", "238"},
                       {"PitchAndFamily", "49"}, {"FaceName", std::string(31, 'F')}}));
  FontSettings kept = font;
  kept.char_set = 238;
  kept.face_name = std::string(31, 'F');
  EXPECT_EQ(fields(read_font_keys([&](const std::string& key) { return ini[key]; })), fields(kept));
}

TEST(FontSettings, ZeroOrMissingHeightMeansNoFontChosen) {
  std::map<std::string, std::string> ini{{"Weight", "700"}, {"FaceName", "Arial"}};
  auto read = [&](const std::string& key) { return ini.count(key) ? ini[key] : std::string(); };
  FontSettings font = read_font_keys(read);
  EXPECT_FALSE(font.chosen());
  EXPECT_EQ(font.weight, 0);
  ini["Height"] = "junk";
  EXPECT_FALSE(read_font_keys(read).chosen());
  ini["Height"] = "-13";
  ini.erase("FaceName");
  font = read_font_keys(read);
  EXPECT_TRUE(font.chosen());
  EXPECT_EQ(font.weight, 700);
  EXPECT_EQ(font.face_name, "System");
}

}  // namespace
}  // namespace scrivane
