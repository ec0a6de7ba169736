#include "about_box.h"

#include "com_boundary.h"
#include "control_extent.h"
#include "font.h"
#include "module_lifetime.h"
#include "picture_render.h"
#include "tollen_resource_ids.h"
#include "resource_picture.h"
#include "text_conversion.h"
#include "shell_open.h"
#include "system_message.h"
#include "child_controls.h"
#include "handle_owners.h"
#include "version_block.h"
#include "window_base.h"

#include <wrl/client.h>

#include <iterator>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace tollen {
namespace {

// 197 characters.
constexpr wchar_t CopyrightWarning[] =
    L"Be warned: this program is protected by copyright law and international treaties. Unauthorised "
    L"reproduction or distribution of it, or of any part, may result in severe civil and criminal penalties.";
static_assert(std::size(CopyrightWarning) - 1 == 197, "the warning's length");

constexpr wchar_t LibraryTitle[] = L"Pathwick";
constexpr char MakerAddress[] = "http://mlabs.example/";

// Layout in twips from the client area's top-left corner.
constexpr long FormWidth = 5790, FormHeight = 3225;
constexpr win32::TwipsRect Image1Place{0, 0, 480, 480};

enum ControlId : int {
    IdOk = IDOK,
    IdLabel1 = 101,
    IdTitle,
    IdCopyright,
    IdLabel5,
    IdVersion,
    IdDisclaimer,
};

enum FontKind : std::size_t { FormFont, LargeFont, AddressFont, WarningFont };

// In tab order. The one-line labels clip rather than wrap onto a hidden second line.
constexpr DWORD OneLine = SS_LEFTNOWORDWRAP;
constexpr win32::ChildControl Controls[] = {
    {IdOk, L"BUTTON", L"OK", {4560, 2520, 1140, 345}, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, FormFont},
    {IdLabel1, L"STATIC", L"For some more really cool stuff check out -----", {360, 1080, 4335, 255}, OneLine, 0,
     LargeFont},
    {IdTitle, L"STATIC", L"Title", {1080, 120, 1395, 255}, OneLine, 0, LargeFont},
    {IdCopyright, L"STATIC", L"Copyright", {600, 600, 4635, 375}, SS_LEFT, 0, FormFont},
    {IdLabel5, L"STATIC", L"", {1560, 1320, 2685, 255}, OneLine | SS_NOTIFY, 0, AddressFont},
    {IdVersion, L"STATIC", L"", {2520, 120, 1710, 195}, OneLine, 0, LargeFont},
    {IdDisclaimer, L"STATIC", CopyrightWarning, {120, 1800, 4305, 1125}, SS_LEFT, 0, WarningFont},
};

class AboutForm : public win32::BaseWindow<AboutForm> {
public:
    void Show() {
        const std::vector<WORD> dialogTemplate = EmptyTemplate();
        const INT_PTR result = ::DialogBoxIndirectParamW(
            ThisModule(), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), ::GetActiveWindow(),
            DialogProc, reinterpret_cast<LPARAM>(this));
        if (result == -1) win32::ThrowLastError();
        if (FAILED(failure_)) throw win32::Error(failure_);
    }

private:
    friend class win32::BaseWindow<AboutForm>;

    // The window is laid out in Form_Load: the template only makes a sizable
    // captioned window where the system places new windows.
    static std::vector<WORD> EmptyTemplate() {
        std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
        auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
        header->style = WS_OVERLAPPEDWINDOW;
        header->cdit = 0;
        header->x = static_cast<short>(0x8000);  // CW_USEDEFAULT in a dialog template
        header->cx = 100;
        header->cy = 50;
        words.push_back(0);  // no menu
        words.push_back(0);  // the standard dialog class
        for (const wchar_t* c = L"About Pathwick"; *c; ++c) words.push_back(static_cast<WORD>(*c));
        words.push_back(0);
        return words;
    }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG:
            return Form_Load();
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                cmdOK_Click();
                return TRUE;
            }
            if (LOWORD(wParam) == IdLabel5 && HIWORD(wParam) == STN_CLICKED) {
                Label5_Click();
                return TRUE;
            }
            return FALSE;
        case WM_SETCURSOR:
            return SetPointer(reinterpret_cast<HWND>(wParam));
        case WM_CTLCOLORSTATIC:
            return LabelColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_PAINT:
            Paint();
            return TRUE;
        default:
            return FALSE;
        }
    }

    // Form_Load: builds the window, then sets the captions from the library's facts.
    BOOL Form_Load() {
        try {
            Build();
            win32::VersionBlock version;
            win32::ThrowIfFailed(win32::VersionBlock::Read(ThisModulePath(), version));
            ::SetWindowTextW(hwnd_, (std::wstring(L"About ") + LibraryTitle).c_str());
            ::SetDlgItemTextW(hwnd_, IdVersion, (L"Version " + win32::VersionText(version.Fixed())).c_str());
            ::SetDlgItemTextW(hwnd_, IdTitle, LibraryTitle);
            ::SetDlgItemTextW(hwnd_, IdCopyright, version.String(L"LegalCopyright").c_str());
        } catch (...) {
            CloseOnFailure(CurrentExceptionHr());
        }
        return TRUE;  // focus to cmdOK, the first tab stop
    }

    HFONT AddFont(const wchar_t* face, int hundredthsOfPoint, bool bold) {
        fonts_.push_back(win32::MakeFont(face, hundredthsOfPoint, dpi_.y, {bold}));
        return win32::AsFont(fonts_.back());
    }

    void Build() {
        dpi_ = win32::ScreenDpi();

        // The form's default font is MS Sans Serif 8.25 point; in FontKind's order.
        const HFONT fonts[] = {AddFont(L"MS Sans Serif", 825, false), AddFont(L"MS Sans Serif", 975, false),
                               AddFont(L"MS Sans Serif", 1200, false), AddFont(L"Arial", 825, true)};
        win32::CreateChildControls(hwnd_, Controls, fonts, dpi_);
        ::SetDlgItemTextA(hwnd_, IdLabel5, MakerAddress);

        icon_.reset(static_cast<HICON>(
            ::LoadImageW(ThisModule(), MAKEINTRESOURCEW(IDI_PATHWICK), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
        smallIcon_.reset(static_cast<HICON>(::LoadImageW(ThisModule(), MAKEINTRESOURCEW(IDI_PATHWICK), IMAGE_ICON,
                                                         ::GetSystemMetrics(SM_CXSMICON),
                                                         ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
        ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
        ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
        hand_.reset(static_cast<HCURSOR>(
            ::LoadImageW(ThisModule(), MAKEINTRESOURCEW(IDC_POINTING_HAND), IMAGE_CURSOR, 32, 32, 0)));
        win32::ThrowIfFailed(win32::LoadResourcePicture(ThisModule(), L"GIF", IDR_IMAGE1, image1_));

        win32::SetClientSizeInTwips(hwnd_, FormWidth, FormHeight, dpi_);
    }

    void cmdOK_Click() { ::EndDialog(hwnd_, IDOK); }

    // A failure the window cannot show goes back to the caller of the About box.
    void CloseOnFailure(HRESULT hr) {
        failure_ = hr;
        ::EndDialog(hwnd_, IDABORT);
    }

    // An address the shell cannot open is said in a box over this window, which stays.
    void Label5_Click() {
        const HRESULT hr = OpenWithShell(hwnd_, MakerAddress);
        if (FAILED(hr)) {
            const std::wstring text = win32::SystemMessage(hr) + L"\r\n" + win32::FromAnsi(MakerAddress);
            ::MessageBoxW(hwnd_, text.c_str(), LibraryTitle, MB_OK | MB_ICONEXCLAMATION);
        }
    }

    BOOL SetPointer(HWND over) {
        if (!hand_ || over != ::GetDlgItem(hwnd_, IdLabel5)) return FALSE;
        ::SetCursor(hand_.get());
        ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }

    INT_PTR LabelColours(HDC dc, HWND label) {
        const int id = ::GetDlgCtrlID(label);
        if (id == IdLabel5) ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
        else if (id == IdDisclaimer) ::SetTextColor(dc, RGB(0, 0, 0));
        else ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
    }

    // Image1 is windowless: the form paints it.
    void Paint() {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(hwnd_, &paint);
        if (image1_) {
            const HRESULT hr = RenderPicture(image1_.Get(), dc, win32::TwipsToPixels(Image1Place, dpi_));
            if (FAILED(hr)) CloseOnFailure(hr);
        }
        ::EndPaint(hwnd_, &paint);
    }

    win32::Dpi dpi_;
    HRESULT failure_ = S_OK;   // why the window closed itself, for Show to throw
    std::vector<win32::GdiObject> fonts_;
    win32::Icon icon_, smallIcon_;
    win32::Cursor hand_;
    ComPtr<IPicture> image1_;
};

}  // namespace

void ShowAboutForm() {
    AboutForm form;  // a fresh window on every call
    form.Show();
}

}  // namespace tollen
