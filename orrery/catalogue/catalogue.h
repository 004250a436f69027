// The object catalogue: every class under HKEY_CLASSES_ROOT\CLSID that has a
// ProgID, sorted into three category lists of owned records. The window that
// shows it owns one CCatalogue and rebuilds it on request.
#pragma once

#include "orrery/catalogue/com_servers.h"
#include "orrery/platform/platform.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orrery {

// Also the index of the category's tab in the object tree.
enum ObjectCategory {
    CategoryControls = 0,
    CategoryDllServers = 1,
    CategoryExeServers = 2,
};

const int kCategoryCount = 3;

// "Controls", "DLL Servers", "EXE Servers", by ObjectCategory.
extern const char* const kCategoryTabText[kCategoryCount];

// The progress texts of a rebuild, in the order they are reported.
extern const char kProgressClearing[];
extern const char kProgressScanning[];
extern const char kProgressFilling[];
extern const char kProgressDone[];

// Records in scan order; the list owns them.
typedef std::vector<std::unique_ptr<CComObject>> CObjectList;

// The records of a list in its order, for readers that do not own them.
std::vector<CComObject*> RecordsOf(const CObjectList& list);

class CCatalogue {
public:
    typedef std::function<void(const char* text)> ProgressFn;

    explicit CCatalogue(CPlatform& platform);
    CCatalogue(const CCatalogue&) = delete;
    CCatalogue& operator=(const CCatalogue&) = delete;
    ~CCatalogue();

    // Appends a record for every qualifying class to the three lists.
    void ScanRegistry();
    // Destroys every record and empties the lists.
    void ClearCatalogue();
    // Clears, scans and fills, reporting each step's text to progress
    // (which may be empty); fillTree hands the result to the tree.
    void RefreshCatalogue(const ProgressFn& progress,
                          const std::function<void()>& fillTree);

    const CObjectList& List(ObjectCategory category) const;
    // The list shown under the selected tab; null when no tab (or no valid
    // tab) is selected.
    CObjectList* CurrentList(int selectedTab);
    // Destroys record and removes it from the selected tab's list when it is
    // there (found by identity); false when it is not. The same class's
    // records in other lists stay.
    bool RemoveSelectedRecord(int selectedTab, const CComObject* record);

private:
    CPlatform& m_platform;
    CObjectList m_lists[kCategoryCount];
};

// The first registered class, with or without a ProgID, whose server is the
// file at path; null when there is none or the path is empty.
// searchStarted (may be empty) runs once the class list is open, before the
// search: the moment to show a wait window.
std::unique_ptr<CComObject> FindObjectByFile(CPlatform& platform, const std::string& path,
                                             const std::function<void()>& searchStarted);

}  // namespace orrery
