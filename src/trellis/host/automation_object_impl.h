#pragma once
// What an AutomationObject holds: the object's dispatch interface and, while a
// handler listens, the connection to its events. Each system's host fills the
// dispatch interface in its own way.

#include <optional>
#include <vector>

#include "platform/com/com_interfaces.h"
#include "trellis/com/com_ptr.h"
#include "trellis/host/automation_host.h"

namespace trellis::host {

struct AutomationObject::Impl {
    com::ComPtr<IDispatch> dispatch;
    com::ComPtr<IConnectionPoint> eventPoint;
    DWORD cookie = 0;

    ~Impl() { disconnect(); }
    void disconnect();
    std::optional<Value> invoke(DISPID id, WORD flags, const std::vector<Value>& args, bool named);
};

}  // namespace trellis::host
