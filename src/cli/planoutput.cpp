// The plan of a dry run: what a command would rename, move, turn or delete, printed one file a
// line or given to the JSON document.
#include <cstdio>

#include "cli/commands.h"
#include "cli/oneline.h"

namespace lumaro::cli {

int PrintPlan(const std::vector<FileRename>& renames, int code, const PlanNote& note) {
    if (Reporting()) {
        for (size_t k = 0; k < renames.size(); ++k) {
            const bool companion = k < note.companionOf.size() && !note.companionOf[k].empty();
            ReportFile({renames[k].oldName,
                        renames[k].newName,
                        FileStatus::Planned,
                        {},
                        companion ? note.companionOf[k] : std::string()});
        }
        return code;
    }
    std::string text;
    for (const FileRename& rename : renames) {
        text += OnOneLine(rename.oldName) + "\t" + OnOneLine(rename.newName) + "\n";
    }
    if (!note.lastLine.empty()) text += OnOneLine(note.lastLine) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return code;
}

}  // namespace lumaro::cli
