// What a registered class's record asks of the maintenance operations when
// the user unregisters it or removes it from the registry. The record decides
// what its class offers (an EXE server its AppID); the operations, which live
// above the catalogue, do the work and talk to the user.
#pragma once

#include <string>

namespace orrery {

class CComObject;

class CRecordMaintenance {
public:
    virtual ~CRecordMaintenance() {}

    // Calls the server's DllUnregisterServer; true when it was found, called
    // and did not fail.
    virtual bool Unregister(CComObject& record) = 0;

    // Deletes the class's keys. appId is the class's AppID value, read before
    // anything was deleted ("" when the record offers none). Replaces the
    // report's content; true when the class key is gone afterwards.
    virtual bool RemoveFromRegistry(CComObject& record, const std::string& appId,
                                    std::string* report) = 0;
};

}  // namespace orrery
