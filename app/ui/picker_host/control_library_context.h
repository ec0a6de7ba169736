#pragma once
// Tollen.ocx beside the program needs no registration. The program carries a
// declaration of the library's control class and type library (the manifest
// resource IDR_TOLLEN_MANIFEST, made from the IDL), and Pathwick1 is created while
// that declaration is the active activation context, so the ProgID and the class
// resolve to the file beside the program.
//
// The declaration is activated only when the file is there: COM does not fall
// back to the registry for a declared class whose file is missing, so without the
// file the registered library is used as before.
#include <windows.h>
#include "handle_owners.h"

inline constexpr wchar_t kControlLibraryFile[] = L"Tollen.ocx";

using ActivationContext = win32::UniqueHandle<win32::InvalidValueClosedBy<&::ReleaseActCtx>>;

class ControlLibraryContext {
public:
    // Activates the program's declaration when Tollen.ocx is a file beside the
    // program (where the declared file is looked for); does nothing otherwise.
    // Throws win32::Error naming the file.
    ControlLibraryContext();
    ~ControlLibraryContext();
    ControlLibraryContext(const ControlLibraryContext&) = delete;
    ControlLibraryContext& operator=(const ControlLibraryContext&) = delete;

    bool Active() const noexcept { return activated_; }

private:
    ActivationContext context_;
    ULONG_PTR cookie_ = 0;
    bool activated_ = false;
};
