#pragma once
// A stand-in for Pathwick's automation interface: it records every Invoke and
// answers each member with a configured VARIANT or failure. It has no names:
// a caller that looked members up by name would fail against it.
#include <windows.h>
#include <oleauto.h>
#include <map>
#include <string>
#include <vector>

struct RecordedCall {
    DISPID member;
    WORD flags;
    UINT arguments;
    UINT namedArguments;
    DISPID firstNamed;      // DISPID_UNKNOWN when there is none
    VARTYPE argumentType;   // VT_EMPTY when there is no argument
    std::wstring argumentText;
};

struct FakeAnswer {
    HRESULT hr = S_OK;
    VARIANT value{};            // copied into the result
    EXCEPINFO exception{};      // handed out with DISP_E_EXCEPTION
};

class FakeDispatch final : public IDispatch {
public:
    std::vector<RecordedCall> calls;
    std::map<DISPID, FakeAnswer> answers;

    ~FakeDispatch() {
        for (auto& [id, answer] : answers) ::VariantClear(&answer.value);
    }

    void AnswerBool(DISPID id, bool value) {
        VARIANT v;
        v.vt = VT_BOOL;
        v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        Answer(id, v);
    }
    void AnswerText(DISPID id, const wchar_t* text) {
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = ::SysAllocString(text);
        Answer(id, v);
    }
    void AnswerType(DISPID id, VARTYPE type) {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = type;
        Answer(id, v);
    }
    void Answer(DISPID id, VARIANT value) {
        ::VariantClear(&answers[id].value);
        answers[id].value = value;  // adopted
    }
    void Fail(DISPID id, HRESULT hr) { answers[id].hr = hr; }
    void Raise(DISPID id, HRESULT scode, const wchar_t* description) {
        answers[id].hr = DISP_E_EXCEPTION;
        answers[id].exception.scode = scode;
        answers[id].exception.bstrDescription = description ? ::SysAllocString(description) : nullptr;
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT*) override {
        RecordedCall call{member, flags, params->cArgs, params->cNamedArgs,
                          params->cNamedArgs ? params->rgdispidNamedArgs[0] : DISPID_UNKNOWN,
                          VT_EMPTY, {}};
        if (params->cArgs) {
            call.argumentType = params->rgvarg[0].vt;
            if (call.argumentType == VT_BSTR)
                call.argumentText.assign(params->rgvarg[0].bstrVal,
                                         ::SysStringLen(params->rgvarg[0].bstrVal));
        }
        calls.push_back(call);
        FakeAnswer& answer = answers[member];
        if (answer.hr == DISP_E_EXCEPTION && exception) {
            *exception = answer.exception;  // the caller frees the strings
            answer.exception.bstrDescription = nullptr;
        }
        if (FAILED(answer.hr)) return answer.hr;
        if (result) ::VariantCopy(result, &answer.value);
        return S_OK;
    }
};
