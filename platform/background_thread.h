// Work that must never hold up the user's: the calling thread gives way to the process's
// other threads whenever they want a processor.
#pragma once

namespace orvik {

// Lowers the calling thread's scheduling priority (a nice value of 10), leaving the other
// threads' as they are. Does nothing where the system refuses.
void GiveWayToForeground();

}  // namespace orvik
