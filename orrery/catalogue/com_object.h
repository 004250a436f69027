// CComObject: one class registered under HKEY_CLASSES_ROOT\CLSID. Building it
// reads only the server value and tests the file; everything else is read
// from the registry when it is asked for.
#pragma once

#include "orrery/catalogue/com_file.h"
#include "orrery/catalogue/record_maintenance.h"

#include <string>

namespace orrery {

class CComObject : public CComFile {
public:
    // Reads the default value of CLSID\<clsid>\<serverSubkey> as the path and
    // sets the found flag.
    CComObject(CPlatform& platform, const std::string& clsid,
               const char* serverSubkey);
    ~CComObject() override;

    void FillAttributeList(CTwoColumnList& list) override;
    virtual void FillRegistryTree(CTreeControl& tree);
    // Inserts the server file's DLL dependencies, found and missing, as
    // top-level items, and returns their records: the items point to them, so
    // the caller keeps them as long as the items.
    virtual CFileRecords FillDependencyTree(CTreeControl& tree);
    virtual std::string GetProgID() const;
    virtual std::string GetTypeLibName() const;
    // The value of an AttributeId; empty text for any id above 18.
    virtual std::string GetAttribute(int id);
    // Deletes the class's keys through the maintenance operations (see
    // CRecordMaintenance); true when the class key is gone.
    virtual bool RemoveFromRegistry(CRecordMaintenance& maintenance, std::string* report);
    // Calls the server's DllUnregisterServer through the maintenance
    // operations; true when it was found and succeeded.
    virtual bool Unregister(CRecordMaintenance& maintenance);

    const std::string& GetClsid() const { return m_clsid; }
    std::string GetClsidWithoutBraces() const;

    // The default value of CLSID\<clsid>\<subkey>, empty when there is none.
    std::string ReadClassValue(const char* subkey) const;

protected:
    // The rows every registered object shows: attributes 0 to 4 from the
    // registry, then the file's rows.
    void FillCommonRows(CTwoColumnList& list);
    // The class's keys under a root item; returns the root.
    TreeItem FillClassTree(CTreeControl& tree);
    // Inserts a key's item last under parent, with the key images.
    static TreeItem InsertKey(CTreeControl& tree, TreeItem parent, const std::string& name);
    // Whether the key at keyPath below HKEY_CLASSES_ROOT is there.
    bool HasKey(const std::string& keyPath) const;
    // Inserts every subkey of keyPath below parent, depth first.
    void AddKeySubtree(CTreeControl& tree, TreeItem parent,
                       const std::string& keyPath);
    // A named value of the class key itself (name empty: its default value).
    std::string ReadClassKeyValue(const char* name) const;

private:
    std::string m_clsid;
};

}  // namespace orrery
