// The MD5 digest of RFC 1321, which names the shared thumbnails of files.
#pragma once

#include <string>
#include <string_view>

namespace lumaro {

// The digest of `bytes` as 32 lower-case hexadecimal digits.
std::string Md5Hex(std::string_view bytes);

}  // namespace lumaro
