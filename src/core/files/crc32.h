// The CRC-32 of ISO 3309 (as zip, PNG and gzip compute it), for checksums of records and chunks.
#pragma once

#include <cstdint>
#include <string_view>

namespace lumaro {

uint32_t Crc32(std::string_view bytes);

}  // namespace lumaro
