#include "orrery/platform/memory_modules.h"

#include "orrery/platform/upper_case.h"

#include <chrono>

namespace orrery {

namespace {

const unsigned long kModuleNotFound = 126;

}  // namespace

CMemoryModules::CMemoryModules()
    : m_nextHandle(0x10000), m_nextEntry(0x20000), m_loads(0), m_releases(0)
{
}

CMemoryModules::~CMemoryModules()
{
    std::vector<std::thread> workers;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        workers.swap(m_workers);
    }
    for (std::thread& worker : workers)
        worker.join();
}

void CMemoryModules::AddModule(const std::string& path, const CModuleFixture& fixture)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_files[UpperCase(path)] = fixture;
}

void CMemoryModules::SetErrorText(unsigned long code, const std::string& text)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_errorTexts[code] = text;
}

unsigned long CMemoryModules::LoadCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_loads;
}

unsigned long CMemoryModules::ReleaseCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_releases;
}

size_t CMemoryModules::LoadedCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_loaded.size();
}

std::vector<std::string> CMemoryModules::CallLog() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_callLog;
}

bool CMemoryModules::WaitForReleases(unsigned long count, unsigned long timeoutMs) const
{
    std::unique_lock<std::mutex> guard(m_lock);
    return m_released.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                               [this, count] { return m_releases >= count; });
}

ModuleHandle CMemoryModules::Load(const char* path, unsigned long* error)
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::string key = UpperCase(path ? path : "");
    auto file = m_files.find(key);
    unsigned long failure = file == m_files.end() ? kModuleNotFound : file->second.loadError;
    if (failure) {
        if (error)
            *error = failure;
        return kNoModule;
    }
    ++m_loads;
    ModuleHandle handle = m_nextHandle;
    m_nextHandle += 0x1000;
    m_loaded[handle] = key;
    return handle;
}

EntryPoint CMemoryModules::FindEntryPoint(ModuleHandle module, const char* name)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto loaded = m_loaded.find(module);
    if (loaded == m_loaded.end() || !name)
        return kNoEntryPoint;
    const CModuleFixture& fixture = m_files[loaded->second];
    auto function = fixture.entryPoints.find(name);
    if (function == fixture.entryPoints.end())
        return kNoEntryPoint;
    EntryPoint entry = m_nextEntry++;
    m_exports[entry] = Export{loaded->second, name, function->second};
    return entry;
}

Hresult CMemoryModules::CallEntryPoint(EntryPoint entry)
{
    std::function<Hresult()> function;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto found = m_exports.find(entry);
        if (found == m_exports.end())
            return static_cast<Hresult>(0x80004005u);  // E_FAIL: a wild pointer would crash instead
        m_callLog.push_back(found->second.path + "|" + found->second.name);
        function = found->second.function;
    }
    // The entry point runs unlocked: it may change the registry or load more.
    return function();
}

bool CMemoryModules::Release(ModuleHandle module)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_loaded.erase(module))
        return false;
    ++m_releases;
    m_released.notify_all();
    return true;
}

void CMemoryModules::ReleaseOnWorkerThread(ModuleHandle module)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_workers.emplace_back([this, module] { Release(module); });
}

std::string CMemoryModules::ErrorText(unsigned long code)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto found = m_errorTexts.find(code);
    return found == m_errorTexts.end() ? std::string() : found->second;
}

}  // namespace orrery
