// The name a saver carries as its string resource 1, the name Windows' own screen-saver settings
// show, read from the file as data: no code of the saver runs, and a 64-bit file reads as well
// as a 32-bit one.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {
class File;
}

namespace store {

// String resource 1 of the executable open as `file`, in the language closest to `language`: the
// same language, then the same primary language, then a neutral one, then English, then any.
// Nullopt when the file has none (or is no well-formed executable); the text may be empty.
// `head`: the file's first bytes when the caller has read them already (they are not read again).
std::optional<std::u16string> SaverResourceName(platform::File& file, uint16_t language, std::string_view head = {});

}  // namespace store
