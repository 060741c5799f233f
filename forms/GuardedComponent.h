#pragma once

#include "forms/Export.h"
#include "forms/RefusedValue.h"

#include <QMetaObject>

class QObject;
class QWidget;

namespace forms {

namespace detail {

// Runs `write`, a meta-object write of property `propertyIndex` of `object` whose new value is
// `arguments[0]`. When the component raises, the write reports failure and `refused` is told
// instead; the property keeps the value it had, as a component checks a value before storing it.
STUDIOCLOCK_FORMS_EXPORT int WriteOrRefuse(QObject& object, int propertyIndex, void** arguments,
    const RefusalHandler& refused, const std::function<int()>& write);

}  // namespace detail

// A component as a form holds it. Designer and QUiLoader set its properties through Qt's meta-object
// calls, from code that cannot take an exception: a value the component refuses (out of range, not
// one of its names) would end the program there. Here such a value is dropped, the property keeps
// the value it had, and the handler is told why.
template <typename Component> class GuardedComponent final : public Component {
public:
    GuardedComponent(QWidget* parent, RefusalHandler refused)
        : Component(parent)
        , refused_(std::move(refused))
    {
    }

    int qt_metacall(QMetaObject::Call call, int id, void** arguments) override
    {
        if (call != QMetaObject::WriteProperty)
            return Component::qt_metacall(call, id, arguments);
        return detail::WriteOrRefuse(
            *this, id, arguments, refused_, [&] { return Component::qt_metacall(call, id, arguments); });
    }

private:
    RefusalHandler refused_;
};

}  // namespace forms
