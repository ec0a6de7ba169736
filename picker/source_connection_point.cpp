#include "source_connection_point.h"

#include "com_enumerator.h"
#include "com_boundary.h"

#include <Tollen_h.h>

#include <shlwapi.h>
#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace tollen {

// Part of the control, it counts with the control but answers for itself.
HRESULT SourceConnectionPoint::QueryInterface(REFIID iid, void** object) {
    static const QITAB kInterfaces[] = {QITABENT(SourceConnectionPoint, IConnectionPoint), {}};
    return ::QISearch(this, kInterfaces, iid, object);
}

HRESULT SourceConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = DIID___Pathwick;
    return S_OK;
}

HRESULT SourceConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = owner_;
    owner_->AddRef();
    return S_OK;
}

HRESULT SourceConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    return Guarded(IID_IConnectionPoint, [&]() -> HRESULT {
        if (!cookie) return E_POINTER;
        *cookie = 0;
        if (!sink) return E_POINTER;
        // Hosts hand in either the source dispinterface itself or a plain IDispatch.
        ComPtr<IUnknown> accepted;
        if (FAILED(sink->QueryInterface(DIID___Pathwick, reinterpret_cast<void**>(accepted.GetAddressOf()))) &&
            FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(accepted.GetAddressOf()))))
            return CONNECT_E_CANNOTCONNECT;
        sinks_.emplace_back(nextCookie_, std::move(accepted));
        *cookie = nextCookie_++;
        return S_OK;
    });
}

HRESULT SourceConnectionPoint::Unadvise(DWORD cookie) {
    const auto found = std::find_if(sinks_.begin(), sinks_.end(), [cookie](const auto& sink) { return sink.first == cookie; });
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    sinks_.erase(found);
    return S_OK;
}

HRESULT SourceConnectionPoint::EnumConnections(IEnumConnections** connections) {
    return Guarded(IID_IConnectionPoint, [&]() -> HRESULT {
        if (!connections) return E_POINTER;
        *connections = nullptr;
        std::vector<CONNECTDATA> snapshot;
        for (const auto& sink : sinks_) snapshot.push_back(CONNECTDATA{sink.second.Get(), sink.first});
        return ConnectionEnumerator::Create(std::move(snapshot), 0, connections);
    });
}

}  // namespace tollen
