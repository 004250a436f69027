#include "twyndle/app/font_keys.h"
#include "twyndle/app/win_pos.h"

#include <gtest/gtest.h>

#include <map>

namespace {
bool same(const WinPos& a, const WinPos& b) {
  return format_win_pos(a) == format_win_pos(b);
}

TEST(WinPosText, ReadsTheTenFieldsInOrder) {
  WinPos pos{};
  ASSERT_TRUE(parse_win_pos("2,2,0,0,-1,-1,10,10,800,600", &pos));
  EXPECT_EQ(pos.flags, 2u);
  EXPECT_EQ(pos.show_command, 2u);
  EXPECT_EQ(pos.min_x, 0);
  EXPECT_EQ(pos.max_x, -1);
  EXPECT_EQ(pos.max_y, -1);
  EXPECT_EQ(pos.left, 10);
  EXPECT_EQ(pos.top, 10);
  EXPECT_EQ(pos.right, 800);
  EXPECT_EQ(pos.bottom, 600);
}

TEST(WinPosText, WritesWhatItReads) {
  WinPos pos{0, 3, 0, 0, -32000, 4, -5, 12, 1024, 768};
  std::string text = format_win_pos(pos);
  EXPECT_EQ(text, "0,3,0,0,-32000,4,-5,12,1024,768");
  WinPos back{};
  ASSERT_TRUE(parse_win_pos(text, &back));
  EXPECT_TRUE(same(pos, back));
}

TEST(WinPosText, IncompleteOrMalformedCountsAsAbsent) {
  WinPos pos{7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
  WinPos untouched = pos;
  for (const char* text : {"", "2,2,0,0,-1,-1,10,10,800", "2,2,0,0,-1,-1,10,10,800,", "a,2,0,0,0,0,0,0,0,0",
                           "2;2;0;0;0;0;0;0;0;0", "-1,1,0,0,0,0,0,0,0,0", "1,1,0,0,0,0,0,0,0,99999999999"}) {
    EXPECT_FALSE(parse_win_pos(text, &pos)) << text;
  }
  EXPECT_TRUE(same(pos, untouched));
}

TEST(WinPosStart, MinimisedBecomesNormalAndAStartCommandOtherThanNormalWins) {
  EXPECT_EQ(start_show_command(show_minimized, show_normal), static_cast<uint32_t>(show_normal));
  EXPECT_EQ(start_show_command(show_maximized, show_normal), static_cast<uint32_t>(show_maximized));
  EXPECT_EQ(start_show_command(show_normal, show_normal), static_cast<uint32_t>(show_normal));
  EXPECT_EQ(start_show_command(show_maximized, 7), 7u);
  EXPECT_EQ(start_show_command(show_normal, show_minimized), static_cast<uint32_t>(show_minimized));
}

TEST(WinPosSave, FlagsFollowMaximisedAndTheMinimisedPositionIsDropped) {
  WinPos current{1, 3, 44, 55, -4, -4, 10, 20, 300, 400};
  WinPos maximised = placement_to_save(current, true);
  EXPECT_EQ(format_win_pos(maximised), "2,3,0,0,-4,-4,10,20,300,400");
  WinPos normal = placement_to_save(current, false);
  EXPECT_EQ(format_win_pos(normal), "0,3,0,0,-4,-4,10,20,300,400");
}

struct KeyReader {
  std::map<std::string, std::string> keys;
  std::vector<std::string> asked;

  FontKeys read() {
    return read_font_keys(
        [this](const char* key, int32_t fallback) {
          asked.push_back(key);
          auto found = keys.find(key);
          return found == keys.end() ? fallback : static_cast<int32_t>(std::stol(found->second));
        },
        [this](const char* key, const char* fallback, size_t max_chars) {
          asked.push_back(key);
          auto found = keys.find(key);
          return (found == keys.end() ? std::string(fallback) : found->second).substr(0, max_chars);
        });
  }
};

TEST(FontKeysRead, HeightZeroReadsNothingElse) {
  KeyReader reader;
  reader.keys = {{"Height", "0"}, {"Weight", "700"}, {"FaceName", "Courier"}};
  FontKeys keys = reader.read();
  EXPECT_EQ(keys.height, 0);
  EXPECT_EQ(keys.weight, 0);
  EXPECT_EQ(keys.face_name, "System");
  EXPECT_EQ(reader.asked, std::vector<std::string>{"Height"});
}

TEST(FontKeysRead, AllKeysWithOneByteFieldsAndAShortFaceName) {
  KeyReader reader;
  reader.keys = {{"Height", "-16"}, {"Weight", "700"}, {"Italic", "257"}, {"CharSet", "238"},
                 {"PitchAndFamily", "49"}, {"FaceName", std::string(45, 'F')}};
  FontKeys keys = reader.read();
  EXPECT_EQ(keys.height, -16);
  EXPECT_EQ(keys.weight, 700);
  EXPECT_EQ(keys.italic, 1);
  EXPECT_EQ(keys.char_set, 238);
  EXPECT_EQ(keys.pitch_and_family, 49);
  EXPECT_EQ(keys.face_name, std::string(31, 'F'));

  reader.keys = {{"Height", "12"}};
  EXPECT_EQ(reader.read().face_name, "System");
}

TEST(FontPointSize, RoundsLikeThePlatform) {
  EXPECT_EQ(font_point_size(-16, 96), 12);
  EXPECT_EQ(font_point_size(-13, 96), 10);   // 9.75
  EXPECT_EQ(font_point_size(-15, 96), 11);   // 11.25
  EXPECT_EQ(font_point_size(-4, 96), 3);     // 3.0
  EXPECT_EQ(font_point_size(-2, 96), 2);     // 1.5 rounds away from zero
  EXPECT_EQ(font_point_size(2, 96), -2);
  EXPECT_EQ(font_point_size(-16, 0), -1);
  EXPECT_EQ(mul_div(7, 1, -2), -4);
  EXPECT_EQ(mul_div(-7, -1, -2), -4);
}

TEST(PrinterFontHeight, PointsAtThePrintersResolutionAsACharacterHeight) {
  EXPECT_EQ(printer_font_height(12, 600), -100);
  EXPECT_EQ(printer_font_height(10, 300), -41);   // 41.67 cut
  EXPECT_EQ(printer_font_height(9, 96), -12);
  // The screen's 12 points (16 pixels at 96 per inch) become 50 pixels at 300.
  EXPECT_EQ(printer_font_height(font_point_size(-16, 96), 300), -50);
  EXPECT_EQ(printer_font_height(0, 600), 0);
}
}  // namespace
