#pragma once

#include <nlohmann/json.hpp>

#include <iosfwd>

// Writes `value` as one line of UTF-8 JSON; text that is not valid UTF-8 is replaced, never thrown on.
void writeJson(std::ostream& out, const nlohmann::ordered_json& value);

// The value as "%.<decimals>f" shows it, so that JSON prints 18.9 and not 18.900000000000002.
double rounded(double value, int decimals);
