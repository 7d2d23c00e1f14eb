#include "platform/background_thread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace orvik {

void GiveWayToForeground() {
    constexpr int kBackgroundNice = 10;
    // On Linux a thread's nice value is its own: the thread's id names it alone.
    const auto thread = static_cast<id_t>(syscall(SYS_gettid));
    setpriority(PRIO_PROCESS, thread, kBackgroundNice);
}

}  // namespace orvik
