#pragma once
// Small helpers the engine tests share.
#include <initializer_list>
#include <optional>
#include "pattern_list.h"
#include "error.h"

namespace enginetest {

// A pattern list numbered 1, 2, 3 as a load would number it.
inline modMain::FileCollection ListOf(std::initializer_list<const wchar_t*> paths) {
    modMain::FileCollection list;
    for (const wchar_t* path : paths) {
        const int32_t key = list.NextKey();
        list.Add(modMain::cFileItem{path, key}, modMain::FileCollection::KeyText(key));
    }
    return list;
}

// The win32::Error the action throws, or nothing when it succeeds.
template <typename Action>
std::optional<win32::Error> FailureOf(Action action) {
    try {
        action();
    } catch (const win32::Error& failure) {
        return failure;
    }
    return std::nullopt;
}

}  // namespace enginetest
