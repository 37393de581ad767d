// Throughput of the Trellis control through its dispatch interface, and the
// time to export and import a tree of 10,000 values. Works on a throw-away store.

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_support.h"
#include "messages/trellis_messages.h"
#include "platform/registry/advapi32.h"
#include "trellis/host/automation_host.h"
#include "trellis/host/trellis_dispids.h"
#include "trellis/reg_files/reg_import.h"

namespace {

using pointilla::bench::Clock;
using pointilla::bench::secondsSince;
using trellis::host::Value;

// 100 keys of 100 values each: texts, numbers and binary data.
void buildTree(const std::string& base) {
    pointilla::registry::WriteBatch batch;
    for (int k = 0; k < 100; ++k) {
        HKEY key = nullptr;
        const std::string path = base + "\\Key" + std::to_string(k);
        if (RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &key) != ERROR_SUCCESS) std::exit(1);
        for (int v = 0; v < 100; ++v) {
            const std::string name = "value" + std::to_string(v);
            std::string data;
            DWORD type = REG_SZ;
            if (v % 3 == 0) {
                data = "C:\\Program Files\\Example\\" + name;
            } else if (v % 3 == 1) {
                type = REG_DWORD;
                const DWORD n = static_cast<DWORD>(k * 1000 + v);
                data.assign(reinterpret_cast<const char*>(&n), 4);
            } else {
                type = REG_BINARY;
                for (int b = 0; b < 40; ++b) data.push_back(static_cast<char>(b * v));
            }
            RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size()));
        }
        RegCloseKey(key);
    }
    if (!batch.commit()) std::fprintf(stderr, "the bench's values were not stored\n");
}

}  // namespace

int main(int argc, char** argv) {
    char pattern[] = "/tmp/trellis-bench-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (dir == nullptr) return 1;
    const std::string store = std::string(dir) + "/registry.db";
    setenv("TRELLIS_REGISTRY", store.c_str(), 1);
    pointilla::registry::useStoreAt(store);

    const std::filesystem::path library =
        argc > 1
            ? std::filesystem::path(argv[1])
            : trellis::host::defaultLibraryBeside(std::filesystem::read_symlink("/proc/self/exe"));
    if (auto registered = trellis::host::registerServer(library); !registered) {
        std::fprintf(stderr, "%s\n",
                     pointilla::messages::hostFailureText(registered.error()).c_str());
        return 1;
    }
    auto created = trellis::host::createObject(trellis::kProgId);
    if (!created) {
        std::fprintf(stderr, "%s\n", pointilla::messages::hostFailureText(created.error()).c_str());
        return 1;
    }
    auto& control = **created;
    control.putProperty(trellis::dispid::CurrentKey, std::string("HKEY_CURRENT_USER\\Software"));
    control.call(trellis::dispid::CreateAKey, {std::string("Bench")});
    control.putProperty(trellis::dispid::CurrentKey,
                        std::string("HKEY_CURRENT_USER\\Software\\Bench"));

    const int writes = 5000;
    auto start = Clock::now();
    for (int i = 0; i < writes; ++i) {
        control.call(trellis::dispid::SetStringVal,
                     {std::string("name") + std::to_string(i % 50), std::to_string(i)});
    }
    const double writeSeconds = secondsSince(start);

    const int reads = 100000;
    start = Clock::now();
    std::size_t totalLength = 0;
    for (int i = 0; i < reads; ++i) {
        auto v = control.call(trellis::dispid::GetStringVal,
                              {std::string("name") + std::to_string(i % 50)});
        if (v) totalLength += std::get<std::string>(*v).size();
    }
    const double readSeconds = secondsSince(start);

    buildTree("Software\\Tree");
    const std::string exportDir = std::string(dir);
    start = Clock::now();
    auto exported = control.call(
        trellis::dispid::BackupKey,
        {std::string("HKEY_CURRENT_USER\\Software\\Tree"), exportDir, std::string("tree")});
    const double exportSeconds = secondsSince(start);
    if (!exported || !std::get<bool>(*exported)) {
        std::fprintf(stderr, "export failed\n");
        return 1;
    }

    // Import into an emptied store, as a restore would.
    pointilla::registry::useStoreAt(std::string(dir) + "/restored.db");
    start = Clock::now();
    const auto imported = trellis::importRegFile(exportDir + "/tree.REG");
    const double importSeconds = secondsSince(start);
    if (!imported) {
        std::fprintf(stderr, "the import of %s/tree.REG failed (kind %d)\n", exportDir.c_str(),
                     static_cast<int>(imported.error().kind));
        return 1;
    }

    std::printf("SetStringVal through dispatch: %.0f per second (%d calls)\n",
                writes / writeSeconds, writes);
    std::printf("GetStringVal through dispatch: %.0f per second (%d calls, target > 50000)\n",
                reads / readSeconds, reads);
    std::printf("export of 10,000 values: %.3f s (target < 0.5 s), %ju bytes\n", exportSeconds,
                static_cast<std::uintmax_t>(std::filesystem::file_size(exportDir + "/tree.REG")));
    std::printf("import of 10,000 values: %.3f s (target < 0.5 s)\n", importSeconds);
    std::printf("(read %zu characters)\n", totalLength);
    std::filesystem::remove_all(dir);
    return 0;
}
