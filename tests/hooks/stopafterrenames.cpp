// The crash tests' stop hook, in test builds only: with LUMARO_STOP_AFTER_RENAMES=N in the
// environment, a journalled operation or a repair ends the process just before its rename
// number N+1, as a power cut would. Linked into the test programs and the test build's
// lumaro-cli-stoppable, never into a program that is installed.
#include <cstdlib>

#include "core/journal/renamejournal.h"

namespace {

long long stopAfterFromEnvironment() {
    const char* text = std::getenv("LUMARO_STOP_AFTER_RENAMES");
    return text && *text ? std::atoll(text) : -1LL;
}

const bool installed = (lumaro::SetRenameStopLimit(stopAfterFromEnvironment), true);

}  // namespace
