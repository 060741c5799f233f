#pragma once

#include "resizer/Export.h"

#include <memory>
#include <vector>

namespace resizer {

// Remembered integers with their ratios, for handlers that scale a list of lengths (columns,
// sections, panels). Out-of-range reads yield 0 and out-of-range writes are ignored, so a list
// that changed length under a handler never faults.
class STUDIOCLOCK_RESIZER_EXPORT TMRLValues {
public:
    // Appends an entry and returns its index.
    int Add(int value, float ratio);
    void Clear();
    int Count() const;

    int Values(int index) const;
    void SetValues(int index, int value);
    float Ratios(int index) const;

private:
    struct Entry {
        int value;
        float ratio;
    };
    bool InRange(int index) const;

    std::unique_ptr<std::vector<Entry>> entries_;  // made by the first Add
};

}  // namespace resizer
