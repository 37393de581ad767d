#include "settings/trellis_registry_control.h"

#include <cstdint>
#include <variant>

#include "trellis/host/automation_host.h"
#include "trellis/host/trellis_dispids.h"

namespace pointilla::settings {

namespace {

using trellis::host::Value;

// An automation Boolean: True is -1, False 0; any non-zero integer counts as true.
bool truthOf(const std::optional<Value>& result) {
    if (!result) return false;
    if (const bool* b = std::get_if<bool>(&*result)) return *b;
    if (const std::int16_t* s = std::get_if<std::int16_t>(&*result)) return *s != 0;
    if (const std::int32_t* l = std::get_if<std::int32_t>(&*result)) return *l != 0;
    return false;
}

std::string textOf(const std::optional<Value>& result) {
    if (!result) return {};
    if (const std::string* text = std::get_if<std::string>(&*result)) return *text;
    return {};
}

}  // namespace

TrellisRegistryControl::TrellisRegistryControl(
    std::unique_ptr<trellis::host::AutomationObject> control)
    : control_(std::move(control)) {}

TrellisRegistryControl::~TrellisRegistryControl() = default;

void TrellisRegistryControl::setCurrentKey(const std::string& keyPath) {
    control_->putProperty(trellis::dispid::CurrentKey, Value(keyPath));
}

bool TrellisRegistryControl::createAKey(const std::string& subKeyName) {
    return truthOf(control_->call(trellis::dispid::CreateAKey, {Value(subKeyName)}));
}

bool TrellisRegistryControl::keyExists(const std::string& valueName, int valueType) {
    return truthOf(control_->call(trellis::dispid::KeyExists,
                                  {Value(valueName), Value(static_cast<std::int32_t>(valueType))}));
}

bool TrellisRegistryControl::setStringVal(const std::string& valueName, const std::string& value) {
    return truthOf(control_->call(trellis::dispid::SetStringVal, {Value(valueName), Value(value)}));
}

std::string TrellisRegistryControl::getStringVal(const std::string& valueName) {
    return textOf(control_->call(trellis::dispid::GetStringVal, {Value(valueName)}));
}

Result<std::unique_ptr<RegistryControl>, ControlFailure> createTrellisControl(
    const std::filesystem::path& executable) {
    const std::string progId(trellis::kProgId);
    trellis::host::CreatedObject created = trellis::host::createObject(progId);
    if (!created) {
        const std::filesystem::path library = trellis::host::defaultLibraryBeside(executable);
        auto registered = trellis::host::registerServer(library);
        if (!registered) {
            return fail(ControlFailure{ControlFailure::Kind::RegistrationFailed, progId, library,
                                       std::move(registered).error()});
        }
        created = trellis::host::createObject(progId);
    }
    if (!created) {
        return fail(
            ControlFailure{ControlFailure::Kind::CreationFailed, progId, {}, created.error()});
    }
    return std::unique_ptr<RegistryControl>(
        std::make_unique<TrellisRegistryControl>(std::move(created).value()));
}

}  // namespace pointilla::settings
