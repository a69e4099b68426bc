// The text of the archiver's listing and the little formatting helpers it shares with the
// DLL's entry records.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "lzh/header.h"

namespace lzh {

// Ratio of packed to original size in per mille (0 for empty members).
unsigned RatioPerMille(const Entry& e);
// Attribute letters, e.g. "-a---" for archive, "r----" for read-only (r a s h d order).
std::string AttributeText(uint8_t attribute);
// The entry's path for display: control characters become "?".
std::string DisplayPath(const Entry& e, bool fullPath, char separator);

// One header line, one line per entry, a rule and a total line; lines end with CR LF.
// `times` gives each entry's DOS time to show (the stored one when empty).
std::string FormatListing(const std::vector<Entry>& entries, bool fullPaths,
                          const std::function<uint32_t(const Entry&)>& times = nullptr);

}  // namespace lzh
