#include "orrery/reports/win32_report_files.h"

#include "orrery/platform/system_error.h"

#include <windows.h>

namespace orrery {

namespace {

std::string LastErrorText()
{
    return orrery::SystemErrorText(::GetLastError());
}

// A report file open for writing. Writes go straight to the file; a write
// the system cuts short counts as failed.
class CWin32ReportOutput : public CReportOutput {
public:
    explicit CWin32ReportOutput(HANDLE file) : m_file(file) {}
    ~CWin32ReportOutput() override
    {
        if (m_file != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_file);
    }

    bool Write(const std::string& bytes) override
    {
        DWORD written = 0;
        BOOL ok = ::WriteFile(m_file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        if (ok && written == bytes.size())
            return true;
        m_writeError = ok ? orrery::SystemErrorText(ERROR_DISK_FULL) : LastErrorText();
        return false;
    }

    bool Close(std::string* reason) override
    {
        HANDLE file = m_file;
        m_file = INVALID_HANDLE_VALUE;
        if (::CloseHandle(file))
            return true;
        *reason = LastErrorText();
        return false;
    }

    std::string WriteError() const override { return m_writeError; }

private:
    HANDLE m_file;
    std::string m_writeError;
};

}  // namespace

bool CWin32ReportFiles::TemporaryDirectory(std::string* directory, std::string* reason)
{
    char path[MAX_PATH + 1] = "";
    DWORD length = ::GetTempPathA(MAX_PATH, path);
    if (length == 0 || length > MAX_PATH) {
        *reason = length ? orrery::SystemErrorText(ERROR_FILENAME_EXCED_RANGE) : LastErrorText();
        return false;
    }
    *directory = path;
    return true;
}

bool CWin32ReportFiles::MakeTemporaryFile(const std::string& directory, const char* prefix, std::string* path,
                                          std::string* reason)
{
    char name[MAX_PATH + 1] = "";
    if (!::GetTempFileNameA(directory.c_str(), prefix, 0, name)) {
        *reason = LastErrorText();
        return false;
    }
    *path = name;
    return true;
}

bool CWin32ReportFiles::Rename(const std::string& from, const std::string& to, std::string* reason)
{
    if (::MoveFileA(from.c_str(), to.c_str()))
        return true;
    *reason = LastErrorText();
    return false;
}

std::unique_ptr<CReportOutput> CWin32ReportFiles::Create(const std::string& path, std::string* reason)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *reason = LastErrorText();
        return nullptr;
    }
    return std::unique_ptr<CReportOutput>(new CWin32ReportOutput(file));
}

void CWin32ReportFiles::Remove(const std::string& path)
{
    ::DeleteFileA(path.c_str());
}

}  // namespace orrery
