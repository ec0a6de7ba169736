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

struct RegistryKeyTraits {
    using pointer = HKEY;
    static void close(HKEY key) noexcept { ::RegCloseKey(key); }
};
struct WindowTraits {
    using pointer = HWND;
    static void close(HWND window) noexcept { ::DestroyWindow(window); }
};
struct GdiObjectTraits {
    using pointer = HGDIOBJ;
    static void close(HGDIOBJ object) noexcept { ::DeleteObject(object); }
};
struct IconTraits {
    using pointer = HICON;
    static void close(HICON icon) noexcept { ::DestroyIcon(icon); }
};
struct CursorTraits {
    using pointer = HCURSOR;
    static void close(HCURSOR cursor) noexcept { ::DestroyCursor(cursor); }
};
struct GlobalMemoryTraits {
    using pointer = HGLOBAL;
    static void close(HGLOBAL memory) noexcept { ::GlobalFree(memory); }
};

using UniqueHKey = UniqueHandle<RegistryKeyTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueCursor = UniqueHandle<CursorTraits>;
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;

}  // namespace tollen
