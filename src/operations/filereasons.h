// Why a file was left as it was, taken from the results of the core's and the Trash's steps
// into an outcome's file: the system's errno, or the message key of the rule that kept it.
#pragma once

#include <string>

#include "core/clockshift/shiftfile.h"
#include "core/files/filestep.h"
#include "core/files/transfer.h"
#include "core/turning/turnpicture.h"
#include "operations/outcome.h"
#include "trash/trash.h"

namespace lumaro {

// The reason of a step of reading or writing the file that failed or refused.
void TakeReason(const FileStepResult& step, OutcomeFile& file);

// The reason the Trash did not take the file, or give it back.
void TakeReason(const TrashOutcome& trash, OutcomeFile& file);

// A picture a transfer did not move: its path, why, and where its copy stayed beside it when
// the original could not be deleted (it is then in both folders).
void TakeReason(const TransferOutcome& moved, OutcomeFile& file);

// Why a turn left the picture as it was.
void TakeReason(const TurnPictureResult& turn, OutcomeFile& file);

// Why a clock correction left the file as it was.
void TakeReason(const ShiftFileResult& shift, OutcomeFile& file);

// A file kept because its new name `name` holds a character its disk refuses: the message
// that says so, naming the character.
void TakeRefusedName(const std::string& name, OutcomeFile& file);

// A file that stayed as it was, named as the operation names it; its reason is for the caller.
OutcomeFile KeptFile(const std::string& name);

// SomeKept, told by `messageKey` followed by the files kept, when the outcome kept a file.
void MarkSomeKept(Outcome& outcome, int messageKey);

}  // namespace lumaro
