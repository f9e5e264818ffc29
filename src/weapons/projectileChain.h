// Loops over the singly linked projectile lists, kept iterative so that no list length can exhaust the stack.
#pragma once

// Visits every element of the chain that starts at `first`, tail first, and
// frees (after its visit) each element for which `finished` answers true.
// Returns the new first element; the survivors keep their order. `link` names
// the owning next-pointer of T. Elements are detached before they are deleted,
// so a destructor that frees its own tail frees nothing more.
template <class T, class Visit, class Finished>
T* visitTailFirst(T* first, T* T::*link, Visit visit, Finished finished) {
    T* reversed = nullptr;
    while (first) {
        T* following = first->*link;
        first->*link = reversed;
        reversed = first;
        first = following;
    }
    T* kept = nullptr;
    while (reversed) {
        T* towardsHead = reversed->*link;
        visit(reversed);
        if (finished(reversed)) {
            reversed->*link = nullptr;
            delete reversed;
        } else {
            reversed->*link = kept;
            kept = reversed;
        }
        reversed = towardsHead;
    }
    return kept;
}

// Frees every element of the chain that starts at `first`.
template <class T>
void freeChain(T* first, T* T::*link) {
    while (first) {
        T* following = first->*link;
        first->*link = nullptr;
        delete first;
        first = following;
    }
}
