// Win32 file access: the ANSI calls, with the sharing the engine asks for.
// A path too long for them (MAX_PATH, less the room CreateDirectoryA keeps
// for a file name) goes to the wide calls instead, made absolute and given
// the \\?\ prefix, which lifts the limit to what the file system allows.
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
constexpr size_t longest_ansi_path = MAX_PATH - 13;

bool is_long(const char* path) { return std::strlen(path) > longest_ansi_path; }

std::wstring wide_of(const char* text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

// The path made absolute (slashes, "." and ".." resolved) behind the
// prefix that the wide calls take for long paths.
std::wstring long_form(const char* path) {
  std::wstring wide = wide_of(path);
  if (wide.compare(0, 4, L"\\\\?\\") == 0) return wide;
  DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return L"\\\\?\\" + wide;
  std::wstring full(length, L'\0');
  length = GetFullPathNameW(wide.c_str(), length, &full[0], nullptr);
  full.resize(length);
  if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// Calls `narrow` with the path as it is, or `wide` with its long form.
template <typename Narrow, typename Wide>
auto by_length(const char* path, Narrow narrow, Wide wide) -> decltype(narrow(path)) {
  if (!is_long(path)) return narrow(path);
  std::wstring long_path = long_form(path);
  return wide(long_path.c_str());
}

FsFile* wrap(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : reinterpret_cast<FsFile*>(handle); }
HANDLE handle_of(FsFile* file) { return reinterpret_cast<HANDLE>(file); }

uint64_t size_of(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

void copy_find_data(const WIN32_FIND_DATAA& found, FsFindData* data) {
  std::strncpy(data->name, found.cFileName, sizeof data->name - 1);
  data->name[sizeof data->name - 1] = '\0';
  data->attributes = found.dwFileAttributes;
  data->size = size_of(found.nFileSizeHigh, found.nFileSizeLow);
  data->size_known = 1;
}

void copy_find_data(const WIN32_FIND_DATAW& found, FsFindData* data) {
  int length = WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, data->name, sizeof data->name, nullptr, nullptr);
  if (length <= 0) data->name[0] = '\0';
  data->name[sizeof data->name - 1] = '\0';
  data->attributes = found.dwFileAttributes;
  data->size = size_of(found.nFileSizeHigh, found.nFileSizeLow);
  data->size_known = 1;
}

uint64_t ticks(const FILETIME& time) { return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

FILETIME filetime(uint64_t value) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(value);
  time.dwHighDateTime = static_cast<DWORD>(value >> 32);
  return time;
}

HANDLE open_file(const char* path, DWORD access, DWORD sharing, DWORD disposition, DWORD flags) {
  return by_length(
      path, [&](const char* p) { return CreateFileA(p, access, sharing, nullptr, disposition, flags, nullptr); },
      [&](const wchar_t* p) { return CreateFileW(p, access, sharing, nullptr, disposition, flags, nullptr); });
}

struct Find {
  HANDLE handle;
  bool wide;  // found through FindFirstFileW
};

// The first entry, or none; `refused` set when the directory could not
// be listed (any failure but "nothing matches").
Find* find_first(const char* pattern, FsFindData* data, bool* refused) {
  Find search = {INVALID_HANDLE_VALUE, is_long(pattern)};
  if (search.wide) {
    WIN32_FIND_DATAW found;
    search.handle = FindFirstFileW(long_form(pattern).c_str(), &found);
    if (search.handle != INVALID_HANDLE_VALUE) copy_find_data(found, data);
  } else {
    WIN32_FIND_DATAA found;
    search.handle = FindFirstFileA(pattern, &found);
    if (search.handle != INVALID_HANDLE_VALUE) copy_find_data(found, data);
  }
  if (search.handle == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (refused) *refused = error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES;
    return nullptr;
  }
  return new Find(search);
}
}  // namespace

uint32_t fs_attributes(const char* path) {
  if (!path) return fs_attr_invalid;
  return by_length(path, GetFileAttributesA, GetFileAttributesW);
}

bool fs_set_attributes(const char* path, uint32_t attributes) {
  return path && by_length(
                     path, [&](const char* p) { return SetFileAttributesA(p, attributes) != 0; },
                     [&](const wchar_t* p) { return SetFileAttributesW(p, attributes) != 0; });
}

// Only a file on a disk is read: a pipe or a device that a path names is
// no file to compare (and a pipe may never end).
FsFile* fs_open_read(const char* path) {
  if (!path) return nullptr;
  HANDLE file = open_file(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
  }
  return wrap(file);
}

FsFile* fs_create_write(const char* path) {
  if (!path) return nullptr;
  return wrap(open_file(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
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

FsFind* fs_find_first(const char* pattern, FsFindData* data, bool* refused) {
  if (refused) *refused = false;
  if (!pattern || !data) return nullptr;
  return reinterpret_cast<FsFind*>(find_first(pattern, data, refused));
}

FsFind* fs_find_first_names(const char* pattern, FsFindData* data, bool* refused) {
  return fs_find_first(pattern, data, refused);
}

bool fs_find_next(FsFind* find, FsFindData* data) {
  if (!find || !data) return false;
  auto* search = reinterpret_cast<Find*>(find);
  if (search->wide) {
    WIN32_FIND_DATAW found;
    if (!FindNextFileW(search->handle, &found)) return false;
    copy_find_data(found, data);
  } else {
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(search->handle, &found)) return false;
    copy_find_data(found, data);
  }
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
  DWORD attributes = fs_attributes(directory);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
  return new FsDir{directory};
}

uint64_t fs_dir_file_size(FsDir* dir, const char* name) {
  if (!dir || !name) return 0;
  FsFindData data;
  Find* search = find_first((dir->path + name).c_str(), &data, nullptr);
  if (!search) return 0;
  fs_find_close(reinterpret_cast<FsFind*>(search));
  return (data.attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : data.size;
}

void fs_dir_close(FsDir* dir) { delete dir; }

bool fs_directory_identity(const char* path, FsIdentity* identity) {
  if (!path || !identity) return false;
  HANDLE directory = open_file(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS);
  if (directory == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information;
  bool ok = GetFileInformationByHandle(directory, &information) &&
            (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  CloseHandle(directory);
  if (ok) {
    *identity = FsIdentity{information.dwVolumeSerialNumber,
                           size_of(information.nFileIndexHigh, information.nFileIndexLow)};
  }
  return ok;
}

bool fs_create_directory(const char* path) {
  return path && by_length(
                     path, [](const char* p) { return CreateDirectoryA(p, nullptr) != 0; },
                     [](const wchar_t* p) { return CreateDirectoryW(p, nullptr) != 0; });
}

// Copies a file over an existing one (CopyFileA without fail-if-exists);
// the long form when either path needs it.
bool fs_copy_file(const char* from, const char* to) {
  if (!from || !to) return false;
  if (!is_long(from) && !is_long(to)) return CopyFileA(from, to, FALSE);
  return CopyFileW(long_form(from).c_str(), long_form(to).c_str(), FALSE);
}

bool fs_get_times(const char* path, FsTimes* times) {
  if (!path || !times) return false;
  HANDLE file = open_file(path, GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
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
  HANDLE file = open_file(path, GENERIC_WRITE, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME created = filetime(times->created), accessed = filetime(times->accessed), written = filetime(times->written);
  bool ok = SetFileTime(file, &created, &accessed, &written);
  CloseHandle(file);
  return ok;
}
