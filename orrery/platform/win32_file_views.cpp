// The file-view seam on Win32: the file is opened for reading with the
// sequential-scan hint, a read-only mapping of all of it is made, and one
// read-only view of the whole mapping. The view owns the three and releases
// them in the reverse order.
#include "orrery/platform/win32_platform.h"

#include <windows.h>

#include <cstdint>

namespace orrery {

namespace {

class CWin32FileView : public CFileView {
public:
    CWin32FileView(HANDLE file, HANDLE mapping, const void* bytes, std::size_t size)
        : m_file(file), m_mapping(mapping), m_bytes(bytes), m_size(size) {}
    CWin32FileView(const CWin32FileView&) = delete;
    CWin32FileView& operator=(const CWin32FileView&) = delete;

    ~CWin32FileView() override
    {
        UnmapViewOfFile(m_bytes);
        CloseHandle(m_mapping);
        CloseHandle(m_file);
    }

    CByteView Bytes() const override
    {
        return CByteView{static_cast<const unsigned char*>(m_bytes), m_size};
    }

private:
    HANDLE m_file;
    HANDLE m_mapping;
    const void* m_bytes;
    std::size_t m_size;
};

// The file's size when all of it fits in this process's address space.
bool MappableSize(HANDLE file, std::size_t* size)
{
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    std::uint64_t whole = (static_cast<std::uint64_t>(high) << 32) | low;
    if (whole == 0 || whole > SIZE_MAX)
        return false;
    *size = static_cast<std::size_t>(whole);
    return true;
}

}  // namespace

std::unique_ptr<CFileView> CWin32FileViews::OpenView(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    std::size_t size = 0;
    HANDLE mapping = MappableSize(file, &size)
                         ? CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr)
                         : nullptr;
    if (!mapping) {
        CloseHandle(file);
        return nullptr;
    }
    const void* bytes = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (!bytes) {
        CloseHandle(mapping);
        CloseHandle(file);
        return nullptr;
    }
    return std::unique_ptr<CFileView>(new CWin32FileView(file, mapping, bytes, size));
}

}  // namespace orrery
