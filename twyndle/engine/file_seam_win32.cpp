// Win32 file access: the ANSI calls, with the sharing the engine asks for.
#include <windows.h>

#include <cstring>
#include <string>

#include "twyndle/engine/file_seam.h"

struct FsFile;
struct FsFind;

// The listing carries every size, so a directory opened for sizes is only
// its path, looked up again by name.
struct FsDir {
  std::string path;
};

namespace {
FsFile* wrap(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : reinterpret_cast<FsFile*>(handle); }
HANDLE handle_of(FsFile* file) { return reinterpret_cast<HANDLE>(file); }

void copy_find_data(const WIN32_FIND_DATAA& found, FsFindData* data) {
  std::strncpy(data->name, found.cFileName, sizeof data->name - 1);
  data->name[sizeof data->name - 1] = '\0';
  data->attributes = found.dwFileAttributes;
  data->size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  data->size_known = 1;
}

uint64_t ticks(const FILETIME& time) { return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

FILETIME filetime(uint64_t value) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(value);
  time.dwHighDateTime = static_cast<DWORD>(value >> 32);
  return time;
}

struct Find {
  HANDLE handle;
};
}  // namespace

uint32_t fs_attributes(const char* path) { return path ? GetFileAttributesA(path) : fs_attr_invalid; }

bool fs_set_attributes(const char* path, uint32_t attributes) {
  return path && SetFileAttributesA(path, attributes);
}

FsFile* fs_open_read(const char* path) {
  if (!path) return nullptr;
  return wrap(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
}

FsFile* fs_create_write(const char* path) {
  if (!path) return nullptr;
  return wrap(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
}

int32_t fs_read(FsFile* file, void* buffer, int32_t bytes) {
  DWORD count = 0;
  if (!file || bytes < 0 || !ReadFile(handle_of(file), buffer, static_cast<DWORD>(bytes), &count, nullptr)) return -1;
  return static_cast<int32_t>(count);
}

bool fs_write(FsFile* file, const void* buffer, int32_t bytes) {
  DWORD count = 0;
  if (!file || bytes < 0) return false;
  return WriteFile(handle_of(file), buffer, static_cast<DWORD>(bytes), &count, nullptr) &&
         count == static_cast<DWORD>(bytes);
}

bool fs_rewind(FsFile* file) {
  return file && SetFilePointer(handle_of(file), 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

uint64_t fs_size(FsFile* file) {
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(handle_of(file), &size)) return 0;
  return static_cast<uint64_t>(size.QuadPart);
}

void fs_close(FsFile* file) {
  if (file) CloseHandle(handle_of(file));
}

FsFind* fs_find_first(const char* pattern, FsFindData* data) {
  if (!pattern || !data) return nullptr;
  WIN32_FIND_DATAA found;
  HANDLE handle = FindFirstFileA(pattern, &found);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  copy_find_data(found, data);
  return reinterpret_cast<FsFind*>(new Find{handle});
}

FsFind* fs_find_first_names(const char* pattern, FsFindData* data) { return fs_find_first(pattern, data); }

bool fs_find_next(FsFind* find, FsFindData* data) {
  if (!find || !data) return false;
  WIN32_FIND_DATAA found;
  if (!FindNextFileA(reinterpret_cast<Find*>(find)->handle, &found)) return false;
  copy_find_data(found, data);
  return true;
}

void fs_find_close(FsFind* find) {
  if (!find) return;
  auto* search = reinterpret_cast<Find*>(find);
  FindClose(search->handle);
  delete search;
}

FsDir* fs_dir_open(const char* directory) {
  if (!directory) return nullptr;
  DWORD attributes = GetFileAttributesA(directory);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
  return new FsDir{directory};
}

uint64_t fs_dir_file_size(FsDir* dir, const char* name) {
  if (!dir || !name) return 0;
  WIN32_FIND_DATAA found;
  HANDLE handle = FindFirstFileA((dir->path + name).c_str(), &found);
  if (handle == INVALID_HANDLE_VALUE) return 0;
  FindClose(handle);
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  return (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

void fs_dir_close(FsDir* dir) { delete dir; }

bool fs_create_directory(const char* path) { return path && CreateDirectoryA(path, nullptr); }

bool fs_copy_file(const char* from, const char* to) { return from && to && CopyFileA(from, to, FALSE); }

bool fs_get_times(const char* path, FsTimes* times) {
  if (!path || !times) return false;
  HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME created, accessed, written;
  bool ok = GetFileTime(file, &created, &accessed, &written);
  CloseHandle(file);
  if (!ok) return false;
  times->created = ticks(created);
  times->accessed = ticks(accessed);
  times->written = ticks(written);
  return true;
}

bool fs_set_times(const char* path, const FsTimes* times) {
  if (!path || !times) return false;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME created = filetime(times->created), accessed = filetime(times->accessed), written = filetime(times->written);
  bool ok = SetFileTime(file, &created, &accessed, &written);
  CloseHandle(file);
  return ok;
}
