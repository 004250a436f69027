// The module seam on Win32: LoadLibraryA, GetProcAddress, FreeLibrary and
// FormatMessageA, nothing more.
#pragma once

#include "orrery/platform/modules.h"

namespace orrery {

class CWin32Modules : public CModules {
public:
    ModuleHandle Load(const char* path, unsigned long* error) override;
    EntryPoint FindEntryPoint(ModuleHandle module, const char* name) override;
    Hresult CallEntryPoint(EntryPoint entry) override;
    bool Release(ModuleHandle module) override;
    void ReleaseOnWorkerThread(ModuleHandle module) override;
    std::string ErrorText(unsigned long code) override;
};

}  // namespace orrery
