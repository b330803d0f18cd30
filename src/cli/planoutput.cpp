// The plan of a dry run: what a command would rename, move, turn or delete, printed one file a
// line or as one JSON document, and the repair a real run would make first.
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "cli/jsonnames.h"
#include "cli/oneline.h"
#include "core/journal/renamejournal.h"

namespace lumaro::cli {

std::vector<KeptFile> KeptFilesOf(const std::vector<RenameFailure>& failures) {
    std::vector<KeptFile> kept;
    for (const RenameFailure& failure : failures)
        kept.push_back({failure.fromName, failure.toName, std::strerror(failure.result.error)});
    return kept;
}

int PrintPlan(const Arguments& arguments, const std::vector<FileRename>& renames, int code,
              const PlanNote& note) {
    if (arguments.json) {
        nlohmann::json document = note.fields;
        document["command"] = arguments.command;
        document["dry_run"] = true;
        document["exit_code"] = code;
        nlohmann::json lines = nlohmann::json::array();
        for (size_t k = 0; k < renames.size(); ++k) {
            nlohmann::json line = nlohmann::json::object();
            PutName(line, "old", renames[k].oldName);
            PutName(line, "new", renames[k].newName);
            if (k < note.companionOf.size() && !note.companionOf[k].empty())
                PutName(line, "companion_of", note.companionOf[k]);
            lines.push_back(std::move(line));
        }
        document["renames"] = std::move(lines);
        nlohmann::json keptLines = nlohmann::json::array();
        for (const KeptFile& file : note.kept) {
            nlohmann::json line = nlohmann::json::object();
            PutName(line, "old", file.name);
            PutName(line, "new", file.planned);
            line["reason"] = ValidUtf8(file.reason);
            keptLines.push_back(std::move(line));
        }
        document["kept"] = std::move(keptLines);
        const std::string text = document.dump(2) + "\n";
        std::fwrite(text.data(), 1, text.size(), stdout);
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

std::vector<FileRename> PlanRepair(const std::string& folder) {
    const RepairPlan plan = PlanInterruptedRenames(folder);
    if (!plan.journalFound) return {};
    if (!plan.readable) {
        Say("The folder holds the journal of an interrupted operation that cannot be read: a "
            "real run would keep it aside and rename nothing for it.");
    } else if (!plan.renames.empty()) {
        Tell("The folder holds an interrupted operation: a real run would finish it first (its " +
             std::to_string(plan.renames.size()) +
             " renames lead the plan), and the rest of the plan is made on the names as they "
             "are now.");
    }
    return plan.renames;
}

}  // namespace lumaro::cli
