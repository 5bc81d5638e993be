#pragma once

#include <memory>
#include <vector>

// A growable array that owns its objects, in list order. Objects refer to one
// another by index into such an array (−1 = none).
template <class T>
using ObjectArray = std::vector<std::unique_ptr<T>>;

// Deep copy: new objects with equal field values.
template <class T>
ObjectArray<T> cloneArray(const ObjectArray<T>& source)
{
    ObjectArray<T> copy;
    copy.reserve(source.size());
    for (const auto& object : source)
        copy.push_back(std::make_unique<T>(*object));
    return copy;
}

// Appends a copy of every object of source to target.
template <class T>
void appendCopies(ObjectArray<T>& target, const ObjectArray<T>& source)
{
    for (const auto& object : source)
        target.push_back(std::make_unique<T>(*object));
}
