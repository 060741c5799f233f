#include "resizer/LValues.h"

namespace resizer {

int TMRLValues::Add(int value, float ratio)
{
    if (!entries_)
        entries_ = std::make_unique<std::vector<Entry>>();
    entries_->push_back({value, ratio});
    return static_cast<int>(entries_->size()) - 1;
}

void TMRLValues::Clear()
{
    if (entries_)
        entries_->clear();
}

int TMRLValues::Count() const
{
    return entries_ ? static_cast<int>(entries_->size()) : 0;
}

bool TMRLValues::InRange(int index) const
{
    return index >= 0 && index < Count();
}

int TMRLValues::Values(int index) const
{
    return InRange(index) ? (*entries_)[static_cast<std::size_t>(index)].value : 0;
}

void TMRLValues::SetValues(int index, int value)
{
    if (InRange(index))
        (*entries_)[static_cast<std::size_t>(index)].value = value;
}

float TMRLValues::Ratios(int index) const
{
    return InRange(index) ? (*entries_)[static_cast<std::size_t>(index)].ratio : 0.0F;
}

}  // namespace resizer
