#include "orrery/platform/posix_file_views.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace orrery {

namespace {

class CMappedView : public CFileView {
public:
    CMappedView(void* bytes, std::size_t size) : m_bytes(bytes), m_size(size) {}
    CMappedView(const CMappedView&) = delete;
    CMappedView& operator=(const CMappedView&) = delete;
    ~CMappedView() override { munmap(m_bytes, m_size); }

    CByteView Bytes() const override
    {
        return CByteView{static_cast<const unsigned char*>(m_bytes), m_size};
    }

private:
    void* m_bytes;
    std::size_t m_size;
};

class CReadView : public CFileView {
public:
    explicit CReadView(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)) {}

    CByteView Bytes() const override
    {
        return CByteView{m_bytes.data(), m_bytes.size()};
    }

private:
    std::vector<unsigned char> m_bytes;
};

// Reads size bytes from the start of an open file; false when it ends early.
bool ReadWhole(int fd, std::size_t size, std::vector<unsigned char>* bytes)
{
    bytes->resize(size);
    std::size_t done = 0;
    while (done < size) {
        ssize_t got = pread(fd, bytes->data() + done, size - done, static_cast<off_t>(done));
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

std::unique_ptr<CFileView> CPosixFileViews::OpenView(const std::string& path)
{
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    std::unique_ptr<CFileView> view;
    struct stat status;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
        static_cast<std::uint64_t>(status.st_size) <= SIZE_MAX) {
        std::size_t size = static_cast<std::size_t>(status.st_size);
        void* bytes = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        std::vector<unsigned char> copy;
        if (bytes != MAP_FAILED)
            view.reset(new CMappedView(bytes, size));
        else if (ReadWhole(fd, size, &copy))
            view.reset(new CReadView(std::move(copy)));
    }
    close(fd);
    return view;
}

}  // namespace orrery
