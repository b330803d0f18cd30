// The plan of a dry run: what a command would rename, move, turn or delete, printed one file a
// line or as one JSON document.
#include <cstdio>

#include "cli/commands.h"
#include "cli/jsonnames.h"
#include "cli/oneline.h"

namespace lumaro::cli {

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

}  // namespace lumaro::cli
