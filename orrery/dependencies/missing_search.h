// The search of the missing-dependency finder: every object that the object
// tree shows is walked, and those that miss a DLL are marked.
#pragma once

#include "orrery/catalogue/com_file.h"
#include "orrery/platform/platform.h"

#include <cstddef>

namespace orrery {

// The objects under the object tree's root, in tree order.
class CSearchObjects {
public:
    virtual ~CSearchObjects() {}
    virtual std::size_t Count() const = 0;
    // The record of the object at index (null when the item has none).
    virtual CComFile* Object(std::size_t index) const = 0;
    // Gives the object at index the missing-dependency mark.
    virtual void MarkMissingDependency(std::size_t index) = 0;
};

// The finder's counters and progress bar.
class CSearchProgress {
public:
    virtual ~CSearchProgress() {}
    // Called each time a missing DLL is counted, with the new count.
    virtual void ShowMissing(long missing) = 0;
    // Called after each object, with the number processed so far: the
    // counter shows it and the progress bar advances one step.
    virtual void ShowProcessed(long processed) = 0;
};

struct CSearchCounts {
    long processed = 0;
    long missing = 0;  // missing DLLs, not objects: an object missing two counts two
};

// Walks the dependencies of every found object in turn and marks each object
// with a missing DLL; objects that are not found are counted as processed
// and not walked. No dependency record outlives its object's walk.
CSearchCounts SearchMissingDependencies(CPlatform& platform, CSearchObjects& objects,
                                        CSearchProgress& progress);

}  // namespace orrery
