#include "twyndle/engine/tests/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/file_seam.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {
std::string system_temp_root() {
#ifdef _WIN32
  char buffer[MAX_PATH];
  DWORD length = GetTempPathA(sizeof buffer, buffer);
  std::string root(buffer, length);
  if (!root.empty() && root.back() == '\\') root.pop_back();
  return root;
#else
  const char* root = std::getenv("TMPDIR");
  return root && *root ? root : "/tmp";
#endif
}

std::filesystem::path native(const std::string& path) { return std::filesystem::path(native_path(path)); }

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

std::string native_path(const std::string& path) {
  std::string copy = path;
#ifndef _WIN32
  for (char& c : copy) {
    if (c == '\\') c = '/';
  }
#endif
  return copy;
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::string base = system_temp_root();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string candidate = base + (base.empty() || base.back() == '\\' ? "" : "\\") + "engine_test_" +
                            std::to_string(std::rand()) + "_" + std::to_string(counter++);
    if (fs_create_directory(candidate.c_str())) {
      path_ = candidate;
      return;
    }
  }
  ADD_FAILURE() << "no temporary directory could be made";
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(native(path_), ignored);
}

void TempDir::make_dir(const std::string& relative) const {
  std::error_code error;
  std::filesystem::create_directories(native(at(relative)), error);
  ASSERT_FALSE(error) << relative;
}

std::string TempDir::make_file(const std::string& relative, const std::string& bytes) const {
  std::string path = at(relative);
  FsFile* file = fs_create_write(path.c_str());
  EXPECT_NE(file, nullptr) << path;
  if (!file) return path;
  EXPECT_TRUE(fs_write(file, bytes.data(), static_cast<int32_t>(bytes.size())));
  fs_close(file);
  return path;
}

void TempDir::remove_file(const std::string& relative) const {
  std::error_code error;
  std::filesystem::remove(native(at(relative)), error);
  EXPECT_FALSE(error) << relative;
}

std::string read_file(const std::string& path) {
  std::string bytes;
  FsFile* file = fs_open_read(path.c_str());
  if (!file) return bytes;
  char buffer[4096];
  int32_t count;
  while ((count = fs_read(file, buffer, sizeof buffer)) > 0) bytes.append(buffer, count);
  fs_close(file);
  return bytes;
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
