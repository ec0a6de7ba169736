#include "picker_host/start_directory.h"

#include "main_window/frm_status.h"
#include "picker_host/pathwick_host.h"

std::optional<std::wstring> BrowseForStartDirectory(PathwickClient& picker,
                                                    const std::wstring& fieldText) {
    picker.SetPrompt(kBrowsePrompt);
    picker.SetInitial(fieldText);
    picker.Browse();  // its result repeats Canceled, which is what is read
    if (picker.Canceled()) return std::nullopt;
    return picker.Selected();
}

// A failure reaches the window's command handling, which reports it in a
// "Scourway" box; the field keeps its text.
void frmStatus::cmdBrowse_Click() {
    if (auto chosen = BrowseForStartDirectory(picker_->control(), DirText()))
        SetDirText(FixPath(*chosen));
}
