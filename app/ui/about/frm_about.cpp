#include "about/frm_about.h"

#include <exception>
#include "about/about_parts.h"
#include "about/about_resources.h"
#include "run_report/busy_pointer.h"
#include "child_controls.h"
#include "control_ids.h"
#include "dialog_class.h"
#include "error.h"
#include "font.h"
#include "describe_failure.h"
#include "window_placement.h"

namespace {

constexpr wchar_t kClassName[] = L"ScourwayAbout";
constexpr wchar_t kProgramTitle[] = L"Scourway";
constexpr wchar_t kLinkLead[] = L"Click here to visit  ";
constexpr wchar_t kNotice[] =
    L"Scourway is freeware. You may pass it on freely, as long as no file is "
    L"changed and none is left out.\r\n\r\n"
    L"I wrote it to keep my own disks clear of leftover clutter, and I hope it "
    L"does the same for yours.   Ansel Corrigan";

// The window's client area and the etched separator above its bottom row, in twips.
constexpr int kClientWidth = 5745;
constexpr int kClientHeight = 2880;
constexpr int kSeparatorRight = 5654;
constexpr win32::TwipsRect kOkButton{4440, 2460, 1140, 345};
constexpr int kMargin = 120;
struct SeparatorLine {
    int left, top, thickness;  // thickness in pixels
    COLORREF colour;
};
constexpr SeparatorLine kSeparator[] = {{90, 2325, 1, RGB(128, 128, 128)},
                                        {105, 2340, 2, RGB(255, 255, 255)}};

constexpr COLORREF kTitleColour = RGB(128, 0, 0);
constexpr COLORREF kLinkColour = RGB(0, 0, 192);
constexpr COLORREF kTextColour = RGB(0, 0, 0);

void ReportFailure(HWND owner, const std::wstring& text) {
    ::MessageBoxW(owner, text.c_str(), kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void frmAbout::ShowModal(HWND owner) noexcept {
    try {
        frmAbout form(owner);
        form.RunModal();
    } catch (const std::exception& failure) {
        ReportFailure(owner, DescribeFailure(failure));
    }
}

frmAbout::frmAbout(HWND owner)
    : owner_(owner), dpi_(win32::ScreenDpi()) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    hand_ = ::LoadCursorW(instance, MAKEINTRESOURCEW(IDC_ABOUT_HAND));
    if (!hand_) win32::ThrowLastError();
    picture_ = about::LoadPictureResource(instance, IDR_ABOUT_PRODUCT_JPEG);
    normalFont_ = win32::MakeFont(L"MS Sans Serif", 825, dpi_.y);
    boldFont_ = win32::MakeFont(L"MS Sans Serif", 825, dpi_.y, {true});
    linkFont_ = win32::MakeFont(L"MS Sans Serif", 825, dpi_.y, {true, true});
    titleFont_ = win32::MakeFont(L"Arial", 1575, dpi_.y);
    win32::RegisterDialogClass(instance, kClassName);
}

// Owned by the main window: no taskbar entry, always above its owner, which the
// dialog manager disables until the window closes and then activates again.
void frmAbout::RunModal() {
    const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner_,
                                             DialogProc, reinterpret_cast<LPARAM>(this));
    if (initFailure_) std::rethrow_exception(initFailure_);
    if (result == -1) win32::ThrowLastError(kClassName);
}

// A failure closes the window before it is ever shown; RunModal throws it.
BOOL frmAbout::OnInitDialog() {
    try {
        win32::SetClientSizeInTwips(hwnd_, kClientWidth, kClientHeight, dpi_);
        CopyOwnerIcons();
        CreateControls();
        Form_Load();
        // The link ends just before the OK button; the version label before the right edge.
        win32::WidenToText(lblDisclaimer_, PixelsX(kOkButton.left - kMargin / 2));
        win32::WidenToText(lblVersion_, PixelsX(kClientWidth - kMargin));
        win32::CentreWindowOn(hwnd_, owner_);
        ::SendMessageW(hwnd_, DM_SETDEFID, IDC_ABOUT_OK, 0);
    } catch (...) {
        initFailure_ = std::current_exception();
        ::EndDialog(hwnd_, IDABORT);
    }
    return TRUE;   // the focus goes to the first tab stop, cmdOK
}

// The About window carries the program's picture, as its owner does.
void frmAbout::CopyOwnerIcons() {
    if (!owner_) return;
    for (WPARAM size : {ICON_BIG, ICON_SMALL}) {
        auto icon = ::SendMessageW(owner_, WM_GETICON, size, 0);
        if (!icon) icon = static_cast<LRESULT>(
                       ::GetClassLongPtrW(owner_, size == ICON_BIG ? GCLP_HICON : GCLP_HICONSM));
        ::SendMessageW(hwnd_, WM_SETICON, size, icon);
    }
}

// In tab order. The link's text, built from the site's address, is set once it exists.
enum AboutFont : std::size_t { kNormal, kBold, kLink, kTitle };
constexpr win32::ChildControl kAboutControls[] = {
    {IDC_ABOUT_OK, L"BUTTON", L"OK", kOkButton, WS_TABSTOP | BS_DEFPUSHBUTTON, 0, kNormal},
    {IDC_ABOUT_PICICON, L"STATIC", L"", {180, 195, 1305, 1845}, SS_BITMAP | SS_NOTIFY, WS_EX_CLIENTEDGE, kNormal},
    {IDC_ABOUT_DESCRIPTION, L"STATIC", kNotice, {1680, 900, 3885, 1410}, SS_LEFT | SS_NOPREFIX, 0, kNormal},
    {IDC_ABOUT_DISCLAIMER, L"STATIC", L"", {180, 2520, 3720, 195}, SS_LEFTNOWORDWRAP | SS_NOTIFY | SS_NOPREFIX, 0,
     kLink},
    {IDC_ABOUT_TITLE, L"STATIC", L"Application Title", {1650, 120, 2190, 360}, SS_LEFT, 0, kTitle},
    {IDC_ABOUT_VERSION, L"STATIC", L"Version", {1680, 540, 645, 195}, SS_LEFTNOWORDWRAP, 0, kBold},
};

void frmAbout::CreateControls() {
    const HFONT fonts[] = {win32::AsFont(normalFont_), win32::AsFont(boldFont_), win32::AsFont(linkFont_),
                           win32::AsFont(titleFont_)};
    win32::CreateChildControls(hwnd_, kAboutControls, fonts, dpi_);
    picIcon_ = ::GetDlgItem(hwnd_, IDC_ABOUT_PICICON);
    lblDisclaimer_ = ::GetDlgItem(hwnd_, IDC_ABOUT_DISCLAIMER);
    lblTitle_ = ::GetDlgItem(hwnd_, IDC_ABOUT_TITLE);
    lblVersion_ = ::GetDlgItem(hwnd_, IDC_ABOUT_VERSION);
    ::SetWindowTextW(lblDisclaimer_, (std::wstring(kLinkLead) + kProductWebAddress).c_str());
    ShowPicture();
}

// The picture box takes the picture's own size plus its sunken border.
void frmAbout::ShowPicture() {
    OLE_HANDLE handle = 0;
    win32::ThrowIfFailed(picture_->get_Handle(&handle));
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    ::SendMessageW(picIcon_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    BITMAP info{};
    if (!::GetObjectW(bitmap, sizeof info, &info)) win32::ThrowLastError();
    const int border = ::GetSystemMetrics(SM_CXEDGE);
    ::SetWindowPos(picIcon_, nullptr, 0, 0, info.bmWidth + 2 * border, info.bmHeight + 2 * border,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmAbout::Form_Load() {
    ::SetWindowTextW(hwnd_, (std::wstring(L"About ") + kProgramTitle).c_str());
    ::SetWindowTextW(lblVersion_, about::VersionLabel(about::OwnFileVersion()).c_str());
    ::SetWindowTextW(lblTitle_, kProgramTitle);
}

// Unload: the dialog manager enables the owner first, so that it is the window
// activated next.
void frmAbout::cmdOK_Click() { ::EndDialog(hwnd_, IDOK); }

// A site the shell cannot open is said in a box; the window stays open.
void frmAbout::OpenProductSite() {
    try {
        about::OpenDocument(kProductWebAddress);
    } catch (const win32::Error& error) {
        ReportFailure(hwnd_, error.Describe());
    }
}

void frmAbout::lblDisclaimer_Click() { OpenProductSite(); }
void frmAbout::picIcon_Click() { OpenProductSite(); }

void frmAbout::OnCommand(int id, int code) {
    switch (id) {
    case IDC_ABOUT_OK:
    case IDOK:       // Enter
    case IDCANCEL:   // Esc
        if (code == BN_CLICKED) cmdOK_Click();
        break;
    case IDC_ABOUT_DISCLAIMER:
        if (code == STN_CLICKED) lblDisclaimer_Click();
        break;
    case IDC_ABOUT_PICICON:
        if (code == STN_CLICKED) picIcon_Click();
        break;
    default:
        break;
    }
}

void frmAbout::OnPaint() const {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    PaintSeparator(dc);
    ::EndPaint(hwnd_, &ps);
}

void frmAbout::PaintSeparator(HDC dc) const {
    for (const SeparatorLine& line : kSeparator) {
        const int top = PixelsY(line.top);
        RECT r{PixelsX(line.left), top, PixelsX(kSeparatorRight), top + line.thickness};
        ::SetBkColor(dc, line.colour);
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    }
}

LRESULT frmAbout::OnColorStatic(HDC dc, HWND control) const {
    COLORREF colour = control == lblTitle_        ? kTitleColour
                      : control == lblDisclaimer_ ? kLinkColour
                                                  : kTextColour;
    ::SetTextColor(dc, colour);
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

// Opened during a delete run, the window shows the run's hourglass too; else
// the hand over the picture and the link.
BOOL frmAbout::OnSetCursor(HWND over, UINT hitTest) const {
    if (!BusyPointer::OnSetCursor()) {
        if (hitTest != HTCLIENT || (over != picIcon_ && over != lblDisclaimer_)) return FALSE;
        ::SetCursor(hand_);
    }
    ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

INT_PTR frmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        cmdOK_Click();
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return static_cast<INT_PTR>(OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_SETCURSOR:
        return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
    case WM_PAINT:
        OnPaint();
        return TRUE;
    default:
        return FALSE;
    }
}
