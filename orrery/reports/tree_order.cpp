#include "orrery/reports/tree_order.h"

#include <algorithm>
#include <utility>

namespace orrery {

std::vector<CComObject*> InTreeOrder(const std::vector<CComObject*>& records,
                                     const LabelCompareFn& compare)
{
    typedef std::pair<std::string, CComObject*> Labelled;
    std::vector<Labelled> placed;
    placed.reserve(records.size());
    for (CComObject* record : records) {
        Labelled item(record->GetProgID(), record);
        // placed is sorted, so the first item not below the new one is either
        // the first equal one (the new one goes after it) or the first that
        // sorts after it (the new one goes before it).
        auto at = std::lower_bound(placed.begin(), placed.end(), item,
                                   [&compare](const Labelled& a, const Labelled& b) {
                                       return compare(a.first, b.first) < 0;
                                   });
        if (at != placed.end() && compare(at->first, item.first) == 0)
            ++at;
        placed.insert(at, std::move(item));
    }
    std::vector<CComObject*> ordered;
    ordered.reserve(placed.size());
    for (const Labelled& item : placed)
        ordered.push_back(item.second);
    return ordered;
}

}  // namespace orrery
