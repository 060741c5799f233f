#pragma once

#include <type_traits>

namespace framework {

// The setter of a design-time property stores a new value and then does what the change needs (a
// repaint, a new layout, an event), but nothing at all for the value the property already holds:
//     if (SetIfChanged(caption_, value))
//         update();
// Stores `value` in `field` and returns whether that changed the field. The field alone gives the
// type; the value converts to it.
template <typename T> bool SetIfChanged(T& field, const std::common_type_t<T>& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

}  // namespace framework
