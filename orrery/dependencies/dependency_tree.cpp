#include "orrery/dependencies/dependency_tree.h"

#include "orrery/dependencies/collect_dependencies.h"

namespace orrery {

void FillDependencyItems(CPlatform& platform, const CComFile& file, CTreeControl& tree)
{
    if (!file.IsFound())
        return;
    CDependencyList list;
    if (!CollectDependencies(platform, file.GetServerFile(), list))
        return;
    for (std::unique_ptr<CComFile>& record : list.TakeRecords()) {
        int image = record->IsFound() ? kDependencyImageFound : kDependencyImageMissing;
        std::string text = record->GetDisplayName();
        tree.InsertItem(kTreeRoot, text, image, image, record.release());
    }
}

}  // namespace orrery
