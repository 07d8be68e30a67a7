#include "cli/json_output.h"

#include <ostream>

void writeJson(std::ostream& out, const nlohmann::ordered_json& value)
{
    out << value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}
