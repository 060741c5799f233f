#pragma once

#include "forms/Export.h"

#include <QString>
#include <functional>

namespace forms {

// A value a component of a form refused, or a component that failed to finish loading, with the
// component's own reason: what a person needs to mend the form.
struct STUDIOCLOCK_FORMS_EXPORT RefusedValue {
    QString widget;    // the component's object name
    QString property;  // empty when the component failed as a whole
    QString value;     // as the form or the editor gave it
    QString reason;    // the component's message ("Range check error")
    QString allowed;   // the values that fit, when the component said ("0 to 23")

    // "ledClock: Hours cannot be 24 (Range check error; allowed: 0 to 23)"
    QString Message() const;
    // Reports it as a warning, when nobody who asked to be told is there any more.
    void Warn() const;
};

// Told of each value a component refuses.
using RefusalHandler = std::function<void(const RefusedValue&)>;

}  // namespace forms
