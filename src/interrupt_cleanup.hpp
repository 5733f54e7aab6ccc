// Removing the temporary files being written when SIGINT or SIGTERM ends the process.
#pragma once

#include <string>

namespace tessan {

// A temporary file that is removed should SIGINT or SIGTERM arrive while it is registered; the
// process then ends by the signal, as it would have without the handler. Registering installs
// the handlers, once, leaving a signal alone that the process ignores. A path too long to keep,
// or more files at once than there are slots for, go unprotected (a later run sweeps them).
class InterruptCleanup {
 public:
  explicit InterruptCleanup(const std::string& path);
  ~InterruptCleanup();
  InterruptCleanup(const InterruptCleanup&) = delete;
  InterruptCleanup& operator=(const InterruptCleanup&) = delete;

  // Ends the protection: the file was renamed away or removed.
  void release();

 private:
  int slot_ = -1;
};

}  // namespace tessan
