// The one place where the window tells the outcome of an operation: its message in the user's
// language, from the message table, with the names it concerns.
#pragma once

#include <QString>

#include "core/settings/languagetable.h"
#include "operations/outcome.h"

class QWidget;

namespace lumaro {

// Shows what `outcome` has to say, in message boxes over `window`: its message followed by its
// details (a folder, a file type, names) and the system's words for its errno, then the files
// that kept their names (kMessageRenamesFailed), each with why. An outcome that kept files
// and names nothing else (a turn, a deletion, a transfer, an undo) says its message followed
// by those files. A history that cannot be written is told with its state folder and why.
// Nothing when there is nothing to say.
void ShowOutcome(QWidget* window, const LanguageTable& table, const Outcome& outcome);

// Why a file of an outcome was kept: the text of its message key, or else of its errno.
QString ReasonText(const LanguageTable& table, const OutcomeFile& file);

}  // namespace lumaro
