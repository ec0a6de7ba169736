#pragma once
// What the About window shows, computed or loaded apart from the window itself.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>
#include <string>

namespace about {

// The file version of this executable, from its own version resource.
// Throws win32::Error when the resource cannot be read.
VS_FIXEDFILEINFO OwnFileVersion();

// "Version " + major.minor.revision: the first, second and fourth fields of the
// file version, in plain decimal. The third field is not shown.
std::wstring VersionLabel(const VS_FIXEDFILEINFO& version);

// The picture stored as an RCDATA resource of the module, decoded by the
// platform (OleLoadPicture) from a memory stream. Throws win32::Error.
Microsoft::WRL::ComPtr<IPicture> LoadPictureResource(HMODULE module, int id);

// Asks the shell to open the document as the About window does (frmAbout::StartDoc,
// default show state). Throws win32::Error, about the document, when the
// shell could not.
void OpenDocument(const std::wstring& document);

}  // namespace about
