// Names and paths in a JSON document: a JSON string is UTF-8, a file name is any bytes.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace lumaro::cli {

// `bytes` with each byte that does not belong to a valid UTF-8 sequence (a stray continuation
// byte, a cut or overlong sequence, a surrogate, a code point above U+10FFFF) as U+FFFD.
std::string ValidUtf8(std::string_view bytes);

// object[field] = the name as valid UTF-8; when the name is not valid UTF-8, also
// object[field + "_hex"] = its exact bytes in lower-case hexadecimal, two digits a byte.
void PutName(nlohmann::json& object, const std::string& field, std::string_view bytes);

}  // namespace lumaro::cli
