// The list editing commands: Add, Remove, Edit (double-click) and Save. Add,
// Remove and Edit change colFiles and lstDelete together; only Save writes the file.
// Rows are linked to entries by their item data (the entry's Key), never by position.
#include "control_ids.h"
#include "main_window/frm_status.h"
#include "text_case.h"
#include "error.h"
#include "list_file.h"

namespace {
constexpr wchar_t kFilenamePrompt[] = L"Enter a new filename (wildcards permitted):";
}

void frmStatus::cmdAdd_Click() {
    const std::wstring answer(modMain::TrimSpaces(dialogs_->Prompt(L"Add File to Delete", kFilenamePrompt, L"")));
    if (answer.empty()) return;
    modMain::cFileItem entry;
    entry.Key = modMain::colFiles.NextKey();
    entry.Path = answer;
    modMain::colFiles.Add(entry, modMain::FileCollection::KeyText(entry.Key));
    RefreshList();
}

void frmStatus::cmdRemove_Click() {
    const int row = SelectedRow();
    if (row < 0) return;
    modMain::colFiles.Remove(modMain::FileCollection::KeyText(RowKey(row)));
    SendMessageW(Control(IDC_LSTDELETE), LB_DELETESTRING, static_cast<WPARAM>(row), 0);
}

// The row keeps its place and its entry: the new text is inserted at the selected
// row, which the list box moves one down, takes over its item data, and the old
// row is removed. Every index is read from the list box when it is used.
void frmStatus::lstDelete_DblClick() {
    const int row = SelectedRow();
    const std::wstring current = row >= 0 ? RowText(row) : std::wstring();
    const std::wstring answer(modMain::TrimSpaces(dialogs_->Prompt(L"Edit File", kFilenamePrompt, current)));
    if (answer.empty() || SelectedRow() < 0) return;

    modMain::cFileItem* entry = modMain::colFiles.Find(modMain::FileCollection::KeyText(RowKey(SelectedRow())));
    if (!entry) return;   // every row names an entry; a stray row is left as it is
    entry->Path = answer;

    HWND list = Control(IDC_LSTDELETE);
    const LRESULT newRow = SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(SelectedRow()),
                                        reinterpret_cast<LPARAM>(answer.c_str()));
    if (newRow < 0) throw win32::Error::FromWin32(ERROR_NOT_ENOUGH_MEMORY, L"");
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(newRow), static_cast<LPARAM>(RowKey(SelectedRow())));
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(SelectedRow()), 0);
}

// A failed save is reported; the list in memory and on the screen stay as they
// are, and the file keeps its old contents (the engine replaces it whole or not at all).
void frmStatus::cmdSave_Click() {
    if (dialogs_->Ask(L"Save the current list?", L"Confirm Save", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) != IDYES)
        return;
    try {
        modMain::SaveListTo(environment_.listFile, modMain::colFiles);
    } catch (const win32::Error& failure) {
        ReportFailure(failure.Describe(), true);
    }
}
