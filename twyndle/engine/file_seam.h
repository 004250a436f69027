// The engine's file access: exactly the file calls the compare engine makes.
// Paths are Windows paths (backslash separators, ANSI, double-byte aware).
// Two backends are chosen at link time: Win32 (CreateFileA, ReadFile,
// FindFirstFileA, ...) and POSIX, which maps backslashes to slashes so that
// native tests and tools work on real Linux directories.
#pragma once

#include <cstdint>

struct FsFile;  // an open file, owned by the caller until fs_close
struct FsFind;  // an open directory search, owned until fs_find_close

constexpr uint32_t fs_attr_readonly = 0x01;
constexpr uint32_t fs_attr_hidden = 0x02;
constexpr uint32_t fs_attr_system = 0x04;
constexpr uint32_t fs_attr_directory = 0x10;
constexpr uint32_t fs_attr_archive = 0x20;
// Neither a regular file nor a directory: a pipe, a socket, a device, or a
// link that leads nowhere. Such an entry is never opened (a pipe would
// wait for a writer for ever).
constexpr uint32_t fs_attr_device = 0x40;
constexpr uint32_t fs_attr_invalid = 0xFFFFFFFFu;

// The file attributes of a path, fs_attr_invalid when they cannot be read.
uint32_t fs_attributes(const char* path);
bool fs_set_attributes(const char* path, uint32_t attributes);

// Opens an existing file for reading, sharing read and write with others.
// None when it does not exist or cannot be opened.
FsFile* fs_open_read(const char* path);
// Creates (or truncates) a file for reading and writing; others may read
// but not write while it is open. None on failure.
FsFile* fs_create_write(const char* path);
// Reads up to `bytes` bytes; returns the count read, 0 at the end, -1 on error.
int32_t fs_read(FsFile* file, void* buffer, int32_t bytes);
// Writes all `bytes` bytes; false on error.
bool fs_write(FsFile* file, const void* buffer, int32_t bytes);
// Moves the file position back to the start.
bool fs_rewind(FsFile* file);
// The file's size in bytes.
uint64_t fs_size(FsFile* file);
void fs_close(FsFile* file);

struct FsFindData {
  char name[260];       // simple name, NUL-terminated
  uint32_t attributes;  // fs_attr_* bits
  uint64_t size;        // the size in bytes; valid with size_known
  uint32_t size_known;  // 0: a names-only listing left the size out
};

// Lists the entries matching a pattern of the form "<directory>\*.*"
// ("." and ".." included, like the platform). None when nothing matches or
// the directory cannot be listed; otherwise `data` holds the first entry.
// `refused`, when given, tells the two apart: true when the directory could
// not be listed (access refused, a path too long, gone since it was seen).
FsFind* fs_find_first(const char* pattern, FsFindData* data, bool* refused = nullptr);
// The same listing for a caller that needs the sizes of only some files: a
// platform whose listing carries no sizes leaves out those of plain files
// whose names hold no capital letters (size_known 0, attributes then just
// archive and hidden), and fs_dir_file_size gives them when they are needed.
FsFind* fs_find_first_names(const char* pattern, FsFindData* data, bool* refused = nullptr);
// The next entry; false at the end.
bool fs_find_next(FsFind* find, FsFindData* data);
void fs_find_close(FsFind* find);

// A directory opened to read the sizes of files in it: `directory` is its
// path ending in a separator. None when it cannot be opened.
struct FsDir;
FsDir* fs_dir_open(const char* directory);
// The size of the file `name` in the directory; 0 when it cannot be read.
uint64_t fs_dir_file_size(FsDir* dir, const char* name);
void fs_dir_close(FsDir* dir);

// What makes a directory the same directory under two paths (through a
// link or a junction): its volume and its number on the volume.
struct FsIdentity {
  uint64_t volume;
  uint64_t index;
  bool operator==(const FsIdentity& other) const { return volume == other.volume && index == other.index; }
};
// The identity of an existing directory; false when it cannot be read.
bool fs_directory_identity(const char* path, FsIdentity* identity);

bool fs_create_directory(const char* path);
// Copies a file over an existing one (CopyFileA without fail-if-exists).
bool fs_copy_file(const char* from, const char* to);

// Creation, last-access and last-write times, in the platform's units
// (100 ns ticks since 1601 on Windows, nanoseconds since 1970 elsewhere).
struct FsTimes {
  uint64_t created;
  uint64_t accessed;
  uint64_t written;
};
// Reads the times of a file opened for reading without sharing.
bool fs_get_times(const char* path, FsTimes* times);
// Sets the times of a file opened for writing without sharing.
bool fs_set_times(const char* path, const FsTimes* times);
