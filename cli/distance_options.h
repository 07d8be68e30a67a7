#pragma once

#include "cli/cli_args.h"
#include "document/line_distances.h"
#include "files/reflectogram_file.h"

#include <ostream>
#include <string>

// The options the analysis commands share, read the same way for each.

// "OPTION N" as a positive number into `value` (left alone when the option is absent). False after the
// usage failure "COMMAND: OPTION must be a positive number" has been written to `err`.
bool readPositiveOption(const ParsedArgs& parsed, const std::string& command, const std::string& option,
                        double& value, std::ostream& err);

// The distances a command measures with: "--sections FILE.pie" section by section, and the KU given with
// "--ku" (already read into `distances.ku`), else the KU of `record` read from `path`. kExitOk, or the
// exit code after the failure has been written to `err`.
int completeLineDistances(const ParsedArgs& parsed, const std::string& path, const ReflectogramRecord& record,
                          LineDistances& distances, std::ostream& err);
