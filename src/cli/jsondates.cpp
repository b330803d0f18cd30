// A picture's date in a JSON document.
#include "cli/jsondates.h"

#include "cli/jsonnames.h"

namespace lumaro::cli {

namespace {

// The date text as ISO 8601 ("2006-05-12T14:23:44"), the file-date prefix left out.
std::string isoDate(const std::string& text) {
    if (text.size() < kDateTextLength) return {};
    std::string iso = text.substr(text.size() - kDateTextLength);
    iso[4] = iso[7] = '-';
    iso[10] = 'T';
    return iso;
}

}  // namespace

nlohmann::json DateObject(const SourcedDate& date) {
    static constexpr const char* kSources[] = {"taken", "digitized", "modified", "file"};
    nlohmann::json object = nlohmann::json::object();
    PutName(object, "date", date.text);
    object["iso8601"] = isoDate(date.text);
    object["source"] = kSources[static_cast<int>(date.source)];
    return object;
}

}  // namespace lumaro::cli
