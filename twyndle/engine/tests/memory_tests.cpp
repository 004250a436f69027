#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/tests/test_support.h"

namespace {
TEST(EngineMemory, TextsAreCopiedAndGivenBackWhole) {
  uint32_t free_before = heap_free_units(engine_heap);
  char* copy = text_new("c:\\some\\path.c");
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "c:\\some\\path.c");
  char* part = text_new_n("abcdef", 3);
  EXPECT_STREQ(part, "abc");
  std::string long_text(20000, 'x');
  char* large = text_new(long_text.c_str());
  EXPECT_EQ(std::string(large), long_text);
  text_free(copy);
  text_free(part);
  text_free(large);
  text_free(nullptr);
  EXPECT_EQ(text_new(nullptr), nullptr);
  EXPECT_EQ(heap_free_units(engine_heap), free_before);
}

TEST(EngineMemory, TheOutOfMemoryQuestionGoesThroughTheInstalledUi) {
  RecordingUi ui;
  FailingMemory memory(3);
  ui.answer_next(MessageAnswer::retry);
  ui.answer_next(MessageAnswer::retry);
  ui.answer_next(MessageAnswer::ignore);
  EXPECT_EQ(system_alloc_or_ask(100), nullptr);
  EXPECT_EQ(memory.refused(), 3);
  EXPECT_EQ(ui.texts(), (std::vector<std::string>(3, "Memory allocation failed")));
}

}  // namespace
