#include "about/frm_about.h"
#include "main_window/frm_status.h"

// Returns once the About window has closed; during a delete run the sweep
// stands still in its yield until then.
void frmStatus::cmdAbout_Click() { frmAbout::ShowModal(hwnd_); }
