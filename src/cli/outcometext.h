// An operation's outcome as lumaro-cli tells it, in the words of the message table: why a file
// was kept, and the line on stderr of an operation that changed nothing.
#pragma once

#include <string>

#include "core/settings/languagetable.h"
#include "operations/outcome.h"

namespace lumaro::cli {

// Why the file was kept: the text of its message key, or the system's words for its errno;
// empty when the outcome gives no reason.
std::string ReasonOf(const LanguageTable& messages, const OutcomeFile& file);
// "name (reason)", or the name alone when there is no reason.
std::string NameWithReason(const LanguageTable& messages, const OutcomeFile& file);

// Says why an operation changed nothing (another Lumaro holds a folder, a history that cannot
// be written, a folder that cannot be made) and returns its exit code.
int SayRefusal(const LanguageTable& messages, const Outcome& outcome);

}  // namespace lumaro::cli
