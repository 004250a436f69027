// The file-view seam: a whole file opened for reading and mapped read-only,
// so that its bytes can be read in place without loading it as a module.
//
// Win32 maps the file (CreateFileA, CreateFileMappingA, MapViewOfFile); POSIX
// maps it with mmap or, where that fails, reads it; the in-memory file system
// serves the contents it was given. Whoever reads a view may read only the
// bytes inside it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace orrery {

// A run of readable bytes: [data, data + size). Nothing outside it may be read.
struct CByteView {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// One opened and mapped file. Its bytes stay valid until it is destroyed,
// which unmaps the view and closes the file.
class CFileView {
public:
    virtual ~CFileView() {}
    virtual CByteView Bytes() const = 0;
};

class CFileViews {
public:
    virtual ~CFileViews() {}

    // Opens path for reading (others may go on reading and writing it) and
    // maps all of it read-only. Null when the file cannot be opened or
    // mapped; an empty file cannot be mapped, nor can a directory.
    virtual std::unique_ptr<CFileView> OpenView(const std::string& path) = 0;
};

}  // namespace orrery
