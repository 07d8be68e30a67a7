#pragma once

#include "cli/cli_args.h"

#include <string>

class CVarnelDoc;

// The instrument settings that "measure" and "watch" take alike: --port, --range, --pulse, --gain,
// --average, --zoom and --center, applied to the document in the order the user would set them.
inline constexpr const char* kAcquisitionOptions[] = {"--port", "--range", "--pulse", "--gain",
                                                       "--average", "--zoom", "--center"};

// Sets `port` and the document from the options given; an empty string, or what is wrong.
std::string applyAcquisitionOptions(const ParsedArgs& args, CVarnelDoc& doc, std::string& port);

// The option's value, or nullptr when it was not given.
const std::string* optionValue(const ParsedArgs& args, const char* name);
bool parseDecimal(const std::string& text, double& value);
bool parseIntIn(const std::string& text, int low, int high, int& value);
// "bad OPTION VALUE (what it may be)" in the language of the error lines.
std::string badValue(const std::string& option, const std::string& value, const std::string& english,
                     const std::string& russian);
