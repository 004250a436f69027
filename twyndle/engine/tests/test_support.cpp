#include "twyndle/engine/tests/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "twyndle/engine/engine_memory.h"

namespace {
// Every test process starts the engine once, as the program does.
class EngineEnvironment : public testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(engine_start()); }
  void TearDown() override { engine_stop(); }
};
const testing::Environment* const engine_environment = testing::AddGlobalTestEnvironment(new EngineEnvironment);

std::atomic<int> served_left{0};
std::atomic<int> failures_left{0};
std::atomic<int> failures_seen{0};
std::atomic<uint32_t> refused_above{0};
const SystemMemory failing = {
    [](uint32_t bytes, bool zero_fill) -> void* {
      bool counted = bytes > refused_above;
      if (counted && served_left.fetch_sub(1) <= 0 && failures_left.fetch_sub(1) > 0) {
        failures_seen += 1;
        return nullptr;
      }
      return system_memory_default().alloc(bytes, zero_fill);
    },
    [](void* memory) { system_memory_default().release(memory); },
};
}  // namespace

std::string sparse_file(const TempFolder& folder, const std::string& relative, uint64_t size) {
  std::string path = folder.write(relative, "");
  std::error_code error;
  std::filesystem::resize_file(native_path(path), size, error);
  return error ? std::string() : path;
}

RecordingUi::RecordingUi() { ui_seam_install(this); }
RecordingUi::~RecordingUi() { ui_seam_install(nullptr); }

MessageAnswer RecordingUi::message(const MessageRequest& request) {
  std::lock_guard<std::mutex> hold(lock_);
  recorded_.push_back({request.text, request.title, request.icon, request.buttons, request.owned_by_main_window});
  if (answers_.empty()) {
    return request.buttons == MessageButtons::abort_retry_ignore ? MessageAnswer::ignore : MessageAnswer::ok;
  }
  MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void RecordingUi::debug_output(const char* text) {
  std::lock_guard<std::mutex> hold(lock_);
  debug_.push_back(text);
}

void RecordingUi::wait_cursor(bool on) {
  std::lock_guard<std::mutex> hold(lock_);
  depth_ += on ? 1 : -1;
  if (on) shown_ += 1;
}

void RecordingUi::answer_next(MessageAnswer answer) {
  std::lock_guard<std::mutex> hold(lock_);
  answers_.push_back(answer);
}

std::vector<RecordingUi::Recorded> RecordingUi::recorded() const {
  std::lock_guard<std::mutex> hold(lock_);
  return recorded_;
}

std::vector<std::string> RecordingUi::texts() const {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<std::string> texts;
  for (const Recorded& message : recorded_) texts.push_back(message.text);
  return texts;
}

std::string RecordingUi::scan_report() const {
  std::vector<Recorded> boxes = recorded();
  if (boxes.size() != 1) return "<" + std::to_string(boxes.size()) + " boxes>";
  EXPECT_EQ(boxes[0].title, "Twyndle");
  EXPECT_EQ(boxes[0].icon, MessageIcon::warning);
  const std::string& text = boxes[0].text;
  const std::string first = "Some files were not compared:\n";
  return text.compare(0, first.size(), first) == 0 ? text.substr(first.size()) : "<" + text + ">";
}

std::vector<std::string> RecordingUi::debug_lines() const {
  std::lock_guard<std::mutex> hold(lock_);
  return debug_;
}

int RecordingUi::wait_depth() const {
  std::lock_guard<std::mutex> hold(lock_);
  return depth_;
}

int RecordingUi::wait_shown() const {
  std::lock_guard<std::mutex> hold(lock_);
  return shown_;
}

FailingMemory::FailingMemory(int failures, int served_first, uint32_t larger_than) {
  refused_above = larger_than;
  served_left = served_first;
  failures_left = failures;
  failures_seen = 0;
  system_memory_install(&failing);
}

FailingMemory::~FailingMemory() {
  system_memory_install(nullptr);
  failures_left = 0;
  refused_above = 0;
}

int FailingMemory::refused() const { return failures_seen; }
