// The numbered message table: every text the window shows, by key, from the built-in
// English set or a language file.
#pragma once

#include <string>
#include <vector>

#include "core/settings/messagekeys.h"

namespace lumaro {

// Keys 0 to 109 are the classic table; keys from 110 on are the messages that report the
// failures the program guards against (see messagekeys.h). Size the table with this count.
inline constexpr int kLanguageKeyCount = kMessageKeyCount;

struct LanguageLoadResult {
    enum class Status { Loaded, CannotOpen, FaultyLine };
    Status status = Status::Loaded;
    int faultyKey = -1;  // the key of the first faulty line when status is FaultyLine
};

class LanguageTable {
public:
    // Sizes the table; new entries are empty.
    void resize(int count);
    int size() const;
    // Empty text for a key outside the table.
    const std::string& text(int key) const;

    // Stores the built-in English texts in every key.
    void applyEnglish();
    // Reads a language file: line i+1 is key i, its text after the first '='. A file that
    // cannot be read or has a faulty classic line changes no text. Lines past the classic
    // 110 may carry the newer keys; a newer key the file does not carry (it ends, an empty
    // line, a line that does not read as "label=text") keeps its English text, and lines
    // past the keys of the table are ignored.
    LanguageLoadResult applyFile(const std::string& path);

private:
    // Built-in English texts for the keys from `firstKey` on that the English set has.
    void keepEnglishFrom(int firstKey);

    std::vector<std::string> texts_;
};

// The built-in English entries "key=text", in key order, the newer keys included.
const std::vector<std::string>& BuiltInEnglishEntries();

// File names of the language files of a folder ("*.lng" in any letter case, regular, not
// hidden), in the folder's name order; the language is the name before the extension
// (BaseNameOf). A file of the language "English" itself is left out.
std::vector<std::string> ListLanguageFiles(const std::string& folder);

// The name the language file at `path` gives its language in that language, or
// `fileLanguage` (the name of the file) when it gives none or cannot be read.
std::string LanguageOwnName(const std::string& path, const std::string& fileLanguage);

// "<language>: language file not found. Reverting to English"
std::string LanguageNotFoundText(const std::string& languageName);
// "Error in <language> language file (<key>). Please reinstall Lumaro"
std::string LanguageFileErrorText(const std::string& languageName, int key);

// The index of the first item of `languages` that begins with `languageName`, letter case
// ignored (the language list's prefix search), or -1 when none does.
int FindLanguage(const std::vector<std::string>& languages, const std::string& languageName);

}  // namespace lumaro
