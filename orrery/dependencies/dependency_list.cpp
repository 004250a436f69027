#include "orrery/dependencies/dependency_list.h"

#include "orrery/platform/upper_case.h"

#include <utility>

namespace orrery {

CDependencyList::~CDependencyList() = default;

bool CDependencyList::Contains(const std::string& name) const
{
    return m_names.count(UpperCase(name)) != 0;
}

void CDependencyList::Append(std::unique_ptr<CComFile> record)
{
    m_names.insert(UpperCase(record->GetDisplayName()));
    m_records.push_back(std::move(record));
}

CFileRecords CDependencyList::TakeRecords()
{
    std::vector<std::unique_ptr<CComFile>> records;
    records.swap(m_records);
    m_names.clear();
    return records;
}

}  // namespace orrery
