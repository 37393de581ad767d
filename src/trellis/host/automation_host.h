#pragma once
// Host side of the Trellis control: creates an object from its programmatic
// identifier (here through its registration in the registry store and the
// library's class factory; on Windows through COM) and calls it late, by
// dispatch identifier. Nothing here links against the library; it is loaded at
// run time.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/host_failure.h"
#include "common/result.h"

namespace trellis::host {

// A value crossing the dispatch interface: empty, UTF-8 text, 16-bit and 32-bit
// integers, automation Boolean (VT_BOOL; true is -1 on the wire).
using Value = std::variant<std::monostate, std::string, std::int16_t, std::int32_t, bool>;

class AutomationObject {  // owns one reference to the object's dispatch interface
  public:
    struct Impl;
    explicit AutomationObject(std::unique_ptr<Impl> impl);
    ~AutomationObject();
    AutomationObject(const AutomationObject&) = delete;
    AutomationObject& operator=(const AutomationObject&) = delete;

    bool putProperty(std::int32_t dispId, const Value& value);  // DISPATCH_PROPERTYPUT
    std::optional<Value> getProperty(std::int32_t dispId);      // DISPATCH_PROPERTYGET
    // DISPATCH_METHOD, args in declaration order; nullopt when Invoke failed.
    std::optional<Value> call(std::int32_t dispId, const std::vector<Value>& args);
    std::optional<std::int32_t> dispIdOf(std::string_view memberName);  // GetIDsOfNames
    // Receives the object's events (dispatch id and arguments), e.g. RegError (1) with its code.
    void setEventHandler(
        std::function<void(std::int32_t dispId, const std::vector<Value>& args)> handler);
    // Asks the control to take the given size in twips on its host; returns the size it
    // actually keeps (the control's own extent wins over the host's request).
    std::optional<std::pair<std::int32_t, std::int32_t>> resizeTwips(std::int32_t width,
                                                                     std::int32_t height);

  private:
    std::unique_ptr<Impl> impl_;
};

// The object, or why it could not be created.
using CreatedObject = pointilla::Result<std::unique_ptr<AutomationObject>, pointilla::HostFailure>;

// Reads the class's registration under HKEY_CLASSES_ROOT in the registry store,
// loads the library and asks its class factory for an object. On Windows:
// CLSIDFromProgID and CoCreateInstance, in a single-threaded apartment.
CreatedObject createObject(std::string_view progId);
// Calls the library's DllRegisterServer, on Windows its DllInstall for the
// current user (no administrator rights needed); a failure says why.
pointilla::Status<pointilla::HostFailure> registerServer(const std::filesystem::path& library);
pointilla::Status<pointilla::HostFailure> unregisterServer(const std::filesystem::path& library);
// The words the control's registry store gave for why the latest call into the
// control on this thread failed (busy, read-only, damaged, disk full), "" when
// none; taking them clears them. The control keeps its own connection to the
// store, so the host asks it, as COM hosts ask for error information.
std::string takeControlStoreFailure();
// Where the library is installed relative to an executable:
// <exe dir>/../lib/pointilla/libtrellis.so, on Windows <exe dir>\Trellis.dll
std::filesystem::path defaultLibraryBeside(const std::filesystem::path& executable);

// Message boxes the library shows (text, title, icon flags as a message box takes
// them). Installed into every library loaded after the call and into those loaded
// already; the library's default writes them to standard error.
using MessageHandler =
    std::function<void(const std::string& text, const std::string& title, std::uint32_t flags)>;
void setMessageHandler(MessageHandler handler);

}  // namespace trellis::host
