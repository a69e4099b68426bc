// How many entries a memory list holds: the lists shown in the browser stop taking entries there,
// and the list files keep no more.
#pragma once
#include <cstddef>

namespace browse {

// A memory list stops taking entries once it holds this many (the entry that reached it stays).
constexpr size_t kListCapacity = 32700;
inline bool AtCapacity(size_t count) { return count >= kListCapacity; }

}  // namespace browse
