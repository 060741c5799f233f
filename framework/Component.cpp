#include "framework/Component.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace framework {

namespace {

struct Reading {
    std::vector<Component*> components;  // creation order; nullptr once destroyed
    bool enlisting = true;               // false while the Loaded calls run
};

// The readings in progress, innermost last (a Loaded may read a nested layout). GUI thread only,
// like every layout.
std::vector<std::unique_ptr<Reading>>& ActiveReadings()
{
    static std::vector<std::unique_ptr<Reading>> readings;
    return readings;
}

int madeInCode = 0;  // nesting depth of LayoutReading::MadeInCode

}  // namespace

LayoutReading::MadeInCode::MadeInCode()
{
    ++madeInCode;
}

LayoutReading::MadeInCode::~MadeInCode()
{
    --madeInCode;
}

struct Component::Private {
    ComponentState state;
};

Component::Component()
    : d(std::make_unique<Private>())
{
    LayoutReading::Enlist(this);
}

Component::~Component()
{
    LayoutReading::Withdraw(this);
}

ComponentState Component::State() const
{
    return d->state;
}

bool Component::IsLoading() const
{
    return d->state.testFlag(csLoading);
}

bool Component::IsReading() const
{
    return d->state.testFlag(csReading);
}

bool Component::IsDesigning() const
{
    return d->state.testFlag(csDesigning);
}

void Component::SetDesigning(bool designing)
{
    d->state.setFlag(csDesigning, designing);
}

void Component::Loaded()
{
    d->state.setFlag(csLoading, false);
}

void LayoutReading::Enlist(Component* component)
{
    const auto& readings = ActiveReadings();
    if (readings.empty() || !readings.back()->enlisting || madeInCode > 0)
        return;
    readings.back()->components.push_back(component);
    component->d->state |= csLoading | csReading;
}

void LayoutReading::Withdraw(Component* component)
{
    // A component destroyed before its reading ends must not get a Loaded call.
    for (auto& reading : ActiveReadings())
        std::replace(reading->components.begin(), reading->components.end(), component,
            static_cast<Component*>(nullptr));
}

void LayoutReading::Read(const std::function<void()>& read, Component* root)
{
    auto& readings = ActiveReadings();
    readings.push_back(std::make_unique<Reading>());
    Reading& reading = *readings.back();
    if (root)
        Enlist(root);

    // Runs on every path: no component stays loading once its reading is over.
    struct Finish {
        Reading& reading;
        ~Finish()
        {
            for (Component* c : reading.components)
                if (c)
                    c->d->state &= ~ComponentState(csLoading | csReading);
            ActiveReadings().pop_back();
        }
    } finish{reading};

    read();
    reading.enlisting = false;
    for (Component* c : reading.components)
        if (c)
            c->d->state.setFlag(csReading, false);
    // Each entry is read at its turn: a Loaded may destroy a later component, which then reads as
    // nullptr. Nothing is appended any more, so the list does not move.
    for (Component* c : reading.components)
        if (c)
            c->Loaded();
}

}  // namespace framework
