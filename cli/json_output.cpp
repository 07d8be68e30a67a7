#include "cli/json_output.h"

#include "document/text_codec.h"
#include "files/number_text.h"

#include <ostream>

namespace {

// Names of files copied from a Windows PC reach the JSON as Windows-1251 bytes; they are shown as the
// window shows them, never as replacement characters.
void decodeNames(nlohmann::ordered_json& value)
{
    if (value.is_string()) {
        const std::string& text = value.get_ref<const std::string&>();
        if (!codec::isUtf8(text))
            value = codec::fileNameText(text);
    } else if (value.is_structured()) {
        for (auto& item : value)
            decodeNames(item);
    }
}

} // namespace

void writeJson(std::ostream& out, const nlohmann::ordered_json& value)
{
    nlohmann::ordered_json shown = value;
    decodeNames(shown);
    out << shown.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

double rounded(double value, int decimals)
{
    double r = value;
    numtext::parseNumber(numtext::fixed(value, decimals), r);
    return r;
}
