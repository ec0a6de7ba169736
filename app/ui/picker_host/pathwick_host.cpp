#include "picker_host/pathwick_host.h"

#include <ocidl.h>
#include <utility>

#include "com_object.h"
#include "picker_host/control_site.h"
#include "twips.h"

using Microsoft::WRL::ComPtr;

namespace {

// The form's saved properties of Pathwick1: none differ from their defaults,
// so every key reads as missing and the control takes its default.
class EmptyPropertyBag final : public win32::ComObject<EmptyPropertyBag, IPropertyBag> {
public:
    static const QITAB kInterfaces[];
    STDMETHODIMP Read(LPCOLESTR, VARIANT*, IErrorLog*) override { return E_INVALIDARG; }
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }
};

const QITAB EmptyPropertyBag::kInterfaces[] = {QITABENT(EmptyPropertyBag, IPropertyBag), {}};

// Loads the control's stored properties: from the (empty) property bag when it
// reads one, else as a new object from its stream persistence.
void LoadStoredProperties(IOleObject* object) {
    ComPtr<IPersistPropertyBag> bag;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&bag)))) {
        ComPtr<EmptyPropertyBag> empty = win32::Make<EmptyPropertyBag>();
        win32::ThrowIfFailed(bag->Load(empty.Get(), nullptr));
        return;
    }
    ComPtr<IPersistStreamInit> stream;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&stream)))) {
        win32::ThrowIfFailed(stream->InitNew());
    }
}

// The control's size, 480 twips square (a third of an inch).
constexpr SIZEL kStoredExtent{win32::TwipsToHimetric(480), win32::TwipsToHimetric(480)};

}  // namespace

PathwickHost::OleSession::OleSession() { win32::ThrowIfFailed(::OleInitialize(nullptr)); }
PathwickHost::OleSession::~OleSession() { ::OleUninitialize(); }

PathwickHost::PathwickHost(HWND form, const wchar_t* progId) {
    CLSID clsid{};
    win32::ThrowIfFailed(::CLSIDFromProgID(progId, &clsid));
    win32::ThrowIfFailed(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object_)));
    try {
        ComPtr<IOleClientSite> site = CreateControlSite(form);
        win32::ThrowIfFailed(object_->SetClientSite(site.Get()));
        LoadStoredProperties(object_.Get());
        SIZEL extent = kStoredExtent;
        win32::ThrowIfFailed(object_->SetExtent(DVASPECT_CONTENT, &extent));
        ComPtr<IDispatch> dispatch;
        win32::ThrowIfFailed(object_.As(&dispatch));
        control_.emplace(std::move(dispatch));
    } catch (...) {
        Close();
        throw;
    }
}

PathwickHost::~PathwickHost() { Close(); }

void PathwickHost::Close() noexcept {
    control_.reset();
    if (!object_) return;
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.Reset();
}

std::unique_ptr<PathwickHost> CreatePathwick1(HWND form, const wchar_t* progId) {
    try {
        return std::make_unique<PathwickHost>(form, progId);
    } catch (const win32::Error& error) {
        throw win32::Error::Described(error.Hr(), L"The folder picker could not be created.\n\n" + error.Describe());
    }
}
