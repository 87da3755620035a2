// What every door of the class layer shares: a process-wide target that a
// test may replace (the modal responder, the shell's doors, the clipboard's
// open), and the scope that puts the previous target back on every exit.
#pragma once

#include <utility>

// Puts Target in Slot and returns what was there.
template <class F>
F Door_Replace(F& slot, F target)
{
    F old = std::move(slot);
    slot = std::move(target);
    return old;
}

// Installs a target through the door's own setter for the object's lifetime.
template <class F, F (*Set)(F)>
class TDoorScope {
public:
    explicit TDoorScope(F target) : fPrevious(Set(std::move(target))) {}
    ~TDoorScope() { Set(std::move(fPrevious)); }
    TDoorScope(const TDoorScope&) = delete;
    TDoorScope& operator=(const TDoorScope&) = delete;

private:
    F fPrevious;
};
