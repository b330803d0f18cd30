// A picture's date in a JSON document: its text, ISO 8601 and where it came from.
#pragma once

#include <nlohmann/json.hpp>

#include "core/picturefile/picturedate.h"

namespace lumaro::cli {

// {"date": text (with "date_hex" when not UTF-8), "iso8601": ..., "source": "taken",
// "digitized", "modified" or "file"}.
nlohmann::json DateObject(const SourcedDate& date);

}  // namespace lumaro::cli
