// POSIX file access for native builds and tools. Windows paths are mapped
// to POSIX ones by turning backslashes into slashes and matching names
// ignoring case, as Windows does (the engine lower-cases the names it
// scans); attributes are made up from the mode (directory, a regular file,
// or fs_attr_device for anything else; read-only when no one may write;
// hidden for names starting with a dot). Links are followed.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>

#include "twyndle/engine/file_seam.h"

struct FsFile {
  int fd;
};

struct FsFind {
  DIR* dir;
  bool names_only;  // sizes of plain lower-case names are left out
};

struct FsDir {
  int fd;
};

namespace {
bool exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

bool same_ignoring_case(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  }
  return *a == *b;
}

// The entry of `directory` whose name equals `name` ignoring case, else `name`.
std::string find_ignoring_case(const std::string& directory, const std::string& name) {
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (!dir) return name;
  std::string found = name;
  while (struct dirent* item = readdir(dir)) {
    if (same_ignoring_case(item->d_name, name.c_str())) {
      found = item->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

// Windows names ignore case: a component missing with the given case is
// looked up among its directory's entries ignoring case (an exact match
// wins). Only paths that do not exist as given pay for the lookup.
std::string resolve_case(const std::string& path) {
  if (path.empty() || exists(path)) return path;
  std::string resolved;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string name = path.substr(start, slash - start);
    if (!name.empty() && !exists(resolved + name)) name = find_ignoring_case(resolved, name);
    resolved += name;
    if (slash < path.size()) resolved += '/';
    start = slash + 1;
  }
  return resolved;
}

std::string posix_path(const char* path) {
  std::string result(path ? path : "");
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  return resolve_case(result);
}

uint32_t hidden_bit(const char* name) {
  bool hidden = name[0] == '.' && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0;
  return hidden ? fs_attr_hidden : 0;
}

bool has_capital(const char* name) {
  for (; *name; ++name) {
    if (*name >= 'A' && *name <= 'Z') return true;
  }
  return false;
}

// A plain file whose size a names-only listing leaves out: its lower-cased
// name, which is what the size is looked up by later, is its own name.
bool size_left_out(const FsFind* find, const struct dirent* item) {
  return find->names_only && item->d_type == DT_REG && !has_capital(item->d_name);
}

// Entry types that are neither files nor directories, nor links to them.
bool is_special(unsigned char type) { return type == DT_FIFO || type == DT_SOCK || type == DT_CHR || type == DT_BLK; }

uint32_t attributes_of(const struct stat& info, const char* name) {
  uint32_t attributes = S_ISDIR(info.st_mode)   ? fs_attr_directory
                        : S_ISREG(info.st_mode) ? fs_attr_archive
                                                : fs_attr_device;
  if (!(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) attributes |= fs_attr_readonly;
  return attributes | hidden_bit(name);
}

FsFile* wrap(int fd) { return fd < 0 ? nullptr : new FsFile{fd}; }

bool is_same_file(int fd, const std::string& path) {
  struct stat open_info, path_info;
  return fstat(fd, &open_info) == 0 && stat(path.c_str(), &path_info) == 0 &&
         open_info.st_dev == path_info.st_dev && open_info.st_ino == path_info.st_ino;
}

uint64_t nanoseconds(const struct timespec& time) {
  return static_cast<uint64_t>(time.tv_sec) * 1000000000u + static_cast<uint64_t>(time.tv_nsec);
}

struct timespec timespec_of(uint64_t ns) {
  struct timespec time;
  time.tv_sec = static_cast<time_t>(ns / 1000000000u);
  time.tv_nsec = static_cast<long>(ns % 1000000000u);
  return time;
}
}  // namespace

uint32_t fs_attributes(const char* path) {
  struct stat info;
  if (!path || stat(posix_path(path).c_str(), &info) != 0) return fs_attr_invalid;
  const char* slash = std::strrchr(path, '\\');
  return attributes_of(info, slash ? slash + 1 : path);
}

bool fs_set_attributes(const char* path, uint32_t attributes) {
  struct stat info;
  std::string name = posix_path(path);
  if (!path || stat(name.c_str(), &info) != 0) return false;
  mode_t mode = info.st_mode & 07777;
  mode = (attributes & fs_attr_readonly) ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  return chmod(name.c_str(), mode) == 0;
}

// Opened without waiting (a pipe would wait for a writer), then kept only
// when it is a regular file. The path is looked up ignoring case only when
// it does not open as given.
FsFile* fs_open_read(const char* path) {
  if (!path) return nullptr;
  std::string name(path);
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0 && errno == ENOENT) fd = open(resolve_case(name).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info;
  if (fd >= 0 && (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
    close(fd);
    fd = -1;
  }
  return wrap(fd);
}

FsFile* fs_create_write(const char* path) {
  if (!path) return nullptr;
  return wrap(open(posix_path(path).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
}

int32_t fs_read(FsFile* file, void* buffer, int32_t bytes) {
  if (!file || bytes < 0) return -1;
  ssize_t count;
  do {
    count = read(file->fd, buffer, static_cast<size_t>(bytes));
  } while (count < 0 && errno == EINTR);
  return static_cast<int32_t>(count);
}

bool fs_write(FsFile* file, const void* buffer, int32_t bytes) {
  if (!file || bytes < 0) return false;
  const char* p = static_cast<const char*>(buffer);
  while (bytes > 0) {
    ssize_t count = write(file->fd, p, static_cast<size_t>(bytes));
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    p += count;
    bytes -= static_cast<int32_t>(count);
  }
  return true;
}

bool fs_rewind(FsFile* file) { return file && lseek(file->fd, 0, SEEK_SET) == 0; }

uint64_t fs_size(FsFile* file) {
  struct stat info;
  if (!file || fstat(file->fd, &info) != 0) return 0;
  return static_cast<uint64_t>(info.st_size);
}

void fs_close(FsFile* file) {
  if (!file) return;
  close(file->fd);
  delete file;
}

bool fs_find_next(FsFind* find, FsFindData* data) {
  if (!find || !data) return false;
  while (struct dirent* item = readdir(find->dir)) {
    size_t length = std::strlen(item->d_name);
    if (length >= sizeof data->name) continue;
    std::memcpy(data->name, item->d_name, length + 1);
    data->size_known = 1;
    if (item->d_type == DT_DIR) {  // no size needed: spare the lookup
      data->attributes = fs_attr_directory | hidden_bit(item->d_name);
      data->size = 0;
      return true;
    }
    if (size_left_out(find, item)) {
      data->attributes = fs_attr_archive | hidden_bit(item->d_name);
      data->size = 0;
      data->size_known = 0;
      return true;
    }
    if (is_special(item->d_type)) {  // no need to look further
      data->attributes = fs_attr_device | hidden_bit(item->d_name);
      data->size = 0;
      return true;
    }
    struct stat info;
    if (fstatat(dirfd(find->dir), item->d_name, &info, 0) != 0) {
      data->attributes = fs_attr_device | hidden_bit(item->d_name);  // a link that leads nowhere
      data->size = 0;
      return true;
    }
    data->attributes = attributes_of(info, item->d_name);
    data->size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
    return true;
  }
  return false;
}

namespace {
FsFind* find_first(const char* pattern, FsFindData* data, bool names_only, bool* refused) {
  if (refused) *refused = false;
  static const char every[] = "*.*";  // after a backslash or a slash
  size_t length = pattern ? std::strlen(pattern) : 0;
  if (length < sizeof every || std::strcmp(pattern + length - (sizeof every - 1), every) != 0) return nullptr;
  char separator = pattern[length - sizeof every];
  if (separator != '\\' && separator != '/') return nullptr;
  std::string directory = posix_path(std::string(pattern, length - 3).c_str());
  DIR* dir = opendir(directory.c_str());
  if (!dir) {
    if (refused) *refused = true;
    return nullptr;
  }
  auto* find = new FsFind{dir, names_only};
  if (!fs_find_next(find, data)) {
    fs_find_close(find);
    return nullptr;
  }
  return find;
}
}  // namespace

FsFind* fs_find_first(const char* pattern, FsFindData* data, bool* refused) {
  return find_first(pattern, data, false, refused);
}

FsFind* fs_find_first_names(const char* pattern, FsFindData* data, bool* refused) {
  return find_first(pattern, data, true, refused);
}

void fs_find_close(FsFind* find) {
  if (!find) return;
  closedir(find->dir);
  delete find;
}

FsDir* fs_dir_open(const char* directory) {
  if (!directory) return nullptr;
  int fd = open(posix_path(directory).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return fd < 0 ? nullptr : new FsDir{fd};
}

uint64_t fs_dir_file_size(FsDir* dir, const char* name) {
  struct stat info;
  if (!dir || !name || fstatat(dir->fd, name, &info, 0) != 0 || !S_ISREG(info.st_mode)) return 0;
  return static_cast<uint64_t>(info.st_size);
}

void fs_dir_close(FsDir* dir) {
  if (!dir) return;
  close(dir->fd);
  delete dir;
}

bool fs_directory_identity(const char* path, FsIdentity* identity) {
  struct stat info;
  if (!path || !identity || stat(posix_path(path).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  *identity = FsIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
  return true;
}

bool fs_create_directory(const char* path) { return path && mkdir(posix_path(path).c_str(), 0777) == 0; }

bool fs_copy_file(const char* from, const char* to) {
  FsFile* source = fs_open_read(from);
  if (!source) return false;
  std::string target_path = posix_path(to);
  // A copy onto the source itself (under the same or another name) fails,
  // as on Windows, rather than emptying the source before reading it.
  if (is_same_file(source->fd, target_path)) {
    fs_close(source);
    return false;
  }
  FsFile* target = wrap(open(target_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  bool ok = target != nullptr;
  char buffer[65536];
  int32_t count = 0;
  while (ok && (count = fs_read(source, buffer, sizeof buffer)) > 0) ok = fs_write(target, buffer, count);
  ok = ok && count == 0;
  fs_close(source);
  fs_close(target);
  return ok;
}

bool fs_get_times(const char* path, FsTimes* times) {
  struct stat info;
  if (!path || !times || stat(posix_path(path).c_str(), &info) != 0) return false;
  times->created = nanoseconds(info.st_ctim);
  times->accessed = nanoseconds(info.st_atim);
  times->written = nanoseconds(info.st_mtim);
  return true;
}

bool fs_set_times(const char* path, const FsTimes* times) {
  if (!path || !times) return false;
  struct timespec both[2] = {timespec_of(times->accessed), timespec_of(times->written)};
  return utimensat(AT_FDCWD, posix_path(path).c_str(), both, 0) == 0;
}
