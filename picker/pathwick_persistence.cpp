// The two persisted properties, Initial and Prompt (text, default ""), through
// a container's property bag or stream. Selected and Canceled are never saved.
#include "pathwick_control.h"
#include "com_owners.h"

#include "com_boundary.h"
#include "picker_state.h"

#include <cstdint>

namespace tollen {
namespace {

constexpr const wchar_t* InitialKey = L"Initial";
constexpr const wchar_t* PromptKey = L"Prompt";

// A missing key reads as the default ""; any other failure of the bag ends the load.
std::wstring ReadText(IPropertyBag* bag, IErrorLog* log, const wchar_t* key) {
    win32::Variant value;
    V_VT(&value) = VT_BSTR;
    const HRESULT hr = bag->Read(key, &value, log);
    if (hr == E_INVALIDARG) return {};
    win32::ThrowIfFailed(hr);
    win32::ThrowIfFailed(::VariantChangeType(&value, &value, 0, VT_BSTR));
    return win32::BstrText(V_BSTR(&value));
}

// Like the default-aware writers of control frameworks: "" is left out unless
// the container asks for every property.
void WriteText(IPropertyBag* bag, const wchar_t* key, const std::wstring& text, bool saveAll) {
    if (text.empty() && !saveAll) return;
    win32::Variant value;
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = win32::NewBstr(text).release();
    win32::ThrowIfFailed(bag->Write(key, &value));
}

// Stream layout: a 32-bit format number, then per property a 32-bit count of
// UTF-16 units followed by the units.
constexpr std::uint32_t StreamFormat = 1;
constexpr std::uint32_t LongestText = 1u << 20;

void WriteAll(IStream* stream, const void* data, ULONG size) {
    ULONG written = 0;
    win32::ThrowIfFailed(stream->Write(data, size, &written));
    if (written != size) throw win32::Error(STG_E_MEDIUMFULL);
}

void ReadAll(IStream* stream, void* data, ULONG size) {
    ULONG read = 0;
    win32::ThrowIfFailed(stream->Read(data, size, &read));
    if (read != size) throw win32::Error(STG_E_READFAULT);
}

void WriteStreamText(IStream* stream, const std::wstring& text) {
    const std::uint32_t count = static_cast<std::uint32_t>(text.size());
    WriteAll(stream, &count, sizeof count);
    WriteAll(stream, text.data(), count * sizeof(wchar_t));
}

std::wstring ReadStreamText(IStream* stream) {
    std::uint32_t count = 0;
    ReadAll(stream, &count, sizeof count);
    if (count > LongestText) throw win32::Error(STG_E_DOCFILECORRUPT);
    std::wstring text(count, L'\0');
    ReadAll(stream, text.data(), count * sizeof(wchar_t));
    return text;
}

}  // namespace

void PathwickControl::InitProperties() {
    Module1::ResetPickerState();
    dirty_ = false;
}

// UserControl_ReadProperties: values read before a failure stay set.
void PathwickControl::ReadProperties(IPropertyBag* bag, IErrorLog* log) {
    Module1::PickerState& state = Module1::ThreadPickerState();
    state.Initial = ReadText(bag, log, InitialKey);
    state.Prompt = ReadText(bag, log, PromptKey);
    dirty_ = false;
}

void PathwickControl::WriteProperties(IPropertyBag* bag, bool saveAll) {
    const Module1::PickerState& state = Module1::ThreadPickerState();
    WriteText(bag, InitialKey, state.Initial, saveAll);
    WriteText(bag, PromptKey, state.Prompt, saveAll);
}

HRESULT PathwickControl::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_Pathwick;
    return S_OK;
}

HRESULT PathwickControl::InitNew() {
    return Guarded(IID_IPersistStreamInit, [&]() -> HRESULT {
        InitProperties();
        return S_OK;
    });
}

HRESULT PathwickControl::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

HRESULT PathwickControl::Load(IPropertyBag* bag, IErrorLog* log) {
    return Guarded(IID_IPersistPropertyBag, [&]() -> HRESULT {
        if (!bag) return E_POINTER;
        ReadProperties(bag, log);
        return S_OK;
    });
}

HRESULT PathwickControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) {
    return Guarded(IID_IPersistPropertyBag, [&]() -> HRESULT {
        if (!bag) return E_POINTER;
        WriteProperties(bag, saveAll != FALSE);
        if (clearDirty) dirty_ = false;
        return S_OK;
    });
}

HRESULT PathwickControl::Load(LPSTREAM stream) {
    return Guarded(IID_IPersistStreamInit, [&]() -> HRESULT {
        if (!stream) return E_POINTER;
        std::uint32_t format = 0;
        ReadAll(stream, &format, sizeof format);
        if (format != StreamFormat) return STG_E_OLDFORMAT;
        std::wstring initial = ReadStreamText(stream);
        std::wstring prompt = ReadStreamText(stream);
        Module1::PickerState& state = Module1::ThreadPickerState();
        state.Initial = std::move(initial);
        state.Prompt = std::move(prompt);
        dirty_ = false;
        return S_OK;
    });
}

HRESULT PathwickControl::Save(LPSTREAM stream, BOOL clearDirty) {
    return Guarded(IID_IPersistStreamInit, [&]() -> HRESULT {
        if (!stream) return E_POINTER;
        const Module1::PickerState& state = Module1::ThreadPickerState();
        WriteAll(stream, &StreamFormat, sizeof StreamFormat);
        WriteStreamText(stream, state.Initial);
        WriteStreamText(stream, state.Prompt);
        if (clearDirty) dirty_ = false;
        return S_OK;
    });
}

HRESULT PathwickControl::GetSizeMax(ULARGE_INTEGER* size) {
    return Guarded(IID_IPersistStreamInit, [&]() -> HRESULT {
        if (!size) return E_POINTER;
        const Module1::PickerState& state = Module1::ThreadPickerState();
        size->QuadPart = 3 * sizeof(std::uint32_t) + (state.Initial.size() + state.Prompt.size()) * sizeof(wchar_t);
        return S_OK;
    });
}

}  // namespace tollen
