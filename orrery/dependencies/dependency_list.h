// CDependencyList: the DLLs a dependency walk reached, in the order it
// reached them, one plain-file record per DLL name. The list owns its
// records until they are taken from it.
#pragma once

#include "orrery/catalogue/com_file.h"

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace orrery {

class CDependencyList {
public:
    CDependencyList() = default;
    CDependencyList(const CDependencyList&) = delete;
    CDependencyList& operator=(const CDependencyList&) = delete;
    virtual ~CDependencyList();

    std::size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    // The record at index, in list order (index < size()).
    CComFile& operator[](std::size_t index) const { return *m_records[index]; }

    // True when a record's display name equals name ignoring case. The names
    // are kept in a set beside the list, so a walk over hundreds of DLLs
    // stays linear.
    virtual bool Contains(const std::string& name) const;
    // Appends a record; its display name must not be in the list yet.
    void Append(std::unique_ptr<CComFile> record);
    // Hands every record to the caller in list order; the list is then empty.
    CFileRecords TakeRecords();

private:
    CFileRecords m_records;
    std::unordered_set<std::string> m_names;  // the display names, upper-cased
};

}  // namespace orrery
