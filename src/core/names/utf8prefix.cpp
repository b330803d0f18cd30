// The first characters of a UTF-8 text (see utf8prefix.h).
#include "core/names/utf8prefix.h"

namespace lumaro {

namespace {
bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::string_view FirstCharacters(std::string_view text, size_t count) {
    size_t end = 0;
    for (size_t seen = 0; end < text.size() && seen < count; ++seen) {
        ++end;
        while (end < text.size() && isContinuationByte(text[end])) ++end;
    }
    return text.substr(0, end);
}

}  // namespace lumaro
