#include "picker_host/control_library_context.h"
#include "command_line.h"
#include "resource_ids.h"
#include "error.h"
#include "program_paths.h"

namespace {
bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

ControlLibraryContext::ControlLibraryContext() {
    const std::wstring library = modMain::AddSlash(modMain::ProgramDirectory()) + kControlLibraryFile;
    if (!IsFile(library)) return;

    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = GetModuleHandleW(nullptr);
    request.lpResourceName = MAKEINTRESOURCEW(IDR_TOLLEN_MANIFEST);
    context_ = ActivationContext(CreateActCtxW(&request));
    if (!context_) win32::ThrowLastError(library);
    if (!ActivateActCtx(context_.get(), &cookie_)) win32::ThrowLastError(library);
    activated_ = true;
}

ControlLibraryContext::~ControlLibraryContext() {
    if (activated_) DeactivateActCtx(0, cookie_);
}
