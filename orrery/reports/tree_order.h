// The order in which the object tree shows a category's records, for a
// report made without the tree (the command line): the tree control puts
// each record, as it arrives in list order, at its sorted place among those
// already there.
#pragma once

#include "orrery/catalogue/com_object.h"

#include <functional>
#include <string>
#include <vector>

namespace orrery {

// Compares two labels as the tree control does: below 0, 0 or above 0.
typedef std::function<int(const std::string&, const std::string&)> LabelCompareFn;

// The records in the order the tree lists them when each is labelled by its
// ProgID. The sequence stays sorted while records arrive; a new record goes
// before the first placed one whose label sorts after its own, and right
// after the first placed one whose label equals its own.
std::vector<CComObject*> InTreeOrder(const std::vector<CComObject*>& records,
                                     const LabelCompareFn& compare);

}  // namespace orrery
