#pragma once
// Running the programs under test as a person's shell would, without a shell.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace pointilla::e2e {

struct Environment {
    std::vector<std::string> set;    // "NAME=VALUE", added or replacing
    std::vector<std::string> unset;  // names removed
};

struct Finished {
    int exitCode = -1;  // -1 when killed by a signal
    std::string out;
    std::string err;
};

// Runs to the end, standard input empty, capturing both outputs.
Finished runToEnd(const std::vector<std::string>& argv, const Environment& environment = {});

// A program that runs beside the test, with a pipe on its standard input and
// standard output. Killed and reaped when destroyed.
class Child {
  public:
    explicit Child(const std::vector<std::string>& argv, const Environment& environment = {});
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The next line of its output without the newline; nullopt on time-out or end.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);
    // Closes its standard input and waits for it to end; its exit code.
    int finish();

  private:
    pid_t pid_ = -1;
    int stdin_ = -1;
    int stdout_ = -1;
    std::string buffered_;
};

}  // namespace pointilla::e2e
