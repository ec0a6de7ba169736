// One owner per handle kind: closes the handle when the owner goes away.
#pragma once

#include <windows.h>

#include <utility>

namespace tollen {

template <class Traits>
class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    pointer get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != pointer{}; }

    pointer release() noexcept { return std::exchange(handle_, pointer{}); }
    void reset(pointer handle = pointer{}) noexcept {
        if (handle_ != pointer{}) Traits::close(handle_);
        handle_ = handle;
    }
    // For APIs that hand a new handle back through an out parameter.
    pointer* put() noexcept {
        reset();
        return &handle_;
    }

private:
    pointer handle_{};
};

// Traits for a handle closed by one function of the platform.
template <class Handle, auto Close>
struct ClosedBy {
    using pointer = Handle;
    static void close(Handle handle) noexcept { Close(handle); }
};

using UniqueHKey = UniqueHandle<ClosedBy<HKEY, &::RegCloseKey>>;
using UniqueWindow = UniqueHandle<ClosedBy<HWND, &::DestroyWindow>>;
using UniqueGdiObject = UniqueHandle<ClosedBy<HGDIOBJ, &::DeleteObject>>;
using UniqueIcon = UniqueHandle<ClosedBy<HICON, &::DestroyIcon>>;
using UniqueCursor = UniqueHandle<ClosedBy<HCURSOR, &::DestroyCursor>>;
using UniqueGlobal = UniqueHandle<ClosedBy<HGLOBAL, &::GlobalFree>>;

}  // namespace tollen
