// An array of plain records in one zero-filled block of system memory,
// asked for the way every large engine request is: while the system
// refuses, the user chooses Abort, Retry or Ignore ("Memory allocation
// failed"). After Ignore the array is empty and `failed` says so, so that
// running out of memory takes the engine's own path instead of throwing.
#pragma once

#include <cstdint>

#include "twyndle/engine/system_memory.h"

template <typename T>
class SystemArray {
 public:
  explicit SystemArray(uint64_t count) {
    uint64_t bytes = count * sizeof(T);
    if (count == 0) return;
    if (count > UINT32_MAX / sizeof(T)) {
      failed_ = true;
      return;
    }
    data_ = static_cast<T*>(system_alloc_or_ask(static_cast<uint32_t>(bytes)));
    failed_ = data_ == nullptr;
  }
  ~SystemArray() { system_free(data_); }
  SystemArray(const SystemArray&) = delete;
  SystemArray& operator=(const SystemArray&) = delete;

  bool failed() const { return failed_; }
  T& operator[](uint64_t index) { return data_[index]; }
  const T& operator[](uint64_t index) const { return data_[index]; }

 private:
  T* data_ = nullptr;
  bool failed_ = false;
};
