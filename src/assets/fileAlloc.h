// Memory sized by a file's counts: the loaders ask for it here, so that a refusal is answered with false, never an exception, and tests can make it fail.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

namespace fileAlloc {

// Largest request granted, in bytes; unlimited by default. Tests lower it to
// make a loader's allocation fail as an exhausted memory would.
void setLimit(size_t bytes);
size_t getLimit();

// v := n copies of value. False, with v emptied, when the memory is refused.
template <typename T>
bool assign(std::vector<T>& v, size_t n, const T& value) {
    try {
        if (n > getLimit() / sizeof(T)) throw std::bad_alloc();
        v.assign(n, value);
        return true;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    std::vector<T>().swap(v);
    return false;
}

// p := a fresh array of n default elements; false (p untouched) when refused.
template <typename T>
bool array(std::unique_ptr<T[]>& p, size_t n) {
    if (n > getLimit() / sizeof(T)) return false;
    T* fresh = new (std::nothrow) T[n];
    if (!fresh) return false;
    p.reset(fresh);
    return true;
}

}  // namespace fileAlloc
