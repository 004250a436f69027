// In-memory modules for tests: server files described by what loading them
// does and by their entry points, each entry point a function the test
// writes (it may change an in-memory registry, as a real server would).
//
// Paths are matched ignoring case. Every load gives a new handle; the backend
// counts loads and releases and can wait for releases made on its worker
// threads, which it joins before it goes.
#pragma once

#include "orrery/platform/modules.h"

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orrery {

struct CModuleFixture {
    // 0: the module loads; otherwise the error code its load fails with
    // (126: a module it needs is missing; 193: not a valid image).
    unsigned long loadError = 0;
    // Exported functions by name, each returning an HRESULT.
    std::map<std::string, std::function<Hresult()>> entryPoints;
};

class CMemoryModules : public CModules {
public:
    CMemoryModules();
    ~CMemoryModules() override;

    // A file that loads as described. A path never added fails to load with
    // error 126 (the specified module could not be found).
    void AddModule(const std::string& path, const CModuleFixture& fixture);
    void SetErrorText(unsigned long code, const std::string& text);

    // Observation.
    unsigned long LoadCount() const;
    unsigned long ReleaseCount() const;
    // Modules loaded and not released yet.
    size_t LoadedCount() const;
    // The entry points called, in order, as "path|name".
    std::vector<std::string> CallLog() const;
    // Waits until at least count releases were made; false when the time ran out.
    bool WaitForReleases(unsigned long count, unsigned long timeoutMs) const;

    ModuleHandle Load(const char* path, unsigned long* error) override;
    EntryPoint FindEntryPoint(ModuleHandle module, const char* name) override;
    Hresult CallEntryPoint(EntryPoint entry) override;
    bool Release(ModuleHandle module) override;
    void ReleaseOnWorkerThread(ModuleHandle module) override;
    std::string ErrorText(unsigned long code) override;

private:
    struct Export {
        std::string path;
        std::string name;
        std::function<Hresult()> function;
    };

    mutable std::mutex m_lock;
    mutable std::condition_variable m_released;
    std::map<std::string, CModuleFixture> m_files;          // by upper-cased path
    std::map<ModuleHandle, std::string> m_loaded;           // handle -> upper-cased path
    std::map<EntryPoint, Export> m_exports;
    std::map<unsigned long, std::string> m_errorTexts;
    std::vector<std::string> m_callLog;
    ModuleHandle m_nextHandle;
    EntryPoint m_nextEntry;
    unsigned long m_loads;
    unsigned long m_releases;
    std::vector<std::thread> m_workers;
};

}  // namespace orrery
