#pragma once

#include <string>
#include <vector>

// The magnifier levels a range offers, as the list shows them: "1", "2", ... up to 2 to the power of the
// range's largest zoom ("1" alone at 62.5 m, up to "16" from 1 km on). The list index is the level.
std::vector<std::string> magnifierEntries(double scale);

// The averaging settings "1", "2", "4" ... "128"; the list index is the document's `average`.
std::vector<std::string> averagingEntries();
inline constexpr int kAveragingCount = 8;
