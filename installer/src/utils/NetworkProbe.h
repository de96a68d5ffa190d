#pragma once
// Internet connectivity as the system's network list manager sees it.
namespace Utils {

// Low 16 bits: the connectivity flags; bits 16 and up: 0 internet,
// 1 no connectivity, 2 connected but not to the internet. 0 when the manager
// is unavailable. The calling thread must have initialised COM.
int CheckNetwork();

}  // namespace Utils
