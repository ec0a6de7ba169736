// Browse through a container as Scourway hosts the control: the real shell
// folder dialog, owned by the form's "hwnd", pressed from a second thread.
#include "dialog_watcher.h"
#include "test_container.h"

#include <gtest/gtest.h>
#include <oleauto.h>

using namespace picker_test;

namespace {

// Sets the folder's last-access time an hour back, before its last change.
void LastReadAnHourAgo(const std::wstring& path) {
    HANDLE folder = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, folder) << ::GetLastError();
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{};
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 3600ULL * 10000000ULL;  // FILETIME counts 100 ns steps
    const FILETIME hourAgo{time.LowPart, time.HighPart};
    EXPECT_TRUE(::SetFileTime(folder, nullptr, &hourAgo, nullptr)) << ::GetLastError();
    ::CloseHandle(folder);
}

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
        LastReadAnHourAgo(parent);
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
