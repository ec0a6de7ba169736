// A snapshot enumerator (IEnumConnectionPoints, IEnumConnections) over a copy
// of the items, each holding its own reference as the protocol asks.
#pragma once

#include "com_boundary.h"
#include "com_object.h"
#include "module_lifetime.h"

#include <ocidl.h>
#include <wrl/client.h>

#include <vector>

namespace tollen {

struct ConnectionPointItem {
    using Type = IConnectionPoint*;
    static void Hold(IConnectionPoint* item) noexcept { item->AddRef(); }
    static void Drop(IConnectionPoint* item) noexcept { item->Release(); }
};
struct ConnectionItem {
    using Type = CONNECTDATA;
    static void Hold(const CONNECTDATA& item) noexcept { item.pUnk->AddRef(); }
    static void Drop(const CONNECTDATA& item) noexcept { item.pUnk->Release(); }
};

template <class Interface, class Policy>
class SnapshotEnumerator final : public win32::ComObject<SnapshotEnumerator<Interface, Policy>, Interface>,
                                 private CountedObject {
public:
    using Item = typename Policy::Type;
    static const QITAB kInterfaces[];

    SnapshotEnumerator(std::vector<Item> items, size_t position) : items_(std::move(items)), position_(position) {
        for (const Item& item : items_) Policy::Hold(item);
    }

    static HRESULT Create(std::vector<Item> items, size_t position, Interface** result) {
        if (!result) return E_POINTER;
        *result = win32::Make<SnapshotEnumerator>(std::move(items), position).Detach();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG done = 0;
        for (; done < count && position_ < items_.size(); ++done, ++position_) {
            out[done] = items_[position_];
            Policy::Hold(out[done]);
        }
        if (fetched) *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = items_.size() - position_;
        if (count > left) {
            position_ = items_.size();
            return S_FALSE;
        }
        position_ += count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Interface** result) override {
        try {
            return Create(items_, position_, result);
        } catch (...) {
            return CurrentExceptionHr();
        }
    }

private:
    ~SnapshotEnumerator() override {
        for (const Item& item : items_) Policy::Drop(item);
    }

    std::vector<Item> items_;
    size_t position_;
};

template <class Interface, class Policy>
const QITAB SnapshotEnumerator<Interface, Policy>::kInterfaces[] = {QITABENT(SnapshotEnumerator, Interface), {}};

using ConnectionPointEnumerator = SnapshotEnumerator<IEnumConnectionPoints, ConnectionPointItem>;
using ConnectionEnumerator = SnapshotEnumerator<IEnumConnections, ConnectionItem>;

}  // namespace tollen
