// trellis: inspect and repair the registry store from the command line, through
// the Trellis control itself (created from Dovetail.Trellis and called by
// dispatch identifier), plus .REG import and server registration.

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/posix/file_size_limit.h"
#include "tools/trellis/registry_import.h"
#include "trellis/host/automation_host.h"
#include "trellis/host/trellis_dispids.h"

namespace {

using trellis::host::Value;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: trellis get KEY NAME\n"
    "       trellis get-dword KEY NAME\n"
    "       trellis set KEY NAME TEXT\n"
    "       trellis set-dword KEY NAME NUMBER\n"
    "       trellis exists KEY NAME [TYPE]\n"
    "       trellis create KEY SUBKEY\n"
    "       trellis delete KEY SUBKEY\n"
    "       trellis export KEY DIR FILE\n"
    "       trellis import [--allow-classes] FILE\n"
    "       trellis register [LIBRARY]\n"
    "       trellis unregister [LIBRARY]\n"
    "KEY is a key path such as HKEY_CURRENT_USER\\Software\\Example.\n"
    "import refuses a file that registers a program the tools run (a class's\n"
    "server, the About box's tool) unless --allow-classes is given.\n";

int usage() {
    std::cerr << kUsage << trellis::cli::kRegistryUsageNote;
    return kExitUsage;
}

// A signed 32-bit number; values up to 0xFFFFFFFF written unsigned or in hex wrap
// to their two's-complement pattern, as a DWORD would.
std::optional<std::int32_t> parseNumber(const std::string& text) {
    std::string_view digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    long long n = 0;
    const auto* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, n, base);
    if (ec != std::errc() || ptr != end || digits.empty()) return std::nullopt;
    if (n < -2147483648LL || n > 0xFFFFFFFFLL) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
}

// What the control means by the codes of its RegError event.
std::string regErrorMeaning(std::int32_t code) {
    switch (code) {
        case 1010:
            return "the key path is not acceptable";
        case 1011:
            return "creating or deleting the sub-key failed";
        case 1012:
            return "the value cannot be read";
        case 1013:
            return "the value cannot be written";
        case 76:
            return "the backup directory does not exist";
        case 5:
            return "run-time error: invalid procedure call";
        case 7:
            return "run-time error: out of memory";
        default:
            return "run-time error " + std::to_string(code);
    }
}

std::filesystem::path ownLibrary() {
    const std::filesystem::path self = pointilla::platform::programPath();
    return trellis::host::defaultLibraryBeside(self.empty() ? std::filesystem::path("trellis")
                                                            : self);
}

std::string asText(const Value& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* i = std::get_if<std::int32_t>(&v)) return std::to_string(*i);
    if (const auto* i = std::get_if<std::int16_t>(&v)) return std::to_string(*i);
    if (const auto* b = std::get_if<bool>(&v)) return *b ? "True" : "False";
    return {};
}

int importCommand(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    bool allowClasses = false;
    for (const auto& arg : args) {
        if (arg == "--allow-classes") {
            allowClasses = true;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) return usage();
    return trellis::cli::importRegistryFile(files[0], allowClasses);
}

int serverCommand(bool registering, const std::vector<std::string>& args) {
    if (args.size() > 1) return usage();
    const std::filesystem::path library =
        args.empty() ? ownLibrary() : pointilla::platform::pathFromArgument(args[0]);
    const auto done = registering ? trellis::host::registerServer(library)
                                  : trellis::host::unregisterServer(library);
    if (!done) {
        std::cerr << "trellis: " << done.error() << "\n";
        return kExitFailure;
    }
    return 0;
}

// Runs one member on an object whose current key is KEY.
int controlCommand(const std::string& command, const std::vector<std::string>& args) {
    struct Shape {
        const char* name;
        std::int32_t dispId;
        std::size_t minArgs, maxArgs;
    };
    static const Shape kShapes[] = {
        {"get", trellis::dispid::GetStringVal, 2, 2},
        {"get-dword", trellis::dispid::GetDWORDVal, 2, 2},
        {"set", trellis::dispid::SetStringVal, 3, 3},
        {"set-dword", trellis::dispid::SetDWORDVal, 3, 3},
        {"exists", trellis::dispid::KeyExists, 2, 3},
        {"create", trellis::dispid::CreateAKey, 2, 2},
        {"delete", trellis::dispid::DeleteAKey, 2, 2},
        {"export", trellis::dispid::BackupKey, 3, 3},
    };
    const Shape* shape = nullptr;
    for (const auto& s : kShapes) {
        if (command == s.name) shape = &s;
    }
    if (shape == nullptr || args.size() < shape->minArgs || args.size() > shape->maxArgs) {
        return usage();
    }
    std::vector<Value> callArgs;
    if (command == "set-dword") {
        const auto number = parseNumber(args[2]);
        if (!number) {
            std::cerr << "trellis: not a 32-bit number: " << args[2] << "\n";
            return usage();
        }
        callArgs = {args[1], *number};
    } else if (command == "exists") {
        std::int32_t type = 0;
        if (args.size() == 3) {
            const auto number = parseNumber(args[2]);
            if (!number) {
                std::cerr << "trellis: not a value type: " << args[2] << "\n";
                return usage();
            }
            type = *number;
        }
        callArgs = {args[1], type};
    } else if (command == "export") {
        callArgs = {args[0], args[1], args[2]};
    } else {
        for (std::size_t i = 1; i < args.size(); ++i) callArgs.emplace_back(args[i]);
    }

    auto created = trellis::host::createObject(trellis::kProgId);
    if (!created) {
        std::cerr << "trellis: " << created.error() << "\n";
        return kExitFailure;
    }
    auto& object = **created;
    std::vector<std::int32_t> errors;
    object.setEventHandler([&](std::int32_t id, const std::vector<Value>& eventArgs) {
        if (id == trellis::dispid::RegError && !eventArgs.empty()) {
            if (const auto* code = std::get_if<std::int32_t>(&eventArgs[0])) {
                errors.push_back(*code);
            }
        }
    });
    if (!object.putProperty(trellis::dispid::CurrentKey, args[0])) {
        std::cerr << "trellis: the control refused the key\n";
        return kExitFailure;
    }
    const auto result = object.call(shape->dispId, callArgs);
    if (!result) {
        std::cerr << "trellis: the call to the control failed\n";
        return kExitFailure;
    }
    if (command == "get" || command == "get-dword" || command == "exists") {
        std::cout << asText(*result) << "\n";
    }
    std::cout.flush();
    for (const auto code : errors) {
        std::cerr << "RegError " << code << ": " << regErrorMeaning(code) << "\n";
    }
    // When the store itself failed, its reason says more than any code.
    const std::string storeFailure = trellis::host::takeControlStoreFailure();
    if (!storeFailure.empty()) std::cerr << "trellis: " << storeFailure << "\n";
    // A member can answer False without RegError (the export after its own
    // message box): that is a failure too. For "exists", False is an answer.
    const bool answeredFalse =
        command != "exists" && std::holds_alternative<bool>(*result) && !std::get<bool>(*result);
    if (answeredFalse && errors.empty()) std::cerr << "trellis: " << command << " failed\n";
    return errors.empty() && !answeredFalse && storeFailure.empty() ? 0 : kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
    pointilla::platform::posix::reportFileSizeLimitAsError();
    // Key paths, values and file names beyond the ANSI code page arrive whole.
    const std::vector<std::string> all = pointilla::platform::programArguments(argc, argv);
    if (all.size() < 2) return usage();
    const std::string& command = all[1];
    const std::vector<std::string> args(all.begin() + 2, all.end());
    if (command == "-h" || command == "--help") {
        std::cout << kUsage << trellis::cli::kRegistryUsageNote;
        return 0;
    }
    if (command == "register" || command == "unregister") {
        return serverCommand(command == "register", args);
    }
    if (command == "import") return importCommand(args);
    return controlCommand(command, args);
}
