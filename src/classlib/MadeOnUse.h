// TMadeOnUse: a window or part of one that is made the first time it is
// used instead of at start. Most runs never open it, and making its controls
// costs the start time the user waits through. Reaching it (->, *, or as a
// pointer) makes it; Made() only looks.
#pragma once

#include <functional>
#include <utility>

template <class T>
class TMadeOnUse {
public:
    TMadeOnUse() = default;
    TMadeOnUse(const TMadeOnUse&) = delete;
    TMadeOnUse& operator=(const TMadeOnUse&) = delete;

    // How it is made, with the state the program has when it is; the maker
    // owns what it makes (or hands it to an owner).
    void SetMaker(std::function<T*()> make) { fMake = std::move(make); }
    // The part if it was made; none before its first use.
    T* Made() const { return fMade; }
    T* Get()
    {
        // A use while it is being made finds none rather than a second one.
        if (!fMade && fMake && !fMaking) {
            fMaking = true;
            struct TDone {
                bool& Flag;
                ~TDone() { Flag = false; }
            } done{fMaking};
            fMade = fMake();
        }
        return fMade;
    }
    T* operator->() { return Get(); }
    T& operator*() { return *Get(); }
    operator T*() { return Get(); }
    // Its owner freed it (or is about to): nothing is made after this.
    void Forget()
    {
        fMade = nullptr;
        fMake = nullptr;
    }

private:
    std::function<T*()> fMake;
    T* fMade = nullptr;
    bool fMaking = false;
};
