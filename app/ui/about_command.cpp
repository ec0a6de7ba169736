#include "frm_about.h"
#include "frm_status.h"

// Returns once the About window has closed; during a delete run the sweep
// stands still in its yield until then.
void frmStatus::cmdAbout_Click() { frmAbout::ShowModal(hwnd_); }
