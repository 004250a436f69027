// Properties every compare result must have, checked on many generated
// pairs of source-like texts: ordinary edits, moved blocks, heavy
// repetition, and blank-line noise with and without ignore_blanks.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "twyndle/engine/compare_item.h"
#include "twyndle/engine/section.h"
#include "twyndle/engine/section_match.h"
#include "twyndle/engine/tests/compare_fixture.h"

namespace {
using Texts = std::vector<std::string>;

// Two texts compared in memory through a compare item.
class MemoryPair {
 public:
  MemoryPair(const Texts& left, const Texts& right)
      : left_(left), right_(right), left_file_{nullptr, left_.lines(), 0}, right_file_{nullptr, right_.lines(), 0} {
    item_.left = &left_file_;
    item_.right = &right_file_;
    compute_sections(&item_);
  }
  ~MemoryPair() {
    list_destroy(&item_.composite);
    list_destroy(&item_.left_sections);
    list_destroy(&item_.right_sections);
  }
  const BlockList* composite() const { return item_.composite; }
  const LineFile& left() const { return left_; }
  const LineFile& right() const { return right_; }

 private:
  LineFile left_, right_;
  SourceFile left_file_, right_file_;
  CompareItem item_{};
};

// Source-like lines: many unique ones, some repeated everywhere.
std::string random_line(std::mt19937& random, int vocabulary) {
  static const char* const common[] = {"{", "}", "", "  return 0;", "  break;", "#include <x.h>", "\t}"};
  if (random() % 4 == 0) return common[random() % 7];
  return "line " + std::to_string(random() % vocabulary);
}

Texts random_text(std::mt19937& random, int lines, int vocabulary) {
  Texts texts;
  for (int i = 0; i < lines; ++i) texts.push_back(random_line(random, vocabulary));
  return texts;
}

// Deletes, inserts and changes lines, and moves a few blocks when asked.
Texts edited(const Texts& base, std::mt19937& random, int edits, bool moves, int vocabulary) {
  Texts texts = base;
  for (int e = 0; e < edits && !texts.empty(); ++e) {
    size_t at = random() % texts.size();
    switch (random() % 3) {
      case 0: texts.erase(texts.begin() + at); break;
      case 1: texts.insert(texts.begin() + at, random_line(random, vocabulary)); break;
      default: texts[at] = "changed " + std::to_string(random()); break;
    }
  }
  for (int m = 0; moves && m < 3 && texts.size() > 10; ++m) {
    size_t length = 1 + random() % (texts.size() / 5);
    size_t from = random() % (texts.size() - length);
    Texts block(texts.begin() + from, texts.begin() + from + length);
    texts.erase(texts.begin() + from, texts.begin() + from + length);
    size_t to = random() % (texts.size() + 1);
    texts.insert(texts.begin() + to, block.begin(), block.end());
  }
  return texts;
}

bool is_left_state(int32_t state) { return state == LeftLinesOnly || state == MovedLeftLines; }

// Every Line of each file stands exactly once in the composite on its own
// side (left Lines of Equal Sections through their left base); Equal
// Sections hold equal texts in increasing order in both files; moved
// Sections come in pairs of equal texts.
void check_exact_properties(const MemoryPair& pair, const Texts& left, const Texts& right) {
  std::vector<int> left_seen(left.size() + 1, 0), right_seen(right.size() + 1, 0);
  std::map<std::pair<int32_t, int32_t>, int32_t> moved_left, moved_right;
  int32_t last_equal_left = 0, last_equal_right = 0;
  for (Section* s = section_list_first(pair.composite()); s; s = section_next(s)) {
    int32_t first = line_number(s->first), count = section_line_count(s);
    ASSERT_GT(count, 0);
    bool from_left = is_left_state(s->state);
    const LineFile& own = from_left ? pair.left() : pair.right();
    ASSERT_EQ(own.at(first), s->first) << "Lines come from the file of the state's side";
    for (int32_t i = 0; i < count; ++i) (from_left ? left_seen : right_seen)[first + i] += 1;
    switch (s->state) {
      case Equal:
        ASSERT_GT(s->left_base, last_equal_left);
        ASSERT_GT(first, last_equal_right);
        last_equal_left = s->left_base + count - 1;
        last_equal_right = first + count - 1;
        EXPECT_EQ(s->right_base, first);
        for (int32_t i = 0; i < count; ++i) {
          left_seen[s->left_base + i] += 1;
          ASSERT_EQ(left[s->left_base + i - 1], right[first + i - 1]);
        }
        break;
      case LeftLinesOnly: EXPECT_EQ(s->right_base, 0); break;
      case RightLinesOnly: EXPECT_EQ(s->left_base, 0); break;
      case MovedLeftLines: moved_left[{first, s->right_base}] = count; break;
      case MovedRightLines: moved_right[{s->left_base, first}] = count; break;
      default: ADD_FAILURE() << "state " << s->state;
    }
  }
  for (size_t n = 1; n <= left.size(); ++n) ASSERT_EQ(left_seen[n], 1) << "left line " << n;
  for (size_t n = 1; n <= right.size(); ++n) ASSERT_EQ(right_seen[n], 1) << "right line " << n;
  ASSERT_EQ(moved_left, moved_right) << "moved blocks come in pairs";
  for (auto& [where, count] : moved_left) {
    for (int32_t i = 0; i < count; ++i) ASSERT_EQ(left[where.first + i - 1], right[where.second + i - 1]);
  }
}

// Makes one round's left text and, from it, the right text.
using MakeLeft = std::function<Texts(std::mt19937& random)>;
using MakeRight = std::function<Texts(const Texts& left, std::mt19937& random, int round)>;
using CheckPair = std::function<void(const MemoryPair& pair, const Texts& left, const Texts& right)>;

// Compares `rounds` pairs of texts made from the seed and checks each (a
// pair with a left text has a composite), until a check fails.
void check_rounds(unsigned seed, int rounds, const MakeLeft& make_left, const MakeRight& make_right,
                  const CheckPair& check) {
  std::mt19937 random(seed);
  for (int round = 0; round < rounds; ++round) {
    Texts left = make_left(random);
    Texts right = make_right(left, random, round);
    MemoryPair pair(left, right);
    if (!left.empty()) {
      ASSERT_NE(pair.composite(), nullptr) << "round " << round;
    }
    check(pair, left, right);
    if (testing::Test::HasFatalFailure()) return;
  }
}

TEST(MatcherProperties, HoldForOrdinaryEdits) {
  check_rounds(
      1234, 150, [](std::mt19937& random) { return random_text(random, 1 + random() % 300, 400); },
      [](const Texts& left, std::mt19937& random, int) { return edited(left, random, random() % 30, false, 400); },
      check_exact_properties);
}

TEST(MatcherProperties, HoldWithMovedBlocks) {
  check_rounds(
      99, 150, [](std::mt19937& random) { return random_text(random, 20 + random() % 300, 500); },
      [](const Texts& left, std::mt19937& random, int) { return edited(left, random, random() % 10, true, 500); },
      check_exact_properties);
}

TEST(MatcherProperties, HoldWhenFewTextsRepeatEverywhere) {
  check_rounds(
      7, 100, [](std::mt19937& random) { return random_text(random, 1 + random() % 200, 5); },
      [](const Texts& left, std::mt19937& random, int) {
        return random() % 2 ? edited(left, random, 10, true, 5) : random_text(random, random() % 200, 5);
      },
      check_exact_properties);
}

std::string without_blanks(const std::string& text) {
  std::string kept;
  for (char c : text) {
    if (c != ' ' && c != '\t') kept += c;
  }
  return kept;
}

// With ignore_blanks: every right Line stands once; every non-blank left
// Line stands once in a left-side Section or is linked to a right Line of
// an Equal Section, in increasing order, with the same text but for blanks.
void check_ignoring_blanks(const MemoryPair& pair, const Texts& left) {
  std::vector<int> left_seen(left.size() + 1, 0);
  int32_t right_expected = 1, last_partner = 0;
  for (Section* s = section_list_first(pair.composite()); s; s = section_next(s)) {
    bool from_left = is_left_state(s->state);
    for (Line* line = s->first;; line = line_next(line)) {
      if (from_left) {
        left_seen[line_number(line)] += 1;
      } else {
        ASSERT_EQ(line_number(line), right_expected++) << "right Lines in order, once";
      }
      if (s->state == Equal && line_link(line)) {
        int32_t partner = line_number(line_link(line));
        ASSERT_GT(partner, last_partner);
        last_partner = partner;
        left_seen[partner] += 1;
        ASSERT_EQ(without_blanks(line_text(line)), without_blanks(line_text(line_link(line))));
      }
      if (line == s->last) break;
    }
  }
  ASSERT_EQ(right_expected, line_number(static_cast<Line*>(list_last(pair.right().lines()))) + 1);
  for (size_t n = 1; n <= left.size(); ++n) {
    if (without_blanks(left[n - 1]).empty()) {
      ASSERT_LE(left_seen[n], 1) << "blank left line " << n;
    } else {
      ASSERT_EQ(left_seen[n], 1) << "left line " << n;
    }
  }
}

// Adds and removes blank lines and blanks within lines.
Texts blank_noise(const Texts& base, std::mt19937& random) {
  Texts texts;
  for (const std::string& text : base) {
    if (random() % 8 == 0) texts.push_back(random() % 2 ? "" : " \t ");
    if (random() % 8 == 0 && text.empty()) continue;
    texts.push_back(random() % 6 == 0 ? "  " + text : text);
  }
  return texts;
}

TEST(MatcherProperties, HoldWhenIgnoringBlanks) {
  OptionGuard on(&ProgramState::ignore_blanks, 1);
  check_rounds(
      31, 150, [](std::mt19937& random) { return random_text(random, 1 + random() % 250, 300); },
      [](const Texts& left, std::mt19937& random, int round) {
        return blank_noise(edited(left, random, random() % 15, round % 2 == 0, 300), random);
      },
      [](const MemoryPair& pair, const Texts& left, const Texts&) { check_ignoring_blanks(pair, left); });
}
}  // namespace
