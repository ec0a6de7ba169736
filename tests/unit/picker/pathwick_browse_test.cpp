// Browse through a container as Scourway hosts the control: the real shell
// folder dialog, owned by the form's "hwnd", pressed from a second thread.
#include "dialog_watcher.h"
#include "folder_times.h"
#include "test_container.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <chrono>
#include <fstream>
#include <sstream>

using namespace picker_test;

namespace {

class PathwickBrowse : public ::testing::Test {
protected:
    void SetUp() override {
        form = ::CreateWindowExW(0, L"STATIC", L"Form1", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, form);
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        wchar_t longTemp[MAX_PATH] = {};
        ::GetLongPathNameW(temp, longTemp, MAX_PATH);
        parent = std::wstring(longTemp) + L"Pathwick parent";
        directory = parent + L"\\Pathwick pick";
        ASSERT_TRUE(::CreateDirectoryW(parent.c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryW(directory.c_str(), nullptr));
        // As a folder the user has not opened since it changed: its next read,
        // the dialog's own, moves its last-access time.
        ASSERT_EQ(DWORD{ERROR_SUCCESS}, test_support::SetLastReadAnHourAgo(parent));
    }
    void TearDown() override {
        ::RemoveDirectoryW(directory.c_str());
        ::RemoveDirectoryW(parent.c_str());
        ::DestroyWindow(form);
    }

    ComPtr<IDispatch> Hosted(bool withExtender) {
        ComPtr<TestSite> site = Make<TestSite>(MakeForm(form), withExtender);
        return CreateHostedPathwick(site.Get());
    }

    // Browse by DISPID while the watcher answers the dialog with command.
    bool BrowseAnswering(IDispatch* control, WPARAM command, std::function<void(HWND)> inspect = {}) {
        DialogWatcher watcher(::GetCurrentThreadId(), command, std::move(inspect));
        VARIANT result;
        ::VariantInit(&result);
        EXCEPINFO exception{};
        const HRESULT hr = CallMethod(control, DISPID_PATHWICK_BROWSE, &result, &exception);
        dialogSeen = watcher.Finish();
        EXPECT_EQ(S_OK, hr) << std::hex << hr;
        EXPECT_EQ(VT_BOOL, V_VT(&result));
        return V_BOOL(&result) != VARIANT_FALSE;
    }

    OleThread ole;
    HWND form = nullptr;
    std::wstring parent;
    std::wstring directory;
    bool dialogSeen = false;
};

std::wstring LastComponent(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

TEST_F(PathwickBrowse, OkOnThePreselectedInitialReturnsTrueAndStoresThePath) {
    ComPtr<IDispatch> control = Hosted(true);
    ASSERT_TRUE(control);
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_INITIAL, directory.c_str()));
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_PROMPT, L"Pick the start folder"));

    HWND owner = nullptr;
    bool ownerEnabled = true;
    bool titleShown = false;
    std::wstring selection;
    const bool chosen = BrowseAnswering(control.Get(), IDOK, [&](HWND dialog) {
        owner = ::GetWindow(dialog, GW_OWNER);
        ownerEnabled = ::IsWindowEnabled(form) != FALSE;
        selection = SelectedTreeItem(dialog);
        const std::wstring title = L"Pick the start folder" + std::wstring(255, L' ');
        for (HWND child : ChildWindows(dialog)) titleShown = titleShown || WindowText(child) == title;
    });
    ASSERT_TRUE(dialogSeen);
    EXPECT_EQ(form, owner);
    EXPECT_FALSE(ownerEnabled);  // modal: the owner is disabled while the dialog runs
    EXPECT_TRUE(titleShown);
    EXPECT_EQ(LastComponent(directory), selection);

    EXPECT_TRUE(chosen);
    EXPECT_EQ(directory, GetText(control.Get(), DISPID_PATHWICK_SELECTED));
    EXPECT_FALSE(GetBool(control.Get(), DISPID_PATHWICK_CANCELED));
    EXPECT_TRUE(::IsWindowEnabled(form));

    // Cancel next: False, Canceled True, Selected keeps the last confirmed choice.
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_INITIAL, L"C:\\"));
    EXPECT_FALSE(BrowseAnswering(control.Get(), IDCANCEL));
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(GetBool(control.Get(), DISPID_PATHWICK_CANCELED));
    EXPECT_EQ(directory, GetText(control.Get(), DISPID_PATHWICK_SELECTED));
}

TEST_F(PathwickBrowse, InitialOfSpacesOrOfAMissingDirectoryOpensOnTheDefaultSelection) {
    ComPtr<IDispatch> control = Hosted(true);
    ASSERT_TRUE(control);
    auto selectionFor = [&](const wchar_t* initial) {
        EXPECT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_INITIAL, initial));
        std::wstring selection = L"(no dialog)";
        EXPECT_FALSE(BrowseAnswering(control.Get(), IDCANCEL, [&](HWND dialog) { selection = SelectedTreeItem(dialog); }));
        return selection;
    };
    const std::wstring standard = selectionFor(L"");
    EXPECT_NE(L"(no dialog)", standard);
    EXPECT_NE(LastComponent(directory), standard);
    EXPECT_EQ(standard, selectionFor(L"    "));
    EXPECT_EQ(standard, selectionFor((directory + L"\\does not exist").c_str()));
    EXPECT_EQ(L"", GetText(control.Get(), DISPID_PATHWICK_SELECTED));
}

TEST_F(PathwickBrowse, ASiteWithoutExtenderLendsItsContainersWindow) {
    ComPtr<IDispatch> control = Hosted(false);
    ASSERT_TRUE(control);
    HWND owner = nullptr;
    EXPECT_FALSE(BrowseAnswering(control.Get(), IDCANCEL, [&](HWND dialog) { owner = ::GetWindow(dialog, GW_OWNER); }));
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(form, owner);
}

TEST_F(PathwickBrowse, WithoutAClientSiteTheDialogHasNoOwner) {
    ComPtr<IDispatch> control = CreatePathwick();
    ASSERT_TRUE(control);
    HWND owner = form;
    EXPECT_FALSE(BrowseAnswering(control.Get(), IDCANCEL, [&](HWND dialog) { owner = ::GetWindow(dialog, GW_OWNER); }));
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(nullptr, owner);
    EXPECT_TRUE(GetBool(control.Get(), DISPID_PATHWICK_CANCELED));
}

TEST_F(PathwickBrowse, AFormWithoutHwndGetsTheLookupErrorAndNoDialog) {
    ComPtr<TestSite> site = Make<TestSite>(MakeFormWithoutHwnd(), true);
    ComPtr<IDispatch> control = CreateHostedPathwick(site.Get());
    ASSERT_TRUE(control);
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_INITIAL, directory.c_str()));

    DialogWatcher watcher(::GetCurrentThreadId(), IDCANCEL);
    ComPtr<_Pathwick> dual;
    ASSERT_EQ(S_OK, control.As(&dual));
    VARIANT_BOOL chosen = VARIANT_TRUE;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, dual->Browse(&chosen));
    EXPECT_FALSE(watcher.Finish());
    EXPECT_EQ(0, site->form->invokeCount);  // the name was not found, so nothing was read

    EXPECT_EQ(L"", GetText(control.Get(), DISPID_PATHWICK_SELECTED));
    EXPECT_FALSE(GetBool(control.Get(), DISPID_PATHWICK_CANCELED));
    EXPECT_EQ(directory, GetText(control.Get(), DISPID_PATHWICK_INITIAL));
}

TEST_F(PathwickBrowse, AHostsLongPtrHwndOwnsTheDialogToo) {
    ComPtr<TestSite> site = Make<TestSite>(MakeForm(form, VT_I8), true);
    ComPtr<IDispatch> control = CreateHostedPathwick(site.Get());
    ASSERT_TRUE(control);
    HWND owner = nullptr;
    EXPECT_FALSE(BrowseAnswering(control.Get(), IDCANCEL, [&](HWND dialog) { owner = ::GetWindow(dialog, GW_OWNER); }));
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(form, owner);
}

struct ProcessDialog {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchProcessDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ProcessDialog*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (owner != search->processId || lstrcmpW(name, L"#32770") != 0 || !::IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// The visible folder dialog of another process, or null.
HWND VisibleDialogOf(DWORD processId) {
    ProcessDialog search{processId, nullptr};
    ::EnumWindows(&MatchProcessDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Created by name from the script host of this build's own kind (System32's
// cscript: the 64-bit one in a 64-bit Windows), every member used from VBScript,
// the dialog answered from here: OK on the preselected folder, then Cancel.
TEST_F(PathwickBrowse, EveryMemberWorksFromTheScriptHostOfThisBuildsKind) {
    const std::wstring script = parent + L"\\members.vbs";
    const std::wstring output = parent + L"\\members.txt";
    std::string ansiDirectory(directory.begin(), directory.end());  // the test's names are ASCII
    {
        std::ofstream vbs(std::string(script.begin(), script.end()), std::ios::binary);
        vbs << "Set p = CreateObject(\"Tollen.Pathwick\")\r\n"
               "p.Prompt = \"Pick from a script\"\r\n"
               "p.Initial = \"" << ansiDirectory << "\"\r\n"
               "WScript.Echo \"Prompt=\" & p.Prompt & \" Initial=\" & p.Initial\r\n"
               "WScript.Echo \"Before=\" & p.Canceled & \" [\" & p.Selected & \"]\"\r\n"
               "r = p.Browse\r\n"
               "WScript.Echo \"Browse=\" & r & \" Canceled=\" & p.Canceled & \" Selected=\" & p.Selected\r\n"
               "r = p.Browse\r\n"
               "WScript.Echo \"Browse=\" & r & \" Canceled=\" & p.Canceled & \" Selected=\" & p.Selected\r\n";
    }
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = ::CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, out);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(system) + L"\\cscript.exe\" //nologo \"" + script + L"\"";
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                          &startup, &process);
    ::CloseHandle(out);
    ASSERT_TRUE(started) << ::GetLastError();

    // Each dialog is answered once it is visible and its thread is in its message loop.
    std::wstring titleOfFirst;
    for (WPARAM answer : {IDOK, IDCANCEL}) {
        HWND dialog = nullptr;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!dialog && std::chrono::steady_clock::now() < deadline &&
               ::WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT)
            dialog = VisibleDialogOf(process.dwProcessId);
        ASSERT_NE(nullptr, dialog) << "no folder dialog for answer " << answer;
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
        if (answer == IDOK)
            for (HWND child : ChildWindows(dialog))
                if (WindowText(child).rfind(L"Pick from a script", 0) == 0) titleOfFirst = L"Pick from a script";
        ::PostMessageW(dialog, WM_COMMAND, answer, 0);
        while (::IsWindow(dialog) && ::WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT) {
        }
    }
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.hProcess, 60000));
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    std::stringstream all;
    {
        std::ifstream text(std::string(output.begin(), output.end()), std::ios::binary);
        all << text.rdbuf();
    }
    ::DeleteFileW(script.c_str());
    ::DeleteFileW(output.c_str());
    EXPECT_EQ(0u, exitCode) << all.str();
    EXPECT_EQ(L"Pick from a script", titleOfFirst);
    EXPECT_EQ("Prompt=Pick from a script Initial=" + ansiDirectory + "\r\n"
              "Before=False []\r\n"
              "Browse=True Canceled=False Selected=" + ansiDirectory + "\r\n"
              "Browse=False Canceled=True Selected=" + ansiDirectory + "\r\n",
              all.str());
}

TEST_F(PathwickBrowse, TheFormsHwndIsReadAsAPropertyByName) {
    ComPtr<TestSite> site = Make<TestSite>(MakeForm(form), true);
    ComPtr<IDispatch> control = CreateHostedPathwick(site.Get());
    ASSERT_TRUE(control);
    EXPECT_FALSE(BrowseAnswering(control.Get(), IDCANCEL));
    EXPECT_EQ(1, site->form->invokeCount);
    EXPECT_EQ(DISPATCH_PROPERTYGET, site->form->lastFlags);
    EXPECT_EQ(1, site->extender->invokeCount);  // "Parent"
}

}  // namespace
