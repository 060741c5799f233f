#pragma once

#include "resizer/Export.h"

#include <algorithm>
#include <vector>

// The lengths property handlers remember: each one's ratio to a client dimension and the value
// last applied, by which a change by somebody else shows.
namespace resizer {

struct STUDIOCLOCK_RESIZER_EXPORT TMRLength {
    int last = 0;
    float ratio = 0.0F;

    // Takes the ratio of `value` to `dimension` (not 0).
    void Take(int value, int dimension);
    // The value for `dimension`, truncated (ScaledLength).
    int For(int dimension) const;
};

// A row of remembered lengths (columns, sections, panels), kept in step with lengths a control
// holds by index. Out-of-range reads yield 0 and out-of-range writes are ignored, so a row that
// changed length under a handler never faults.
class STUDIOCLOCK_RESIZER_EXPORT TMRLValues {
public:
    // Appends an entry and returns its index.
    int Add(int value, float ratio);
    void Clear();
    int Count() const;

    int Values(int index) const;
    void SetValues(int index, int value);
    float Ratios(int index) const;

    // The one loop of every row. `Lengths` has Count(), Read(index) and Write(index, value).
    // Whether it remembers exactly the lengths `lengths` holds, each as last applied.
    template <typename Lengths> bool Unchanged(const Lengths& lengths) const
    {
        if (Count() != lengths.Count())
            return false;
        for (int index = 0; index < Count(); ++index)
            if (lengths.Read(index) != Values(index))
                return false;
        return true;
    }
    // Takes the ratio of every length to `dimension`, afresh.
    template <typename Lengths> void Take(const Lengths& lengths, int dimension)
    {
        Clear();
        for (int index = 0; index < lengths.Count(); ++index)
            entries_.emplace_back().Take(lengths.Read(index), dimension);
    }
    // Sets every length still there for `dimension`; one removed since has none to set.
    template <typename Lengths> void Apply(Lengths& lengths, int dimension) const
    {
        for (int index = 0; index < std::min(Count(), lengths.Count()); ++index)
            lengths.Write(index, Entry(index).For(dimension));
    }
    // Notes what the control kept of each length, which may not be what it was given.
    template <typename Lengths> void Note(const Lengths& lengths)
    {
        for (int index = 0; index < std::min(Count(), lengths.Count()); ++index)
            SetValues(index, lengths.Read(index));
    }

private:
    bool InRange(int index) const;
    const TMRLength& Entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }

    std::vector<TMRLength> entries_;
};

// What the header handler remembers of one section: its Width, MinWidth and MaxWidth as the
// header kept them after the last apply, and the ratio of each to the client width.
struct STUDIOCLOCK_RESIZER_EXPORT TMRLSection {
    int LastWidth = 0;
    int LastMinWidth = 0;
    int LastMaxWidth = 0;
    float WidthRatio = 0.0F;
    float MinWidthRatio = 0.0F;
    float MaxWidthRatio = 0.0F;
};

// The remembered sections, in the header's order.
class STUDIOCLOCK_RESIZER_EXPORT TMRLSections {
public:
    // Appends a section with everything at zero and returns it.
    TMRLSection& Add();
    void Clear();
    int Count() const;
    // The section at `index`, 0 <= index < Count(); any other index raises framework::ERangeError.
    TMRLSection& Items(int index);
    const TMRLSection& Items(int index) const;

private:
    std::size_t Checked(int index) const;

    std::vector<TMRLSection> sections_;
};

}  // namespace resizer
