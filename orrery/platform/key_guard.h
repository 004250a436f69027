// CKeyGuard: one key opened through the registry seam, closed when the guard
// goes out of scope, so that no return path leaves a key open.
//
//     CKeyGuard key(registry);
//     if (key.Open(kClassesRoot, "CLSID") != kRegSuccess)
//         return;
//     ... registry.QueryValue(key.Get(), ...) ...
//
// A call that opens a key through an out-parameter writes into Receive().
// kClassesRoot is never closed.
#pragma once

#include "orrery/platform/registry.h"

namespace orrery {

class CKeyGuard {
public:
    explicit CKeyGuard(CRegistry& registry) : m_registry(&registry) {}
    CKeyGuard(const CKeyGuard&) = delete;
    CKeyGuard& operator=(const CKeyGuard&) = delete;
    CKeyGuard(CKeyGuard&& other) noexcept : m_registry(other.m_registry), m_key(other.Release()) {}
    CKeyGuard& operator=(CKeyGuard&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_registry = other.m_registry;
            m_key = other.Release();
        }
        return *this;
    }
    ~CKeyGuard() { Close(); }

    // RegOpenKeyExA for reading, for changing, or RegCreateKeyExA; any key
    // held before is closed first. Returns the seam's result.
    long Open(RegKey parent, const char* subkey) { return m_registry->OpenKey(parent, subkey, Receive()); }
    long OpenToChange(RegKey parent, const char* subkey)
    {
        return m_registry->OpenKeyToChange(parent, subkey, Receive());
    }
    long Create(RegKey parent, const char* subkey) { return m_registry->CreateKey(parent, subkey, Receive()); }

    // Closes the key held, if any, and hands out the place for a new one.
    RegKey* Receive()
    {
        Close();
        return &m_key;
    }

    // The key for the seam's calls; kNoKey while none is held.
    RegKey Get() const { return m_key; }
    bool IsOpen() const { return m_key != kNoKey; }

    // Gives the key up without closing it.
    RegKey Release()
    {
        RegKey key = m_key;
        m_key = kNoKey;
        return key;
    }

    void Close()
    {
        if (m_key != kNoKey && m_key != kClassesRoot)
            m_registry->CloseKey(m_key);
        m_key = kNoKey;
    }

private:
    CRegistry* m_registry;
    RegKey m_key = kNoKey;
};

}  // namespace orrery
