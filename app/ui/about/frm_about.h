#pragma once
// frmAbout: the program's title, version, distribution notice, picture and a
// link to the product's web site. Modal over the main window; each opening is
// a fresh window whose Form_Load computes what it shows.
#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>
#include <exception>
#include <string>
#include "handle_owners.h"
#include "twips.h"
#include "window_base.h"

// The product's web site: shown in the link text and opened by its clicks.
inline constexpr wchar_t kProductWebAddress[] = L"https://scourway.example";

class frmAbout : public win32::BaseWindow<frmAbout> {
public:
    // Loads the window over owner, runs it modally (the dialog manager disables
    // the owner meanwhile) and returns once it has closed. Failures are reported
    // in a box.
    static void ShowModal(HWND owner) noexcept;

    // Asks the shell to open DocName with the show command intState; the value
    // ShellExecuteA returned (above 32 means success). The two platform entry
    // points are bound by name at the first call. Throws win32::Error when they
    // cannot be found.
    static LONG StartDoc(const std::wstring& DocName, SHORT intState);

private:
    friend class win32::BaseWindow<frmAbout>;
    explicit frmAbout(HWND owner);

    void Form_Load();
    void cmdOK_Click();
    void lblDisclaimer_Click();
    void picIcon_Click();

    void RunModal();
    BOOL OnInitDialog();
    void CopyOwnerIcons();
    void CreateControls();
    void ShowPicture();
    void OnPaint() const;
    void PaintSeparator(HDC dc) const;
    LRESULT OnColorStatic(HDC dc, HWND control) const;
    BOOL OnSetCursor(HWND over, UINT hitTest) const;
    void OnCommand(int id, int code);
    void OpenProductSite();

    int PixelsX(int twips) const { return win32::TwipsToPixels(twips, dpi_.x); }
    int PixelsY(int twips) const { return win32::TwipsToPixels(twips, dpi_.y); }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND owner_;
    win32::Dpi dpi_;
    HCURSOR hand_;
    Microsoft::WRL::ComPtr<IPicture> picture_;
    win32::GdiObject normalFont_, boldFont_, linkFont_, titleFont_;
    HWND picIcon_ = nullptr;
    HWND lblDisclaimer_ = nullptr;
    HWND lblTitle_ = nullptr;
    HWND lblVersion_ = nullptr;
    std::exception_ptr initFailure_;
};
