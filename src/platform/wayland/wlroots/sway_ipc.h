#pragma once
// A client of sway's IPC socket ($SWAYSOCK; the i3 message format: "i3-ipc",
// payload length, message type, JSON payload): one connection that runs
// commands and waits for their replies, one subscribed to binding events and
// read without blocking when its descriptor is readable.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/result.h"
#include "platform/posix/unique_fd.h"

namespace pointilla::platform::wayland {

class SwayIpc {
  public:
    // Both connections made and the subscription accepted; otherwise why not.
    static Result<std::unique_ptr<SwayIpc>, std::string> connect(const std::string& socketPath);

    // Runs one command; sway's error when it refused it.
    Status<std::string> run(std::string_view command);
    // The text of the config sway loaded last (bindings made at run time are
    // not in it); empty when sway did not answer.
    std::string loadedConfig();
    // The binding mode in force, where bindings made now go: "default".
    std::string bindingMode();
    const std::string& socketPath() const { return socketPath_; }

    // Readable when binding events wait.
    int eventFd() const { return events_.get(); }
    // Reads what has arrived, without blocking, and hands the command of each
    // binding event on. False when the connection is gone.
    bool readBindingEvents(const std::function<void(std::string_view command)>& onBinding);

  private:
    SwayIpc(std::string socketPath, posix::UniqueFd commands, posix::UniqueFd events)
        : socketPath_(std::move(socketPath)),
          commands_(std::move(commands)),
          events_(std::move(events)) {}
    std::string replyField(std::uint32_t type, std::string_view field);

    std::string socketPath_;

    posix::UniqueFd commands_;
    posix::UniqueFd events_;
    std::string pending_;  // a partly read event
};

// The text of a JSON object's first string field named `key`, found anywhere in
// `json`, its escapes decoded; empty when there is none. Enough for sway's
// flat replies.
std::string jsonStringField(std::string_view json, std::string_view key);

}  // namespace pointilla::platform::wayland
