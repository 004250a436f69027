// An in-process stand-in for the host editor: a window of class "SCRIV32"
// that answers SCPresent (its own window, and the language chosen) and
// records the text of every EPOpenDoc atom it receives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class FakeHost {
 public:
  explicit FakeHost(bool german = false);
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  HWND window() const { return window_; }
  // The requests received so far (pump messages first: they are posted).
  const std::vector<std::string>& requests() const { return requests_; }
  void clear() { requests_.clear(); }

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);

  HWND window_ = nullptr;
  bool german_;
  std::vector<std::string> requests_;
};
