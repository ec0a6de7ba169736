#pragma once
// One owner per kind of platform handle: a move-only wrapper that closes its
// handle with the one function its traits name.
#include <windows.h>

#include <utility>

namespace win32 {

template <class Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Type get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    Type release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Type handle = Traits::Invalid()) noexcept {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = handle;
    }
    // For calls that hand a new handle back through an out parameter.
    Type* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Type handle_ = Traits::Invalid();
};

// Traits of a handle whose "none" is null, closed by one function.
template <class Handle, auto CloseFunction>
struct ClosedBy {
    using Type = Handle;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type handle) noexcept { CloseFunction(handle); }
};

// Traits of a handle closed together with the value it belongs to, by
// CloseFunction(context, handle): a DC with its window, a selection with its DC.
// "None" is a null handle.
template <class Context, class Handle, auto CloseFunction>
struct ClosedWith {
    struct Type {
        Context context;
        Handle handle;
        friend bool operator!=(Type a, Type b) noexcept { return a.handle != b.handle; }
    };
    static Type Invalid() noexcept { return {}; }
    static void Close(Type value) noexcept { CloseFunction(value.context, value.handle); }
};

// Traits of a handle whose "none" is INVALID_HANDLE_VALUE (files, find handles).
template <auto CloseFunction>
struct InvalidValueClosedBy {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) noexcept { CloseFunction(handle); }
};

using FileHandle = UniqueHandle<InvalidValueClosedBy<&::CloseHandle>>;
using FindHandle = UniqueHandle<InvalidValueClosedBy<&::FindClose>>;
// Processes, threads, events, mappings.
using KernelHandle = UniqueHandle<ClosedBy<HANDLE, &::CloseHandle>>;
using RegKey = UniqueHandle<ClosedBy<HKEY, &::RegCloseKey>>;
using OwnedWindow = UniqueHandle<ClosedBy<HWND, &::DestroyWindow>>;
using GdiObject = UniqueHandle<ClosedBy<HGDIOBJ, &::DeleteObject>>;
using Icon = UniqueHandle<ClosedBy<HICON, &::DestroyIcon>>;
using Cursor = UniqueHandle<ClosedBy<HCURSOR, &::DestroyCursor>>;
using GlobalMemory = UniqueHandle<ClosedBy<HGLOBAL, &::GlobalFree>>;

inline HFONT AsFont(const GdiObject& font) { return static_cast<HFONT>(font.get()); }

}  // namespace win32
