#include "foundation/OrderedWorkers.h"

#include <linux/futex.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t));

namespace ordered_workers {
void Wait(std::atomic<uint32_t>& word, uint32_t value, int timeoutMs) {
    const timespec timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
    ::syscall(SYS_futex, reinterpret_cast<uint32_t*>(&word), FUTEX_WAIT_PRIVATE, value,
              timeoutMs < 0 ? nullptr : &timeout, nullptr, 0);
}

void Wake(std::atomic<uint32_t>& word, int count) {
    ::syscall(SYS_futex, reinterpret_cast<uint32_t*>(&word), FUTEX_WAKE_PRIVATE, count, nullptr, nullptr, 0);
}

void NameThread(const char* name) { ::pthread_setname_np(::pthread_self(), name); }
}  // namespace ordered_workers
