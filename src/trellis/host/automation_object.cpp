// Calling a created object late, by dispatch identifier, and listening to its
// events: the same on every system once the object's dispatch interface is held.

#include <functional>

#include "trellis/com/com_object.h"
#include "trellis/com/himetric.h"
#include "trellis/com/oleaut.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/host/automation_object_impl.h"

namespace trellis::host {
namespace {

VARIANT toVariant(const Value& value) {
    VARIANT v;
    VariantInit(&v);
    if (const auto* text = std::get_if<std::string>(&value)) {
        v.vt = VT_BSTR;
        v.bstrVal = com::bstrFromUtf8(*text);
    } else if (const auto* i2 = std::get_if<std::int16_t>(&value)) {
        v.vt = VT_I2;
        v.iVal = *i2;
    } else if (const auto* i4 = std::get_if<std::int32_t>(&value)) {
        v.vt = VT_I4;
        v.lVal = *i4;
    } else if (const auto* b = std::get_if<bool>(&value)) {
        v.vt = VT_BOOL;
        v.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return v;
}

Value fromVariant(const VARIANT& v) {
    switch (v.vt) {
        case VT_BSTR:
            return com::utf8FromBstr(v.bstrVal);
        case VT_I2:
            return static_cast<std::int16_t>(v.iVal);
        case VT_I4:
        case VT_INT:
            return static_cast<std::int32_t>(v.lVal);
        case VT_BOOL:
            return v.boolVal != VARIANT_FALSE;
        default:
            return std::monostate{};
    }
}

// The host's sink for the control's events.
class EventSink final : public com::DispatchObject {
  public:
    using Handler = std::function<void(std::int32_t, const std::vector<Value>&)>;
    explicit EventSink(Handler handler)
        : DispatchObject(DIID___Trellis), handler_(std::move(handler)) {}

    STDMETHOD(Invoke)
    (DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
        std::vector<Value> args;
        if (params != nullptr) {
            for (UINT i = params->cArgs; i > 0; --i)
                args.push_back(fromVariant(params->rgvarg[i - 1]));
        }
        if (handler_) handler_(id, args);
        return S_OK;
    }

  private:
    Handler handler_;
};

}  // namespace

void AutomationObject::Impl::disconnect() {
    if (eventPoint && cookie) eventPoint->Unadvise(cookie);
    eventPoint.reset();
    cookie = 0;
}

std::optional<Value> AutomationObject::Impl::invoke(DISPID id, WORD flags,
                                                    const std::vector<Value>& args, bool named) {
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size());
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(toVariant(*it));
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), named ? &putId : nullptr,
                      static_cast<UINT>(reversed.size()), named ? 1u : 0u};
    VARIANT result;
    VariantInit(&result);
    UINT argError = 0;
    const HRESULT hr =
        dispatch->Invoke(id, IID_NULL, 0, flags, &params, &result, nullptr, &argError);
    for (auto& v : reversed) VariantClear(&v);
    if (FAILED(hr)) return std::nullopt;
    Value value = fromVariant(result);
    VariantClear(&result);
    return value;
}

AutomationObject::AutomationObject(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
AutomationObject::~AutomationObject() = default;

bool AutomationObject::putProperty(std::int32_t dispId, const Value& value) {
    return impl_->invoke(dispId, DISPATCH_PROPERTYPUT, {value}, true).has_value();
}

std::optional<Value> AutomationObject::getProperty(std::int32_t dispId) {
    return impl_->invoke(dispId, DISPATCH_PROPERTYGET, {}, false);
}

std::optional<Value> AutomationObject::call(std::int32_t dispId, const std::vector<Value>& args) {
    return impl_->invoke(dispId, DISPATCH_METHOD, args, false);
}

std::optional<std::int32_t> AutomationObject::dispIdOf(std::string_view memberName) {
    auto name = com::utf16FromUtf8(memberName);
    LPOLESTR names[1] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(impl_->dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return std::nullopt;
    return id;
}

void AutomationObject::setEventHandler(
    std::function<void(std::int32_t dispId, const std::vector<Value>& args)> handler) {
    impl_->disconnect();
    if (!handler) return;
    const auto container =
        impl_->dispatch.query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    com::ComPtr<IConnectionPoint> point;
    if (!container || FAILED(container->FindConnectionPoint(DIID___Trellis, point.put()))) return;
    const auto sink = com::ComPtr<EventSink>::adopt(new EventSink(std::move(handler)));
    DWORD cookie = 0;
    if (SUCCEEDED(point->Advise(sink.get(), &cookie))) {
        impl_->eventPoint = std::move(point);
        impl_->cookie = cookie;
    }
}

std::optional<std::pair<std::int32_t, std::int32_t>> AutomationObject::resizeTwips(
    std::int32_t width, std::int32_t height) {
    const auto ole = impl_->dispatch.query<IOleObject>(IID_IOleObject);
    if (!ole) return std::nullopt;
    SIZEL asked{com::himetricFromTwips(width), com::himetricFromTwips(height)};
    SIZEL kept{0, 0};
    const bool ok = SUCCEEDED(ole->SetExtent(DVASPECT_CONTENT, &asked)) &&
                    SUCCEEDED(ole->GetExtent(DVASPECT_CONTENT, &kept));
    if (!ok) return std::nullopt;
    return std::make_pair(com::twipsFromHimetric(kept.cx), com::twipsFromHimetric(kept.cy));
}

}  // namespace trellis::host
