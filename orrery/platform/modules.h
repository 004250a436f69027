// The module seam: loading a server file and calling one of its entry points,
// as self-registration does (LoadLibraryA, GetProcAddress, FreeLibrary).
//
// Only entry points that take no arguments and return an HRESULT are called
// through it: DllRegisterServer and DllUnregisterServer. The seam also gives
// the system's text for an error code, so that a failure can be reported in
// the words Windows uses for it.
#pragma once

#include <cstdint>
#include <string>

namespace orrery {

// A loaded module; kNoModule when none.
typedef std::uintptr_t ModuleHandle;
const ModuleHandle kNoModule = 0;

// An HRESULT: negative values are failures.
typedef std::int32_t Hresult;

// An exported function of a loaded module; kNoEntryPoint when none.
typedef std::uintptr_t EntryPoint;
const EntryPoint kNoEntryPoint = 0;

class CModules {
public:
    virtual ~CModules() {}

    // LoadLibraryA(path). On failure kNoModule, with the system's error code
    // (GetLastError) in *error.
    virtual ModuleHandle Load(const char* path, unsigned long* error) = 0;

    // GetProcAddress(module, name); kNoEntryPoint when there is no such export.
    virtual EntryPoint FindEntryPoint(ModuleHandle module, const char* name) = 0;

    // Calls an entry point that takes no arguments and returns an HRESULT.
    virtual Hresult CallEntryPoint(EntryPoint entry) = 0;

    // FreeLibrary(module).
    virtual bool Release(ModuleHandle module) = 0;

    // Starts a short-lived thread (normal priority, default stack, running
    // at once) whose only work is Release(module). Nobody waits for it.
    virtual void ReleaseOnWorkerThread(ModuleHandle module) = 0;

    // The system's message text for a Win32 error code or an HRESULT, without
    // its line end; empty text when the system has none.
    virtual std::string ErrorText(unsigned long code) = 0;
};

}  // namespace orrery
