#include "cli/JsonOutput.h"

#include "base/Utf8Text.h"

namespace {

void MakeStringsUtf8(nlohmann::ordered_json& json)
{
    if (json.is_string())
        json = AsUtf8(json.get_ref<const std::string&>());
    else if (json.is_structured())
        for (nlohmann::ordered_json& value : json)
            MakeStringsUtf8(value);
}

}  // namespace

std::string JsonLine(nlohmann::ordered_json json)
{
    MakeStringsUtf8(json);
    return json.dump();
}
