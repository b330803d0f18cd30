// Loading a language file over the English texts of the message table, and finding language files.
#include "core/settings/languagetable.h"

#include <algorithm>
#include <fstream>
#include <optional>

#include "core/files/folderentries.h"
#include "core/names/namecompare.h"
#include "core/settings/constants.h"
#include "core/settings/messagekeys.h"
#include "core/settings/settingsfile.h"

namespace lumaro {

namespace {

// The text of an entry "label=text": everything after the first '=', further '=' kept.
// Nothing when the entry is faulty (no '=', or no label before it).
std::optional<std::string> EntryText(const std::string& entry) {
    const auto equals = entry.find('=');
    if (equals == std::string::npos || equals == 0) return std::nullopt;
    return entry.substr(equals + 1);
}

}  // namespace

void LanguageTable::resize(int count) { texts_.resize(count < 0 ? 0 : count); }

int LanguageTable::size() const { return static_cast<int>(texts_.size()); }

const std::string& LanguageTable::text(int key) const {
    static const std::string empty;
    return key >= 0 && key < size() ? texts_[key] : empty;
}

void LanguageTable::applyEnglish() { keepEnglishFrom(0); }

void LanguageTable::keepEnglishFrom(int firstKey) {
    const std::vector<std::string>& entries = BuiltInEnglishEntries();
    const int last = std::min(size(), static_cast<int>(entries.size()));
    for (int key = firstKey; key < last; ++key) texts_[key] = EntryText(entries[key]).value_or("");
}

LanguageLoadResult LanguageTable::applyFile(const std::string& path) {
    using Status = LanguageLoadResult::Status;
    std::ifstream in(path, std::ios::binary);
    if (!in) return {Status::CannotOpen, -1};
    // Read into a copy: a faulty file leaves the texts the window shows as they were.
    LanguageTable read = *this;
    read.keepEnglishFrom(kClassicMessageCount);
    for (int key = 0; key < size(); ++key) {
        // Every file carries the classic keys; the newer ones only when it was written for
        // them, so whatever stands in their place leaves them in English.
        const bool classic = key < kClassicMessageCount;
        if (!classic && in.peek() == std::char_traits<char>::eof()) break;
        const std::string line = ReadSettingsLine(in);
        if (in.bad()) return {Status::FaultyLine, key};  // longer than any message
        std::optional<std::string> text = EntryText(line);
        if (!text && classic) return {Status::FaultyLine, key};
        if (text) read.texts_[key] = std::move(*text);
    }
    texts_ = std::move(read.texts_);
    return {Status::Loaded, -1};
}

std::vector<std::string> ListLanguageFiles(const std::string& folder) {
    std::vector<std::string> languages;
    for (const std::string& name : ListRegularFiles(folder).value_or(std::vector<std::string>())) {
        if (ToLowerAscii(ExtensionOf(name)) != kLanguageExtension) continue;
        // The built-in set is always English; a file of that exact name is never offered.
        if (BaseNameOf(name) != kEnglish) languages.push_back(name);
    }
    return languages;
}

std::string LanguageOwnName(const std::string& path, const std::string& fileLanguage) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    for (int key = 0; key <= kMessageLanguageOwnName; ++key) {
        if (!in || in.peek() == std::char_traits<char>::eof()) return fileLanguage;
        line = ReadSettingsLine(in);
    }
    const std::optional<std::string> text = EntryText(line);
    return text && !text->empty() ? *text : fileLanguage;
}

std::string LanguageNotFoundText(const std::string& languageName) {
    return languageName + ": language file not found. Reverting to English";
}

std::string LanguageFileErrorText(const std::string& languageName, int key) {
    return "Error in " + languageName + " language file (" + std::to_string(key) +
           "). Please reinstall Lumaro";
}

int FindLanguage(const std::vector<std::string>& languages, const std::string& languageName) {
    for (size_t i = 0; i < languages.size(); ++i) {
        if (StartsWithFolded(languages[i], languageName)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace lumaro
