// txtDir selects its whole text whenever the focus arrives, so typing replaces it.
#include <windows.h>
#include "control_ids.h"
#include "frm_status.h"

void frmStatus::txtDir_GotFocus() {
    HWND field = Control(IDC_TXTDIR);
    SendMessageW(field, EM_SETSEL, 0, GetWindowTextLengthW(field));
}
