// The in-memory file system. Files are kept by upper-cased full path; a
// lookup matches the whole path only, so a relative name finds nothing unless
// it was added under that very name (the current directory of the tests).
#include "orrery/platform/memory_files.h"
#include "orrery/platform/upper_case.h"

#include <cctype>
#include <cstring>
#include <utility>

namespace orrery {

namespace {

std::string LastComponent(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

const std::uint64_t kTicksPerSecond = 10000000;
const std::int64_t kSecondsFrom1601To1970 = 11644473600LL;

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int* year, int* month, int* day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (*month <= 2));
}

// A view shares the contents it was opened on, so that replacing or removing
// the file leaves an open view as it was.
class CMemoryFileView : public CFileView {
public:
    explicit CMemoryFileView(std::shared_ptr<const std::vector<unsigned char>> contents)
        : m_contents(std::move(contents)) {}

    CByteView Bytes() const override
    {
        return CByteView{m_contents->data(), m_contents->size()};
    }

private:
    std::shared_ptr<const std::vector<unsigned char>> m_contents;
};

}  // namespace

FileTime MakeFileTime(int year, int month, int day, int hour, int minute,
                      int second)
{
    std::int64_t seconds = DaysFromCivil(year, month, day) * 86400 +
                           hour * 3600 + minute * 60 + second;
    return static_cast<FileTime>(seconds + kSecondsFrom1601To1970) * kTicksPerSecond;
}

void CMemoryFileSystem::AddFile(const std::string& path, const CFileEntry& entry)
{
    CFileEntry stored = entry;
    if (stored.longName.empty())
        stored.longName = LastComponent(path);
    m_files[UpperCase(path)] = stored;
}

void CMemoryFileSystem::AddFile(const std::string& path, std::uint64_t size)
{
    CFileEntry entry;
    entry.size = size;
    entry.lastWritten = MakeFileTime(2001, 2, 3, 4, 5, 6);
    entry.created = entry.lastWritten;
    entry.lastAccessed = entry.lastWritten;
    AddFile(path, entry);
}

void CMemoryFileSystem::AddFileContents(const std::string& path,
                                        const std::vector<unsigned char>& bytes)
{
    AddFile(path, bytes.size());
    m_contents[UpperCase(path)] = std::make_shared<const std::vector<unsigned char>>(bytes);
}

void CMemoryFileSystem::RemoveFile(const std::string& path)
{
    m_files.erase(UpperCase(path));
    m_contents.erase(UpperCase(path));
}

void CMemoryFileSystem::RefuseOpening(const std::string& path)
{
    m_refused.insert(UpperCase(path));
}

unsigned long CMemoryFileSystem::OpenCount(const std::string& path) const
{
    auto found = m_opens.find(UpperCase(path));
    return found == m_opens.end() ? 0 : found->second;
}

std::unique_ptr<CFileView> CMemoryFileSystem::OpenView(const std::string& path)
{
    std::string key = UpperCase(path);
    ++m_opens[key];
    auto contents = m_contents.find(key);
    if (m_refused.count(key) || contents == m_contents.end() || contents->second->empty())
        return nullptr;
    return std::unique_ptr<CFileView>(new CMemoryFileView(contents->second));
}

void CMemoryFileSystem::SetVariable(const std::string& name,
                                    const std::string& value)
{
    m_variables[UpperCase(name)] = value;
}

void CMemoryFileSystem::AddSearchDirectory(const std::string& directory)
{
    m_searchDirectories.push_back(directory);
}

bool CMemoryFileSystem::FindFile(const std::string& path, CFileEntry* entry)
{
    ++m_findCount;
    if (path.find_first_of("*?") != std::string::npos)
        return false;
    auto found = m_files.find(UpperCase(path));
    if (found == m_files.end())
        return false;
    if (entry)
        *entry = found->second;
    return true;
}

std::string CMemoryFileSystem::SearchFile(const std::string& name)
{
    const size_t kBufferSize = 260;
    for (const std::string& directory : m_searchDirectories) {
        std::string candidate = directory + "\\" + name;
        auto found = m_files.find(UpperCase(candidate));
        if (found != m_files.end() && candidate.size() < kBufferSize)
            return candidate;
    }
    return std::string();
}

std::string CMemoryFileSystem::ExpandText(const std::string& source) const
{
    std::string result;
    size_t at = 0;
    while (at < source.size()) {
        size_t open = source.find('%', at);
        size_t close = open == std::string::npos ? open : source.find('%', open + 1);
        if (close == std::string::npos) {
            result += source.substr(at);
            break;
        }
        result += source.substr(at, open - at);
        auto found = m_variables.find(UpperCase(source.substr(open + 1, close - open - 1)));
        if (found != m_variables.end()) {
            result += found->second;
            at = close + 1;
        } else {
            // An unknown name stays as written; its closing '%' may open the next one.
            result += source.substr(open, close - open);
            at = close;
        }
    }
    return result;
}

unsigned long CMemoryFileSystem::Expand(const char* source, char* target,
                                        unsigned long targetSize)
{
    if (!source)
        return 0;
    std::string expanded = ExpandText(source);
    unsigned long needed = static_cast<unsigned long>(expanded.size() + 1);
    if (target && needed <= targetSize)
        std::memcpy(target, expanded.c_str(), needed);
    return needed;
}

bool CMemoryFileSystem::ToLocalTime(FileTime time, std::tm* local)
{
    std::int64_t seconds = static_cast<std::int64_t>(time / kTicksPerSecond) -
                           kSecondsFrom1601To1970;
    if (time == 0 || seconds < 0)
        return false;
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    *local = std::tm();
    CivilFromDays(days, &local->tm_year, &local->tm_mon, &local->tm_mday);
    local->tm_year -= 1900;
    local->tm_mon -= 1;
    local->tm_hour = static_cast<int>(rest / 3600);
    local->tm_min = static_cast<int>(rest % 3600 / 60);
    local->tm_sec = static_cast<int>(rest % 60);
    local->tm_wday = static_cast<int>((days + 4) % 7);
    return true;
}

}  // namespace orrery
