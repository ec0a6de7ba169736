#include "main_window/frm_status.h"
#include <windows.h>
#include <commctrl.h>
#include <utility>
#include "run_report/busy_pointer.h"
#include "control_ids.h"
#include "dialog_class.h"
#include "picker_host/control_library_context.h"
#include "describe_failure.h"
#include "exit_codes.h"
#include "font.h"
#include "picker_host/pathwick_host.h"
#include "resource_ids.h"
#include "run_report/standard_output.h"
#include "main_window/status_layout.h"
#include "main_window/text_prompt.h"
#include "twips.h"
#include "run_report/unattended.h"
#include "error.h"
#include "run_report/window_sweep_host.h"
#include "window_text.h"
#include "window_placement.h"
#include "program_paths.h"

namespace {
constexpr wchar_t kWindowClass[] = L"ScourwayStatus";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

HICON ProgramIcon(int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_SCOURWAY), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_SHARED));
}

win32::GdiObject CreateControlFont(int dpiY, bool bold) {
    return win32::MakeFont(L"MS Sans Serif", 825, dpiY, {bold});
}
}  // namespace

// The commands of the window: a WM_COMMAND (identifier and notification) runs its
// handler when the control named beside it is enabled. The run's lock therefore
// also silences Enter and Esc, which arrive as the default button and IDCANCEL.
struct frmStatus::Command {
    int id;
    int code;
    int control;
    void (frmStatus::*handler)();
};

const frmStatus::Command frmStatus::kCommands[] = {
    {IDC_TXTDIR,     EN_SETFOCUS, IDC_TXTDIR,     &frmStatus::txtDir_GotFocus},
    {IDC_LSTDELETE,  LBN_DBLCLK,  IDC_LSTDELETE,  &frmStatus::lstDelete_DblClick},
    {IDC_CMDADD,     BN_CLICKED,  IDC_CMDADD,     &frmStatus::cmdAdd_Click},
    {IDC_CMDREMOVE,  BN_CLICKED,  IDC_CMDREMOVE,  &frmStatus::cmdRemove_Click},
    {IDC_CMDSAVE,    BN_CLICKED,  IDC_CMDSAVE,    &frmStatus::cmdSave_Click},
    {IDC_CMDPROCESS, BN_CLICKED,  IDC_CMDPROCESS, &frmStatus::cmdProcess_Click},
    {IDC_CMDCLOSE,   BN_CLICKED,  IDC_CMDCLOSE,   &frmStatus::cmdClose_Click},
    {IDC_CMDBROWSE,  BN_CLICKED,  IDC_CMDBROWSE,  &frmStatus::cmdBrowse_Click},
    {IDC_CMDABOUT,   BN_CLICKED,  IDC_CMDABOUT,   &frmStatus::cmdAbout_Click},
    {IDCANCEL,       BN_CLICKED,  IDC_CMDCLOSE,   &frmStatus::cmdClose_Click},   // Esc
};

frmStatus::frmStatus(StatusEnvironment environment, UserDialogs* dialogs)
    : environment_(std::move(environment)), dialogs_(dialogs) {
    RegisterWindowClass();
    if (!CreateDialogParamW(Instance(), MAKEINTRESOURCEW(IDD_STATUS), nullptr, DialogProc,
                            reinterpret_cast<LPARAM>(this)))
        win32::ThrowLastError();
    if (initFailure_) {
        destroying_ = true;
        DestroyWindow(hwnd_);
        std::rethrow_exception(initFailure_);
    }
    if (!dialogs_) {
        windowDialogs_ = std::make_unique<WindowDialogs>(hwnd_);
        dialogs_ = windowDialogs_.get();
    }
}

frmStatus::~frmStatus() {
    if (alive_) {
        destroying_ = true;
        DestroyWindow(hwnd_);
    }
}

void frmStatus::RegisterWindowClass() {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};   // the tooltip
    InitCommonControlsEx(&controls);
    win32::RegisterDialogClass(Instance(), kWindowClass, ProgramIcon(SM_CXICON, SM_CYICON),
                               ProgramIcon(SM_CXSMICON, SM_CYSMICON));
}

INT_PTR frmStatus::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_SETCURSOR:
        return OnSetCursor();
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:   // the sweep stands still meanwhile
        if (sweepHost_) sweepHost_->ShowPendingCaption();
        return FALSE;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED) OnRestored();
        return FALSE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    }
    return FALSE;
}

// During a run the hourglass stays over the whole window.
BOOL frmStatus::OnSetCursor() {
    if (!BusyPointer::OnSetCursor()) return FALSE;
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

// Shown minimised (MIN) and now restored: the focus goes to the first field.
void frmStatus::OnRestored() {
    if (!IsChild(hwnd_, GetFocus()) && GetActiveWindow() == hwnd_)
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_TXTDIR)), TRUE);
}

// A window closed by anything but the destructor ends the program.
void frmStatus::OnDestroy() {
    alive_ = false;
    if (destroying_) return;
    ended_ = true;
    PostQuitMessage(exitCode_);
}

// A failure is kept for the constructor, which destroys the window and throws it.
BOOL frmStatus::OnInitDialog() {
    alive_ = true;
    try {
        BuildWindow();
    } catch (...) {
        initFailure_ = std::current_exception();
    }
    // No focus yet: a hidden window that took the focus would be activated
    // unseen and keep an inactive title bar once shown. Show() gives it.
    return FALSE;
}

void frmStatus::BuildWindow() {
    const win32::Dpi dpi = win32::ScreenDpi();
    font_ = CreateControlFont(dpi.y, false);
    boldFont_ = CreateControlFont(dpi.y, true);

    win32::SetClientSizeInTwips(hwnd_, kStatusClientWidth, kStatusClientHeight, dpi);
    win32::CentreWindowOn(hwnd_, nullptr);
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(SM_CXICON, SM_CYICON)));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(ProgramIcon(SM_CXSMICON, SM_CYSMICON)));

    CreateControls(dpi);
    {
        const ControlLibraryContext beside;
        picker_ = CreatePathwick1(hwnd_);
    }
    SendMessageW(hwnd_, DM_SETDEFID, IDC_CMDPROCESS, 0);
    AddAboutTooltip();
    txtDirSelectsAll_ = std::make_unique<FocusSelectsAll>(Control(IDC_TXTDIR));
}

void frmStatus::CreateControls(win32::Dpi dpi) {
    const HFONT fonts[] = {win32::AsFont(font_), win32::AsFont(boldFont_)};
    win32::CreateChildControls(hwnd_, kStatusControls, fonts, dpi);
    // The labels have nothing to their right: they may take what their text needs.
    for (const win32::ChildControl& control : kStatusControls)
        if (wcscmp(control.windowClass, L"Static") == 0) win32::WidenToText(Control(control.id));
}

void frmStatus::AddAboutTooltip() {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               Instance(), nullptr);
    if (!tip) win32::ThrowLastError(TOOLTIPS_CLASSW);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control(IDC_CMDABOUT));
    tool.lpszText = const_cast<wchar_t*>(kAboutTooltip);
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool frmStatus::OnCommand(int id, int code) {
    for (const Command& command : kCommands) {
        if (command.id != id || command.code != code) continue;
        HWND control = Control(command.control);
        if (control && !IsWindowEnabled(control)) return true;
        if (sweepHost_) sweepHost_->ShowPendingCaption();   // the handler may hold the sweep
        try {
            (this->*command.handler)();
        } catch (const std::exception& failure) {
            ReportFailure(DescribeFailure(failure), true);
        }
        if (closeRequested_ && !running_ && alive_) EndProgram(exitCode_);
        return true;
    }
    return false;
}

// The close box, the system menu and Alt+F4. While a run works, or one of the
// window's modal boxes is open, the close is noted and carried out when control
// comes back (the sweep stops at its next yield).
void frmStatus::OnClose() {
    if (running_ || ModalOpen()) {
        closeRequested_ = true;
        return;
    }
    EndProgram(exitCode_);
}

void frmStatus::EndProgram(int exitCode) {
    exitCode_ = exitCode;
    ended_ = true;
    if (alive_)
        DestroyWindow(hwnd_);   // WM_DESTROY posts the quit
    else
        PostQuitMessage(exitCode);
}

// Typing in txtDir replaces the directory: the focus selects all its text.
void frmStatus::txtDir_GotFocus() { txtDirSelectsAll_->SelectAll(); }

void frmStatus::Show() {
    ShowWindow(hwnd_, showCommand_);
    if (showCommand_ != SW_SHOWMINIMIZED)
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_TXTDIR)), TRUE);
    UpdateWindow(hwnd_);
    if (!openingNotice_.empty()) {
        const std::wstring notice = std::move(openingNotice_);
        openingNotice_.clear();
        dialogs_->Ask(notice, L"Scourway", MB_OK | MB_ICONWARNING);
    }
}

std::wstring frmStatus::FixPath(const std::wstring& sText) { return modMain::AddSlash(sText); }

void frmStatus::RefreshList() {
    HWND list = Control(IDC_LSTDELETE);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    // Room for every row at once: grown row by row, the list box copies its
    // rows again and again, and a long list takes the square of its length.
    size_t textBytes = 0;
    for (const modMain::cFileItem& entry : modMain::colFiles) textBytes += (entry.Path.size() + 1) * sizeof(wchar_t);
    SendMessageW(list, LB_INITSTORAGE, static_cast<WPARAM>(modMain::colFiles.Count()), static_cast<LPARAM>(textBytes));
    for (const modMain::cFileItem& entry : modMain::colFiles) {
        const LRESULT row = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.Path.c_str()));
        if (row < 0) {
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            throw win32::Error::FromWin32(ERROR_NOT_ENOUGH_MEMORY, L"");
        }
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(entry.Key));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::wstring frmStatus::DirText() const { return win32::WindowText(Control(IDC_TXTDIR)); }

void frmStatus::SetDirText(const std::wstring& text) { SetWindowTextW(Control(IDC_TXTDIR), text.c_str()); }

bool frmStatus::Switch(const wchar_t* name) const {
    return modMain::HasSwitchIn(environment_.arguments(), name);
}

bool frmStatus::Unattended() const { return IsUnattended(environment_.arguments()); }

void frmStatus::ReportFailure(const std::wstring& description, bool showBox) {
    WriteOutput(STD_ERROR_HANDLE, description);
    if (showBox) dialogs_->Ask(description, L"Scourway", MB_OK | MB_ICONERROR);
}

DWORD frmStatus::WriteOutput(DWORD whichHandle, const std::wstring& text) {
    const DWORD result = WriteStandardLine(whichHandle, text);
    if (outputFailure_ == ERROR_SUCCESS) outputFailure_ = result;
    return result;
}

int frmStatus::ExitCode() const noexcept {
    return exitCode_ == kExitOk && outputFailure_ != ERROR_SUCCESS ? kExitFailed : exitCode_;
}

int frmStatus::SelectedRow() const {
    return static_cast<int>(SendMessageW(Control(IDC_LSTDELETE), LB_GETCURSEL, 0, 0));
}

int32_t frmStatus::RowKey(int row) const {
    return static_cast<int32_t>(SendMessageW(Control(IDC_LSTDELETE), LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
}

std::wstring frmStatus::RowText(int row) const {
    HWND list = Control(IDC_LSTDELETE);
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}
