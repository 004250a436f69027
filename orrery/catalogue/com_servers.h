// The three kinds of registered class the catalogue sorts into its
// categories: ActiveX controls, DLL servers and EXE servers.
#pragma once

#include "orrery/catalogue/com_object.h"

#include <string>

namespace orrery {

extern const char kInprocServer32[];
extern const char kLocalServer32[];

// A class with a "Control" key; its server is the "InprocServer32" value.
class CComControl : public CComObject {
public:
    CComControl(CPlatform& platform, const std::string& clsid);
    void FillAttributeList(CTwoColumnList& list) override;
};

// A class whose "InprocServer32" value ends in DLL.
class CDllServer : public CComObject {
public:
    CDllServer(CPlatform& platform, const std::string& clsid);
};

// A class with a "LocalServer32" key, served by an executable.
class CExeServer : public CComObject {
public:
    CExeServer(CPlatform& platform, const std::string& clsid);
    void FillAttributeList(CTwoColumnList& list) override;
    void FillRegistryTree(CTreeControl& tree) override;
    // The class description when the class key has one, else the ProgID.
    std::string GetProgID() const override;
    // Offers the class's AppID key for removal too.
    bool RemoveFromRegistry(CRecordMaintenance& maintenance, std::string* report) override;

    // The value named "AppID" of the class key, empty when there is none.
    std::string GetAppID() const;
};

}  // namespace orrery
