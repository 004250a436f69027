#include "orrery/reports/report_dependencies.h"

#include "orrery/dependencies/collect_dependencies.h"

namespace orrery {

bool CollectDependencyLines(CPlatform& platform, const std::string& path, std::vector<CDependencyLine>* lines)
{
    // The list owns the walk's records and deletes them when it goes.
    CDependencyList list;
    if (!CollectDependencies(platform, path, list))
        return false;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const CComFile& record = list[i];
        lines->push_back({record.GetDisplayName(), record.GetFilePath(), record.IsFound()});
    }
    return true;
}

}  // namespace orrery
