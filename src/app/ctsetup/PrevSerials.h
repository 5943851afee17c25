#pragma once
// The serial numbers of the tools used before, most preferred first (the
// preferences file's "CTTool" section, Prev0, Prev1, ...).

#include <cstddef>
#include <string>
#include <vector>

// Moves serial to the front (removing it from its old place) and keeps the
// first `keep` entries, as many as are read back at the next start.
std::vector<std::string> promoteSerial(std::vector<std::string> serials, const std::string& serial,
                                       std::size_t keep);
