#pragma once

#include "framework/Export.h"

#include <QFlags>
#include <functional>
#include <memory>

// Component states of a stored layout: a component created while a layout is read is "loading"
// (and "reading" while its values arrive) until its Loaded runs; a component open in a designer is
// "designing". Every framework control and display component carries this.
namespace framework {

enum ComponentStateFlag { csLoading = 0x1, csReading = 0x2, csDesigning = 0x4 };
Q_DECLARE_FLAGS(ComponentState, ComponentStateFlag)

class STUDIOCLOCK_FRAMEWORK_EXPORT Component {
public:
    Component();
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    ComponentState State() const;
    bool IsLoading() const;
    bool IsReading() const;
    bool IsDesigning() const;
    void SetDesigning(bool designing);

    // Runs once after every value of the stored layout has been applied. Overrides call the
    // inherited Loaded first: it ends the loading state.
    virtual void Loaded();

private:
    friend class LayoutReading;
    struct Private;
    std::unique_ptr<Private> d;
};

// Reads a stored layout: every component created inside `read` (and `root`, if given, first) is
// loading while it runs; afterwards each one's Loaded runs in creation order. If `read` or a Loaded
// raises, the remaining components leave the loading state and the error passes on.
class STUDIOCLOCK_FRAMEWORK_EXPORT LayoutReading {
public:
    static void Read(const std::function<void()>& read, Component* root = nullptr);

    // Components a component makes for itself while a layout is read (a clock's timer) are not
    // part of the layout: they never load and get no Loaded call. Hold one of these meanwhile.
    class MadeInCode {
    public:
        MadeInCode();
        ~MadeInCode();
        MadeInCode(const MadeInCode&) = delete;
        MadeInCode& operator=(const MadeInCode&) = delete;
    };

private:
    friend class Component;
    static void Enlist(Component* component);
    static void Withdraw(Component* component);
};

}  // namespace framework

Q_DECLARE_OPERATORS_FOR_FLAGS(framework::ComponentState)
