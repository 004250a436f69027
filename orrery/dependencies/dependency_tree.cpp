#include "orrery/dependencies/dependency_tree.h"

#include "orrery/dependencies/collect_dependencies.h"

namespace orrery {

CFileRecords FillDependencyItems(CPlatform& platform, const CComFile& file, CTreeControl& tree)
{
    CDependencyList list;
    if (!file.IsFound() || !CollectDependencies(platform, file.GetServerFile(), list))
        return CFileRecords();
    CFileRecords records = list.TakeRecords();
    for (const std::unique_ptr<CComFile>& record : records) {
        ItemKind kind = record->IsFound() ? ItemKind::FoundDll : ItemKind::MissingDll;
        tree.InsertItem(kTreeRoot, record->GetDisplayName(), kind, record.get());
    }
    return records;
}

}  // namespace orrery
