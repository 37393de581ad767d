// trellis: inspect and repair the registry store from the command line, through
// the Trellis control itself (created from Dovetail.Trellis and called by
// dispatch identifier), plus .REG import and server registration.

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "language/language.h"
#include "messages/tool_voice.h"
#include "messages/trellis_messages.h"
#include "platform/console.h"
#include "platform/files/file_size_limit.h"
#include "tools/trellis/registry_import.h"
#include "trellis/host/automation_host.h"
#include "trellis/host/trellis_dispids.h"

namespace {

using trellis::host::Value;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

namespace words = pointilla::messages;

// Every line the tool says on its error stream, after its name.
const words::ToolVoice& voice() {
    static const words::ToolVoice kVoice(words::kTrellisProgram, std::cerr);
    return kVoice;
}

int usage(const std::string& mistake) { return voice().refuseUsage(mistake, kExitUsage); }

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
    if (files.size() != 1) return usage(words::wrongArguments("import"));
    return trellis::cli::importRegistryFile(files[0], allowClasses);
}

int serverCommand(bool registering, const std::vector<std::string>& args) {
    if (args.size() > 1) {
        return usage(words::wrongArguments(registering ? "register" : "unregister"));
    }
    const std::filesystem::path library =
        args.empty() ? ownLibrary() : pointilla::platform::pathFromArgument(args[0]);
    const auto done = registering ? trellis::host::registerServer(library)
                                  : trellis::host::unregisterServer(library);
    if (!done) {
        voice().say(words::hostFailureText(done.error()));
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
    if (shape == nullptr) return usage(words::unknownCommand(command));
    if (args.size() < shape->minArgs || args.size() > shape->maxArgs) {
        return usage(words::wrongArguments(command));
    }
    std::vector<Value> callArgs;
    if (command == "set-dword") {
        const auto number = parseNumber(args[2]);
        if (!number) {
            return usage(words::notA32BitNumber(args[2]));
        }
        callArgs = {args[1], *number};
    } else if (command == "exists") {
        std::int32_t type = 0;
        if (args.size() == 3) {
            const auto number = parseNumber(args[2]);
            if (!number) {
                return usage(words::notAValueType(args[2]));
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
        voice().say(words::hostFailureText(created.error()));
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
        voice().say(words::keyRefused(args[0]));
        return kExitFailure;
    }
    const auto result = object.call(shape->dispId, callArgs);
    if (!result) {
        voice().say(words::callFailed());
        return kExitFailure;
    }
    if (command == "get" || command == "get-dword" || command == "exists") {
        std::cout << asText(*result) << "\n";
    }
    std::cout.flush();
    for (const auto code : errors) {
        std::cerr << words::regErrorLine(code) << "\n";
    }
    // When the store itself failed, its reason says more than any code.
    const std::string storeFailure = trellis::host::takeControlStoreFailure();
    if (!storeFailure.empty()) voice().say(storeFailure);
    // A member can answer False without RegError (the export after its own
    // message box): that is a failure too. For "exists", False is an answer.
    const bool answeredFalse =
        command != "exists" && std::holds_alternative<bool>(*result) && !std::get<bool>(*result);
    if (answeredFalse && errors.empty()) voice().say(words::memberFailed(command));
    return errors.empty() && !answeredFalse && storeFailure.empty() ? 0 : kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
    pointilla::language::settleInterfaceLanguage();
    pointilla::platform::files::reportFileSizeLimitAsError();
    // Key paths, values and file names beyond the ANSI code page arrive whole.
    const std::vector<std::string> all = pointilla::platform::programArguments(argc, argv);
    if (all.size() < 2) return usage(words::commandMissing());
    const std::string& command = all[1];
    const std::vector<std::string> args(all.begin() + 2, all.end());
    if (command == "-h" || command == "--help") {
        std::cout << words::trellisUsageText(trellis::cli::registryUsageNote());
        return 0;
    }
    if (command == "register" || command == "unregister") {
        return serverCommand(command == "register", args);
    }
    if (command == "import") return importCommand(args);
    return controlCommand(command, args);
}
