#include "interrupt_cleanup.hpp"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace tessan {

namespace {

enum SlotState : int { kFree = 0, kClaimed = 1, kArmed = 2 };

// Read by the signal handler: lock-free atomics and fixed buffers only.
struct Slot {
  std::atomic<int> state{kFree};
  std::array<char, PATH_MAX> path{};
};

constexpr std::size_t kSlots = 8;
std::array<Slot, kSlots> g_slots;

static_assert(std::atomic<int>::is_always_lock_free);

// Removes the armed files and ends the process by the same signal, with its default action.
// Only async-signal-safe calls: unlink, sigaction, raise.
void remove_and_reraise(int signal_number) {
  for (Slot& slot : g_slots) {
    if (slot.state.load() == kArmed) ::unlink(slot.path.data());
  }
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  ::sigaction(signal_number, &default_action, nullptr);
  // Blocked while the handler runs; delivered, with the default action, when it returns.
  ::raise(signal_number);
}

void install_handler(int signal_number) {
  struct sigaction current {};
  if (::sigaction(signal_number, nullptr, &current) != 0) return;
  if (current.sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = remove_and_reraise;
  sigemptyset(&action.sa_mask);
  sigaddset(&action.sa_mask, SIGINT);
  sigaddset(&action.sa_mask, SIGTERM);
  ::sigaction(signal_number, &action, nullptr);
}

void install_handlers_once() {
  static std::once_flag once;
  std::call_once(once, [] {
    install_handler(SIGINT);
    install_handler(SIGTERM);
  });
}

int claim_slot() {
  for (std::size_t i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (g_slots[i].state.compare_exchange_strong(expected, kClaimed)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

InterruptCleanup::InterruptCleanup(const std::string& path) {
  install_handlers_once();
  if (path.size() >= PATH_MAX) return;
  slot_ = claim_slot();
  if (slot_ < 0) return;
  Slot& slot = g_slots[static_cast<std::size_t>(slot_)];
  std::memcpy(slot.path.data(), path.c_str(), path.size() + 1);
  slot.state.store(kArmed);
}

InterruptCleanup::~InterruptCleanup() {
  release();
}

void InterruptCleanup::release() {
  if (slot_ < 0) return;
  g_slots[static_cast<std::size_t>(slot_)].state.store(kFree);
  slot_ = -1;
}

}  // namespace tessan
