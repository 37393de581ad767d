// Feeds arbitrary bytes to the .REG reader. A file it accepts is imported into a
// throw-away store, every root is exported and the export read again: that second
// reading must describe exactly the keys and values the first one left behind.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/registry/advapi32.h"
#include "platform/registry/name_fold.h"
#include "trellis/reg_files/reg_backup.h"
#include "trellis/reg_files/reg_file_parse.h"
#include "trellis/reg_files/reg_import.h"

namespace {

using pointilla::registry::foldName;
using trellis::RegFileKey;

constexpr const char* kRoots[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                  "HKEY_USERS", "HKEY_CURRENT_CONFIG"};

// Folded key path -> folded value name -> (type, bytes).
using Values = std::map<std::string, std::tuple<DWORD, std::string>>;
using Tree = std::map<std::string, Values>;

// A text's one trailing NUL is its terminator, which the export leaves out of
// the quoted form.
std::string comparable(DWORD type, std::string data) {
    if (type == REG_SZ && !data.empty() && data.back() == '\0') data.pop_back();
    return data;
}

bool carriable(std::string_view name) { return name.find_first_of("\r\n") == std::string::npos; }

// The store a reading leaves when imported into an empty one; false when it
// holds a name no .REG line can carry.
bool apply(const std::vector<RegFileKey>& keys, Tree& tree) {
    for (const char* root : kRoots) tree[root];
    for (const auto& key : keys) {
        if (!carriable(key.path)) return false;
        const std::string path = foldName(key.path);
        if (key.remove) {
            for (auto it = tree.lower_bound(path); it != tree.end();) {
                if (it->first != path && it->first.compare(0, path.size() + 1, path + "\\") != 0) {
                    break;
                }
                it = tree.erase(it);
            }
            continue;
        }
        for (auto cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1)) {
            tree[path.substr(0, cut)];
        }
        Values& values = tree[path];
        for (const auto& value : key.values) {
            if (!carriable(value.name)) return false;
            if (value.remove) {
                values.erase(foldName(value.name));
            } else {
                values[foldName(value.name)] = {value.type, comparable(value.type, value.data)};
            }
        }
    }
    return true;
}

const std::filesystem::path& workDir() {
    static const std::filesystem::path dir = [] {
        char pattern[] = "/tmp/reg-import-fuzz-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) std::abort();
        return std::filesystem::path(pattern);
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto first = trellis::parseRegFile(bytes);
    if (!first) {
        if (first.error().line < 1) std::abort();
        return 0;
    }
    Tree expected;
    if (!apply(*first, expected)) return 0;

    const auto& dir = workDir();
    const auto store = dir / "registry.db";
    pointilla::registry::useStoreAt({});
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(store.string() + suffix);
    pointilla::registry::useStoreAt(store);
    const auto input = dir / "input.reg";
    std::ofstream(input, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
    // Keys too deep for the registry are refused, and then nothing is written.
    if (!trellis::importRegFile(input, {true})) return 0;

    Tree exported;
    for (const char* root : kRoots) {
        const std::string base = (dir / "export").string();
        if (!trellis::ExportKeyToFile(root, "", base)) std::abort();
        std::ifstream in(base + ".REG", std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        const auto second = trellis::parseRegFile(text);
        if (!second) std::abort();  // the export must read back
        if (!apply(*second, exported)) std::abort();
    }
    if (exported != expected) std::abort();
    return 0;
}
