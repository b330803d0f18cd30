// The window's one place that tells an operation's outcome in the user's language: why a file
// was kept, and the message box of an outcome that has something to say.
#pragma once

#include <QString>

#include "core/settings/languagetable.h"
#include "operations/outcome.h"

class QWidget;

namespace lumaro {

// Why the file was kept: the text of its message key, or the system's words for its errno;
// empty when the outcome gives no reason.
QString ReasonText(const LanguageTable& table, const OutcomeFile& file);

// Shows what the outcome has to say, nothing when it is Done: for kept files, the outcome's
// message followed by each kept file and its reason; otherwise the outcome's message followed
// by its details and the system's words for its errno.
void ShowOutcome(QWidget* window, const LanguageTable& table, const Outcome& outcome);

}  // namespace lumaro
