#pragma once
// The requests to stop a console program: SIGINT and SIGTERM, or Ctrl+C and
// Ctrl+Break on a Windows console. While a StopSignals lives they are noted
// instead of ending the program; one lives at a time.

namespace pointilla::platform {

class StopSignals {
  public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The request noted (a Ctrl+C is SIGINT), 0 while none came.
    static int caught();
    // Readable once a request came, to wake a wait; -1 where the system has no
    // such descriptor (the waiter then looks at caught() often instead).
    int fd() const { return fds_[0]; }
    // Consumes what made fd() readable.
    void drain() const;
    // Ends the program as the noted request itself would have, as the shell
    // that sent it expects; returns the status to end with where it cannot.
    int endAsRequested(int otherwise) const;

  private:
    int fds_[2] = {-1, -1};
};

}  // namespace pointilla::platform
