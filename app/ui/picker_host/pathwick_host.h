#pragma once
// Hosting Pathwick1: the main window creates the control by its programmatic
// identifier, gives it a client site of ours (the control asks for the site
// before it loads), loads its stored properties and size, and never shows it:
// it is invisible at run time. The site leads the control to the form object,
// whose "hwnd" owns the folder dialog.
#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>
#include <memory>
#include <optional>
#include <string>
#include "picker_host/pathwick_client.h"

inline constexpr wchar_t kPathwickProgId[] = L"Tollen.Pathwick";

class PathwickHost {
public:
    // OLE is initialised for this thread for as long as the host lives.
    // Throws win32::Error when the control library cannot be loaded or the control
    // refuses its site, its properties or its size.
    explicit PathwickHost(HWND form, const wchar_t* progId = kPathwickProgId);
    ~PathwickHost();
    PathwickHost(const PathwickHost&) = delete;
    PathwickHost& operator=(const PathwickHost&) = delete;

    PathwickClient& control() { return *control_; }

private:
    struct OleSession {
        OleSession();
        ~OleSession();
    };

    void Close() noexcept;

    OleSession ole_;
    Microsoft::WRL::ComPtr<IOleObject> object_;
    std::optional<PathwickClient> control_;
};

// Pathwick1 for the main window. When it cannot be created, the win32::Error (same
// HRESULT) describes that as the start-up report: "The folder picker could not
// be created." and then the platform's description of why.
std::unique_ptr<PathwickHost> CreatePathwick1(HWND form, const wchar_t* progId = kPathwickProgId);
