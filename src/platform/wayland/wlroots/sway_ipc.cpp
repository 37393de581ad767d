#include "platform/wayland/wlroots/sway_ipc.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pointilla::platform::wayland {
namespace {

constexpr std::string_view kMagic = "i3-ipc";
constexpr std::size_t kHeaderSize = kMagic.size() + 8;
constexpr std::uint32_t kRunCommand = 0;
constexpr std::uint32_t kSubscribe = 2;
constexpr std::uint32_t kGetConfig = 9;
constexpr std::uint32_t kGetBindingState = 12;
constexpr std::uint32_t kBindingEvent = 0x80000005U;

posix::UniqueFd connectTo(const std::string& path) {
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return {};
    posix::UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd) return {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the socket API's own cast
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return {};
    }
    return fd;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool readAll(int fd, char* into, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, into + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

std::string message(std::uint32_t type, std::string_view payload) {
    std::string bytes(kMagic);
    const auto length = static_cast<std::uint32_t>(payload.size());
    bytes.append(reinterpret_cast<const char*>(&length), 4);  // NOLINT: native byte order
    bytes.append(reinterpret_cast<const char*>(&type), 4);    // NOLINT: native byte order
    bytes.append(payload);
    return bytes;
}

struct Header {
    std::uint32_t length = 0;
    std::uint32_t type = 0;
};

Header headerOf(const char* bytes) {
    Header header;
    std::memcpy(&header.length, bytes + kMagic.size(), 4);
    std::memcpy(&header.type, bytes + kMagic.size() + 4, 4);
    return header;
}

// Sends one message and reads the reply's payload; false when the socket failed.
bool exchange(int fd, std::uint32_t type, std::string_view payload, std::string& reply) {
    if (!writeAll(fd, message(type, payload))) return false;
    char header[kHeaderSize];
    if (!readAll(fd, header, sizeof header)) return false;
    if (std::string_view(header, kMagic.size()) != kMagic) return false;
    reply.assign(headerOf(header).length, '\0');
    return readAll(fd, reply.data(), reply.size());
}

bool succeeded(std::string_view reply) {
    return reply.find("\"success\": true") != std::string_view::npos ||
           reply.find("\"success\":true") != std::string_view::npos;
}

}  // namespace

Result<std::unique_ptr<SwayIpc>, std::string> SwayIpc::connect(const std::string& socketPath) {
    posix::UniqueFd commands = connectTo(socketPath);
    posix::UniqueFd events = connectTo(socketPath);
    if (!commands || !events) return fail("no sway IPC socket at " + socketPath);
    std::string reply;
    if (!exchange(events.get(), kSubscribe, R"(["binding"])", reply) || !succeeded(reply)) {
        return fail(std::string("sway refused the binding subscription"));
    }
    ::fcntl(events.get(), F_SETFL, ::fcntl(events.get(), F_GETFL) | O_NONBLOCK);
    return std::unique_ptr<SwayIpc>(
        new SwayIpc(socketPath, std::move(commands), std::move(events)));
}

Status<std::string> SwayIpc::run(std::string_view command) {
    std::string reply;
    if (!exchange(commands_.get(), kRunCommand, command, reply)) {
        return fail(std::string("sway IPC connection lost"));
    }
    if (succeeded(reply)) return {};
    return fail(jsonStringField(reply, "error"));
}

std::string SwayIpc::replyField(std::uint32_t type, std::string_view field) {
    std::string reply;
    if (!exchange(commands_.get(), type, {}, reply)) return {};
    return jsonStringField(reply, field);
}

std::string SwayIpc::loadedConfig() { return replyField(kGetConfig, "config"); }

std::string SwayIpc::bindingMode() {
    std::string mode = replyField(kGetBindingState, "name");
    return mode.empty() ? "default" : mode;
}

bool SwayIpc::readBindingEvents(const std::function<void(std::string_view command)>& onBinding) {
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(events_.get(), buffer, sizeof buffer);
        if (got > 0) {
            pending_.append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 && errno == EINTR) continue;
        if (got == 0) return false;  // sway went away
        break;                       // EAGAIN: all read
    }
    while (pending_.size() >= kHeaderSize) {
        const Header header = headerOf(pending_.data());
        if (pending_.size() < kHeaderSize + header.length) break;
        const std::string_view payload(pending_.data() + kHeaderSize, header.length);
        if (header.type == kBindingEvent) onBinding(jsonStringField(payload, "command"));
        pending_.erase(0, kHeaderSize + header.length);
    }
    return true;
}

namespace {

// The four hex digits at `at`, or -1.
long hexQuad(std::string_view json, std::size_t at) {
    if (at + 4 > json.size()) return -1;
    long value = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
        const char c = json[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

void appendUtf8(std::string& text, long code) {
    const auto byte = [](long bits) { return static_cast<char>(bits); };
    if (code < 0x80) {
        text += byte(code);
    } else if (code < 0x800) {
        text += byte(0xC0 | (code >> 6));
        text += byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += byte(0xE0 | (code >> 12));
        text += byte(0x80 | ((code >> 6) & 0x3F));
        text += byte(0x80 | (code & 0x3F));
    } else {
        text += byte(0xF0 | (code >> 18));
        text += byte(0x80 | ((code >> 12) & 0x3F));
        text += byte(0x80 | ((code >> 6) & 0x3F));
        text += byte(0x80 | (code & 0x3F));
    }
}

// A "\uXXXX" escape (two for a character beyond the first plane) starting at
// `at` (the "u"); moves `at` to its last digit. False when it is malformed.
bool readUnicodeEscape(std::string_view json, std::size_t& at, std::string& text) {
    long code = hexQuad(json, at + 1);
    if (code < 0) return false;
    at += 4;
    if (code >= 0xD800 && code < 0xDC00 && json.substr(at + 1, 2) == "\\u") {
        const long low = hexQuad(json, at + 3);
        if (low >= 0xDC00 && low < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            at += 6;
        }
    }
    appendUtf8(text, code);
    return true;
}

}  // namespace

std::string jsonStringField(std::string_view json, std::string_view key) {
    const std::string quotedKey = "\"" + std::string(key) + "\"";
    std::size_t at = json.find(quotedKey);
    if (at == std::string_view::npos) return {};
    at = json.find_first_not_of(" \t\r\n", at + quotedKey.size());
    if (at == std::string_view::npos || json[at] != ':') return {};
    at = json.find_first_not_of(" \t\r\n", at + 1);
    if (at == std::string_view::npos || json[at] != '"') return {};
    std::string text;
    for (++at; at < json.size() && json[at] != '"'; ++at) {
        char c = json[at];
        if (c == '\\' && at + 1 < json.size()) {
            c = json[++at];
            switch (c) {
                case 'n':
                    c = '\n';
                    break;
                case 't':
                    c = '\t';
                    break;
                case 'r':
                    c = '\r';
                    break;
                case 'b':
                    c = '\b';
                    break;
                case 'f':
                    c = '\f';
                    break;
                case 'u':
                    if (readUnicodeEscape(json, at, text)) continue;
                    break;
                default:
                    break;  // \" \\ \/ stand for themselves
            }
        }
        text.push_back(c);
    }
    return text;
}

}  // namespace pointilla::platform::wayland
