#pragma once
// Owns one reference to a COM interface, released when it goes out of scope.

#include <utility>

#include "platform/com/com_interfaces.h"

namespace trellis::com {

template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    static ComPtr adopt(Interface* p) {
        ComPtr owner;
        owner.p_ = p;
        return owner;
    }
    // Adds a reference of its own.
    static ComPtr share(Interface* p) {
        if (p != nullptr) p->AddRef();
        return adopt(p);
    }
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_ != nullptr) p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    Interface* get() const { return p_; }
    Interface* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (Interface* p = std::exchange(p_, nullptr)) p->Release();
    }
    // For functions that hand out a reference through an out-parameter.
    Interface** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    // Hands the reference to the caller.
    Interface* detach() { return std::exchange(p_, nullptr); }

    // QueryInterface into another owner; empty when the object refuses.
    template <typename Other>
    ComPtr<Other> query(REFIID iid) const {
        ComPtr<Other> other;
        if (p_ != nullptr) p_->QueryInterface(iid, other.putVoid());
        return other;
    }

  private:
    Interface* p_ = nullptr;
};

}  // namespace trellis::com
