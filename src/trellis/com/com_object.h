#pragma once
// Default answers for the hand-written side of IUnknown and IDispatch:
// reference counting, QueryInterface for the interfaces an object names, and
// the IDispatch methods an event sink or a test stub does not need.

#include <atomic>
#include <initializer_list>

#include "platform/com/com_interfaces.h"

namespace trellis::com {

// One COM interface on a heap object that deletes itself at its last Release.
// Objects that live elsewhere (statics, the stack) override lastReleased().
template <typename Interface>
class ComObject : public Interface {
  public:
    // Answers IUnknown and every identifier given.
    ComObject(std::initializer_list<IID> answers) {
        for (const IID& iid : answers) {
            if (answerCount_ < kMaxAnswers) answers_[answerCount_++] = iid;
        }
    }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        bool known = IsEqualGUID(riid, IID_IUnknown);
        for (unsigned i = 0; i < answerCount_ && !known; ++i)
            known = IsEqualGUID(riid, answers_[i]);
        if (!known) return E_NOINTERFACE;
        *object = static_cast<Interface*>(this);
        this->AddRef();
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references_; }
    STDMETHOD_(ULONG, Release)() override {
        const ULONG left = --references_;
        if (left == 0) lastReleased();
        return left;
    }
    ULONG references() const { return references_; }

  protected:
    virtual ~ComObject() = default;
    virtual void lastReleased() { delete this; }

  private:
    static constexpr unsigned kMaxAnswers = 4;
    IID answers_[kMaxAnswers] = {};
    unsigned answerCount_ = 0;
    std::atomic<ULONG> references_{1};
};

// An IDispatch that is only ever invoked (an event sink): no type information,
// no names; the derived class answers Invoke.
class DispatchObject : public ComObject<IDispatch> {
  public:
    // Answers IDispatch and, for an event sink, the event interface.
    explicit DispatchObject(const IID& eventInterface)
        : ComObject({IID_IDispatch, eventInterface}) {}

    STDMETHOD(GetTypeInfoCount)(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
};

}  // namespace trellis::com
