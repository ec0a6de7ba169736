// The connection point of the control's source interface __Pathwick. The
// control raises no events, so it keeps its sinks and never calls them.
// It lives inside the control and shares the control's reference count.
#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <utility>
#include <vector>

namespace tollen {

class SourceConnectionPoint final : public IConnectionPoint {
public:
    explicit SourceConnectionPoint(IConnectionPointContainer* owner) noexcept : owner_(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_->Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    // Lets go of every sink when the control closes.
    void DisconnectAll() noexcept { sinks_.clear(); }

private:
    IConnectionPointContainer* owner_;
    std::vector<std::pair<DWORD, Microsoft::WRL::ComPtr<IUnknown>>> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace tollen
