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
        std::size_t missing =
            object && object->IsFound() ? MissingDllNames(platform, object->GetServerFile()).size() : 0;
        for (std::size_t dll = 0; dll < missing; ++dll) {
            objects.MarkMissingDependency(index);
            progress.ShowMissing(++counts.missing);
        }
        progress.ShowProcessed(++counts.processed);
    }
    return counts;
}

}  // namespace orrery
