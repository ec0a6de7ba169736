// frmAbout of the library: names the library and its version, shows the
// copyright notice and warning, and opens the maker's web site on request.
#pragma once

namespace tollen {

// Loads a fresh About window and runs it modally on the calling thread (the
// thread's active window is disabled meanwhile); returns once it is closed.
void ShowAboutForm();

}  // namespace tollen
