// Status bar items: the list, texts, widths, heights and the layout from
// both edges.
#include "twyndle/ui/status_items.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int32_t char_width = 8;
constexpr int32_t line_height = 16;

class EightPixelsPerCharacter : public StatusMeasure {
 public:
  int32_t text_width(const char* text) override {
    return static_cast<int32_t>(std::string(text).size()) * char_width;
  }
};

struct ListDeleter {
  void operator()(StatusItemList* list) const { free_status_items(list); }
};
using OwnedList = std::unique_ptr<StatusItemList, ListDeleter>;

// The main window's bar: a label and five buttons, room for seven.
OwnedList main_window_items(const char* exit_text, bool expanded) {
  OwnedList list(create_status_items(7));
  set_status_item(list.get(), 0, status_label, 0x54, 552, 14, nullptr);
  set_status_item(list.get(), 1, status_button, 0x19, 182, 8, expanded ? "(F4) Next-> " : "");
  set_status_item(list.get(), 2, status_button, 0x19, 195, 8, expanded ? " <-Prev (F3)" : "");
  set_status_item(list.get(), 3, status_button, 0x19, 113, 8, expanded ? "Print (^p)" : "");
  set_status_item(list.get(), 4, status_button, 0x19, 551, 8, exit_text);
  set_status_item(list.get(), 5, status_button, 0x19, 122, 8, expanded ? "Save" : "");
  return list;
}

void lay_out(StatusItemList* list, int32_t width, int32_t height = 30) {
  EightPixelsPerCharacter measure;
  status_layout(list, width, height, char_width, line_height, measure);
}

void expect_span(const StatusItem& item, int32_t left, int32_t right) {
  EXPECT_EQ(item.rect.left, left) << item.identifier;
  EXPECT_EQ(item.rect.right, right) << item.identifier;
}

TEST(StatusItems, ListsStartZeroedAndRefuseSlotsTheyDoNotHave) {
  OwnedList list(create_status_items(2));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->pressed, -1);
  EXPECT_EQ(list->items[1].kind, status_empty);
  EXPECT_TRUE(set_status_item(list.get(), 1, status_button, 0, 9, 4, "Go"));
  EXPECT_FALSE(set_status_item(list.get(), 2, status_button, 0, 9, 4, "Go"));
  EXPECT_FALSE(set_status_item(list.get(), -1, status_button, 0, 9, 4, "Go"));
  EXPECT_FALSE(set_status_item(nullptr, 0, status_button, 0, 9, 4, "Go"));
  EXPECT_STREQ(list->items[1].text, "Go");
  EXPECT_EQ(create_status_items(-1), nullptr);
}

TEST(StatusItems, TextsAreCutToEightyCharactersAndFoundByIdentifier) {
  OwnedList list = main_window_items("Exit", false);
  std::string hundred(100, 'w');
  EXPECT_EQ(status_set_text(list.get(), 552, hundred.c_str()), 0);
  EXPECT_EQ(std::string(list->items[0].text), std::string(80, 'w'));
  EXPECT_EQ(status_set_text(list.get(), 551, nullptr), 4);
  EXPECT_STREQ(list->items[4].text, "");
  EXPECT_EQ(status_set_text(list.get(), 999, "nobody"), -1);
  for (int32_t i = 0; i < list->count; ++i) EXPECT_STRNE(list->items[i].text, "nobody");
  set_status_item(list.get(), 1, status_label, 0, 7, 3, hundred.c_str());
  EXPECT_EQ(std::string(list->items[1].text).size(), 80u);
}

TEST(StatusItems, SizesFollowTheTextWithinItsBoundsAndTheTallestItem) {
  OwnedList buttons = main_window_items("Exit", false);
  EXPECT_EQ(status_bar_height(buttons.get(), line_height), line_height + 6 + 4);
  OwnedList empty(create_status_items(0));
  EXPECT_EQ(status_bar_height(empty.get(), line_height), line_height + 4);

  EightPixelsPerCharacter measure;
  StatusItem item{};
  item.kind = status_label;
  item.width = 10;
  std::strcpy(item.text, "abc");
  EXPECT_EQ(status_item_width(item, char_width, measure), 80 + 4);
  item.flags = status_fit_text;
  EXPECT_EQ(status_item_width(item, char_width, measure), 24 + 4);
  item.flags = status_fit_text | status_at_least;
  EXPECT_EQ(status_item_width(item, char_width, measure), 80 + 4);
  std::strcpy(item.text, "a text of twenty chr");
  item.flags = status_fit_text | status_at_most;
  EXPECT_EQ(status_item_width(item, char_width, measure), 80 + 4);
  item.kind = status_button;
  item.flags = status_fit_text;
  EXPECT_EQ(status_item_width(item, char_width, measure), 160 + 6);
  item.text[0] = '\0';
  EXPECT_EQ(status_item_width(item, char_width, measure), 0);
  item.flags = 0;
  item.width = 0;
  EXPECT_EQ(status_item_width(item, char_width, measure), 0);
}

TEST(StatusItems, LabelFromTheLeftButtonsFromTheRightInListOrder) {
  OwnedList list = main_window_items("", true);
  lay_out(list.get(), 640);
  // Free span 4 .. 636. Label: 14 characters at least = 112 + 4.
  expect_span(list->items[0], 4, 120);
  expect_span(list->items[1], 636 - 102, 636);           // next, far right
  expect_span(list->items[2], 533 - 102, 533);           // previous
  expect_span(list->items[3], 430 - 86, 430);            // print
  EXPECT_TRUE(status_rect_empty(list->items[4].rect));   // exit, no text
  expect_span(list->items[5], 343 - 38, 343);            // save
  EXPECT_TRUE(status_rect_empty(list->items[6].rect));
  EXPECT_EQ(list->items[1].rect.top, (30 - (line_height + 6)) / 2);
  EXPECT_EQ(list->items[1].rect.bottom, list->items[1].rect.top + line_height + 6);
  EXPECT_EQ(list->items[0].rect.top, (30 - (line_height + 2)) / 2);
}

TEST(StatusItems, ButtonsWithEmptyTextsTakeNoRoomAndCannotBeHit) {
  OwnedList list = main_window_items("Exit", false);
  lay_out(list.get(), 640);
  expect_span(list->items[4], 636 - 38, 636);
  for (int32_t i : {1, 2, 3, 5}) EXPECT_TRUE(status_rect_empty(list->items[i].rect)) << i;
  EXPECT_EQ(status_item_at(list.get(), 620, 15), 4);
  EXPECT_EQ(status_item_at(list.get(), 500, 15), -1);
  EXPECT_EQ(status_item_at(list.get(), 620, 2), -1);
  EXPECT_EQ(status_item_at(list.get(), 10, 15), 0);
}

TEST(StatusItems, ANarrowBarGivesTheRestToTheItemThatNoLongerFits) {
  OwnedList list = main_window_items("", true);
  lay_out(list.get(), 300);
  // Span 4 .. 296: label 4..120, next 194..296, previous takes 122..193.
  expect_span(list->items[0], 4, 120);
  expect_span(list->items[1], 296 - 102, 296);
  expect_span(list->items[2], 122, 193);
  EXPECT_TRUE(status_rect_empty(list->items[3].rect));
  EXPECT_TRUE(status_rect_empty(list->items[5].rect));

  lay_out(list.get(), 100);  // the label itself no longer fits
  expect_span(list->items[0], 4, 95);
  for (int32_t i = 1; i < 7; ++i) EXPECT_TRUE(status_rect_empty(list->items[i].rect)) << i;
  lay_out(list.get(), 229);  // label 4..120, next 123..225: one pixel left for previous
  expect_span(list->items[1], 123, 225);
  EXPECT_TRUE(status_rect_empty(list->items[2].rect));
}

}  // namespace
