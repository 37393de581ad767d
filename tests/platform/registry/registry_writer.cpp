// Test helper: writes COUNT string values NAME-PREFIX<i> under KEY of
// HKEY_CURRENT_USER in the store named by TRELLIS_REGISTRY, BATCH values per
// transaction, then prints "done". Another process writes at the same time, or
// the test kills this one mid-way. With "drop-locks" it prints each value's name
// once written, and between writes opens and closes the store's three files as
// any other part of a program may (a file dialog browsing the folder).

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/registry/advapi32.h"

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: registry_writer KEY PREFIX COUNT BATCH [drop-locks]\n");
        return 2;
    }
    const bool dropLocks = argc == 6 && std::string(argv[5]) == "drop-locks";
    const std::string store = pointilla::registry::defaultStorePath().string();
    const std::string prefix = argv[2];
    const long count = std::atol(argv[3]);
    const long batchSize = std::atol(argv[4]);
    HKEY key = nullptr;
    if (const LONG s = RegCreateKeyA(HKEY_CURRENT_USER, argv[1], &key); s != ERROR_SUCCESS) {
        const auto usable = pointilla::registry::storeUsable();
        std::fprintf(stderr, "cannot create the key (%ld): %s\n", static_cast<long>(s),
                     usable ? "" : usable.error().c_str());
        return 1;
    }
    std::unique_ptr<pointilla::registry::WriteBatch> batch;
    for (long i = 0; i < count; ++i) {
        if (batchSize > 1 && !batch) batch = std::make_unique<pointilla::registry::WriteBatch>();
        const std::string name = prefix + std::to_string(i);
        // A long text makes each transaction take a while.
        const std::string text = name + std::string(512, '.') + name;
        if (RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                           static_cast<DWORD>(text.size())) != ERROR_SUCCESS) {
            std::fprintf(stderr, "write %ld failed\n", i);
            return 1;
        }
        if (dropLocks) {
            std::printf("%s\n", name.c_str());
            std::fflush(stdout);
            for (const char* suffix : {"", "-wal", "-shm"}) {
                const int fd = ::open((store + suffix).c_str(), O_RDONLY | O_CLOEXEC);
                if (fd >= 0) ::close(fd);
            }
            ::usleep(1000);
        }
        if (batch && (i + 1) % batchSize == 0) {
            if (!batch->commit()) return 1;
            batch.reset();
        }
    }
    if (batch && !batch->commit()) return 1;
    RegCloseKey(key);
    std::printf("done\n");
    return 0;
}
