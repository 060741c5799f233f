#include "resizer/LValues.h"

#include "framework/Exceptions.h"
#include "resizer/PropertyHandler.h"

namespace resizer {

void TMRLength::Take(int value, int dimension)
{
    ratio = PropertyRatio(value, dimension);
}

int TMRLength::For(int dimension) const
{
    return ScaledLength(ratio, dimension);
}

int TMRLValues::Add(int value, float ratio)
{
    entries_.push_back({value, ratio});
    return Count() - 1;
}

void TMRLValues::Clear()
{
    entries_.clear();
}

int TMRLValues::Count() const
{
    return static_cast<int>(entries_.size());
}

bool TMRLValues::InRange(int index) const
{
    return index >= 0 && index < Count();
}

int TMRLValues::Values(int index) const
{
    return InRange(index) ? Entry(index).last : 0;
}

void TMRLValues::SetValues(int index, int value)
{
    if (InRange(index))
        entries_[static_cast<std::size_t>(index)].last = value;
}

float TMRLValues::Ratios(int index) const
{
    return InRange(index) ? Entry(index).ratio : 0.0F;
}

TMRLSection& TMRLSections::Add()
{
    return sections_.emplace_back();
}

void TMRLSections::Clear()
{
    sections_.clear();
}

int TMRLSections::Count() const
{
    return static_cast<int>(sections_.size());
}

TMRLSection& TMRLSections::Items(int index)
{
    return sections_[Checked(index)];
}

const TMRLSection& TMRLSections::Items(int index) const
{
    return sections_[Checked(index)];
}

std::size_t TMRLSections::Checked(int index) const
{
    if (index < 0 || index >= Count())
        throw framework::ERangeError();
    return static_cast<std::size_t>(index);
}

}  // namespace resizer
