#include "orrery/dependencies/missing_search.h"

#include "orrery/dependencies/collect_dependencies.h"

namespace orrery {

CSearchCounts SearchMissingDependencies(CPlatform& platform, CSearchObjects& objects,
                                        CSearchProgress& progress)
{
    CSearchCounts counts;
    std::size_t total = objects.Count();
    for (std::size_t index = 0; index < total; ++index) {
        CComFile* object = objects.Object(index);
        if (object && object->IsFound()) {
            CDependencyList list;
            CollectDependencies(platform, object->GetServerFile(), list);
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (list[i].IsFound())
                    continue;
                objects.MarkMissingDependency(index);
                progress.ShowMissing(++counts.missing);
            }
        }
        progress.ShowProcessed(++counts.processed);
    }
    return counts;
}

}  // namespace orrery
