#include "twyndle/app/tests/win32/message_recorder.h"

#include "twyndle/app/app_messages.h"
#include "twyndle/app/app_state.h"

namespace {
MessageRecorder* installed = nullptr;
}  // namespace

MessageRecorder::MessageRecorder() : released_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  installed = this;
  message_box_function = show;
}

MessageRecorder::~MessageRecorder() {
  release();
  message_box_function = show_message_box;
  installed = nullptr;
  CloseHandle(released_);
}

int WINAPI MessageRecorder::show(HWND owner, const char* text, const char* title, UINT style) {
  return installed ? installed->record(owner, text, title, style) : IDOK;
}

int MessageRecorder::record(HWND owner, const char* text, const char* title, UINT style) {
  bool hold = false;
  int answer = IDOK;
  {
    std::lock_guard<std::mutex> guard(lock_);
    boxes_.push_back(RecordedBox{owner, text ? text : "", title ? title : "", style,
                                 GetCurrentThreadId() == app.main_thread_id, GetFocus()});
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
    hold = hold_;
    hold_ = false;
    waiting_ = hold;
  }
  if (hold) WaitForSingleObject(released_, 20000);
  return answer;
}

void MessageRecorder::answer_next(int answer) {
  std::lock_guard<std::mutex> guard(lock_);
  answers_.push_back(answer);
}

void MessageRecorder::hold_next() {
  std::lock_guard<std::mutex> guard(lock_);
  ResetEvent(released_);
  hold_ = true;
}

void MessageRecorder::release() { SetEvent(released_); }

bool MessageRecorder::holding() const {
  std::lock_guard<std::mutex> guard(lock_);
  return waiting_;
}

std::vector<RecordedBox> MessageRecorder::boxes() const {
  std::lock_guard<std::mutex> guard(lock_);
  return boxes_;
}

std::vector<std::string> MessageRecorder::texts() const {
  std::vector<std::string> texts;
  for (const RecordedBox& box : boxes()) texts.push_back(box.text);
  return texts;
}
