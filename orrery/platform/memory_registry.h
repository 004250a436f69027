// An in-memory registry for tests and benchmarks: one HKEY_CLASSES_ROOT.
//
// Keys are matched ignoring case and enumerated in the order they were made;
// a subkey text longer than the 260 characters the ANSI calls take is refused;
// values keep their type and bytes. It keeps the Win32 buffer contracts of
// CRegistry, counts every call, logs which values were read, can run a hook
// before each subkey enumeration (so a test can make keys vanish mid-scan),
// knows how many keys are open (so a test can see that all were closed), and
// can refuse changes below chosen keys, as Windows refuses a user who is not
// an administrator (reading stays allowed).
#pragma once

#include "orrery/platform/registry.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace orrery {

struct CRegistryCounts {
    unsigned long opens = 0;
    unsigned long queries = 0;
    unsigned long keyEnums = 0;
    unsigned long valueEnums = 0;
    unsigned long closes = 0;
    unsigned long creates = 0;
    unsigned long sets = 0;
    unsigned long deletes = 0;
};

class CMemoryRegistry : public CRegistry {
public:
    CMemoryRegistry();
    ~CMemoryRegistry() override;

    // Set-up, past the seam and its refusals. Paths are below
    // HKEY_CLASSES_ROOT, names separated by backslashes; missing keys on the
    // way are made. An empty value name is the default value.
    void AddKey(const std::string& path);
    void SetString(const std::string& path, const std::string& name,
                   const std::string& text, unsigned long type = kRegSz);
    void SetDword(const std::string& path, const std::string& name,
                  unsigned long value);
    void SetRaw(const std::string& path, const std::string& name,
                unsigned long type, const std::string& bytes);
    // Removes a key with its subtree; keys still open on it answer
    // kRegKeyDeleted from then on. False when there is no such key.
    bool RemoveKey(const std::string& path);
    // Every change to this key or below it is refused with kRegAccessDenied
    // from now on: opening to change, creating, setting values, deleting.
    // "" refuses changes to the whole registry.
    void RefuseChanges(const std::string& path);

    // Observation of the tree itself, past the seam.
    bool HasKey(const std::string& path) const;
    // The value's type and bytes; false when the key or the value is missing.
    bool GetValue(const std::string& path, const std::string& name,
                  unsigned long* type, std::string* bytes) const;

    // Observation.
    const CRegistryCounts& Counts() const { return m_counts; }
    // One entry per QueryValue call on a live key: key path, "|", value name.
    const std::vector<std::string>& QueryLog() const { return m_queryLog; }
    void ResetCounts();
    size_t OpenKeyCount() const { return m_handles.size(); }
    void SetEnumKeyHook(std::function<void(unsigned long index)> hook);

    long OpenKey(RegKey parent, const char* subkey, RegKey* opened) override;
    long OpenKeyToChange(RegKey parent, const char* subkey, RegKey* opened) override;
    long CreateKey(RegKey parent, const char* subkey, RegKey* created) override;
    long SetValue(RegKey key, const char* name, unsigned long type,
                  const unsigned char* data, unsigned long size) override;
    long DeleteKey(RegKey parent, const char* subkey) override;
    long QueryValue(RegKey key, const char* name, unsigned long* type,
                    unsigned char* data, unsigned long* size) override;
    long EnumKey(RegKey key, unsigned long index, char* name,
                 unsigned long* size) override;
    long EnumValue(RegKey key, unsigned long index, char* name,
                   unsigned long* nameSize, unsigned long* type,
                   unsigned char* data, unsigned long* dataSize) override;
    long CloseKey(RegKey key) override;

    struct Node;

private:
    struct Handle {
        std::shared_ptr<Node> node;
        bool canChange;
    };

    std::shared_ptr<Node> Resolve(RegKey key, long* result) const;
    // Resolve for a call that names a subkey it makes or deletes: also
    // refuses an empty subkey and one longer than a registry call takes.
    std::shared_ptr<Node> ResolveParentOf(RegKey parent, const char* subkey, long* result) const;
    // Resolve for an enumeration of the node's entries (subkeys or values):
    // also kRegNoMoreItems when index is past them.
    template <typename Entries>
    std::shared_ptr<Node> ResolveEntry(RegKey key, Entries Node::*entries, unsigned long index, long* result) const;
    std::shared_ptr<Node> Walk(const std::shared_ptr<Node>& from,
                               const std::string& path, bool create) const;
    RegKey NewHandle(const std::shared_ptr<Node>& node, bool canChange);
    long Open(RegKey parent, const char* subkey, bool toChange, RegKey* opened);
    static void SetNodeValue(Node& node, const std::string& name,
                             unsigned long type, const std::string& bytes);
    static void Unlink(Node& parent, const std::string& name);
    bool IsRefused(const std::string& path) const;

    std::shared_ptr<Node> m_root;
    std::unordered_map<RegKey, Handle> m_handles;
    RegKey m_nextHandle;
    CRegistryCounts m_counts;
    std::vector<std::string> m_queryLog;
    std::function<void(unsigned long)> m_enumKeyHook;
    std::vector<std::string> m_refused;  // upper-cased key paths
};

}  // namespace orrery
