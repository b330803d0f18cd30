// Fuzz target: the rename journal parser, and the repair it plans, on a scratch folder.
// The bytes are first repaired as they are; a journal that parses is then played out on real
// files (its serials replaced by those of files put under one of each picture's names), and
// the repair must keep every file of the folder: it may rename, never lose one. A journal it
// cannot read stays, under a kept journal's name only: never lost, never taken for a picture.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <set>

#include "core/journal/journalformat.h"
#include "core/journal/renamejournal.h"
#include "scratch.h"

namespace {

using namespace lumaro;

// Files of a plan this fuzzer puts on disk; the rest of a long plan stays without file.
constexpr size_t kMostFiles = 24;

const std::string& planFolder() {
    static const std::string folder = [] {
        const std::string path = fuzz::ScratchFolder() + "plan/";
        if (mkdir(path.c_str(), 0755) != 0) std::abort();
        return path;
    }();
    return folder;
}

bool isJournalName(const std::string& name) { return name.rfind(kRenameJournalName, 0) == 0; }

// The serials of the regular files in the folder, journals (kept ones too) apart in
// `journals`; empties the folder first when `clear`.
std::set<uint64_t> filesIn(const std::string& folder, bool clear = false,
                           std::set<uint64_t>* journals = nullptr) {
    std::set<uint64_t> serials;
    DIR* dir = opendir(folder.c_str());
    if (!dir) std::abort();
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (clear) {
            unlinkat(dirfd(dir), name.c_str(), 0);
        } else if (isJournalName(name)) {
            if (journals) journals->insert(entry->d_ino);
        } else if (entry->d_type == DT_REG) {
            serials.insert(entry->d_ino);
        }
    }
    closedir(dir);
    return serials;
}

uint64_t createFile(const std::string& folder, const std::string& name) {
    const int fd = open((folder + name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return 0;  // taken, or a name the file system refuses
    struct stat st;
    fstat(fd, &st);
    close(fd);
    return st.st_ino;
}

void writeJournal(const std::string& folder, std::string_view bytes) {
    fuzz::WriteWholeFile(folder + kRenameJournalName,
                         reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void repairAndCheck(const std::string& folder) {
    std::set<uint64_t> journal, journalAfter;
    const std::set<uint64_t> before = filesIn(folder, false, &journal);
    const JournalRepair repair = RepairInterruptedRenames(folder);
    // A file was lost or appeared.
    if (filesIn(folder, false, &journalAfter) != before) std::abort();
    if (faccessat(AT_FDCWD, (folder + kRenameJournalName).c_str(), F_OK, AT_SYMLINK_NOFOLLOW) == 0)
        std::abort();  // the journal outlived its repair under its own name
    // Read and removed, or unreadable and kept, whole, under the name the repair gave.
    if (repair.keptJournal.empty() ? !journalAfter.empty() : journalAfter != journal) std::abort();
    if (!repair.keptJournal.empty() &&
        faccessat(AT_FDCWD, (folder + repair.keptJournal).c_str(), F_OK, AT_SYMLINK_NOFOLLOW) != 0)
        std::abort();
}

// Each picture's file goes under the name its fuzzed serial picks; some new names are taken
// by other files first, as a crash may leave them.
std::string playOut(const std::string& folder, const std::vector<JournalRecord>& records) {
    std::string bytes = JournalHeader();
    std::string notes;
    for (size_t i = 0; i < records.size(); ++i) {
        const JournalRecord& record = records[i];
        std::vector<std::string> names{record.oldName};
        names.insert(names.end(), record.temporaryNames.begin(), record.temporaryNames.end());
        names.push_back(record.newName);
        uint64_t serial = 0;
        if (record.serial != 0 && i < kMostFiles) {
            if (record.serial & 0x100) createFile(folder, record.newName);
            serial = createFile(folder, names[record.serial % names.size()]);
        }
        const std::string planned = record.temporaryNames.empty() ? "" : record.temporaryNames[0];
        AppendJournalRecord(bytes, serial, record.oldName, planned, record.newName);
        for (size_t t = 1; t < record.temporaryNames.size(); ++t)
            notes += EncodeTemporaryNote(i, record.temporaryNames[t]);
    }
    return bytes + JournalEnd(records.size()) + notes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string& folder = planFolder();
    const std::optional<std::vector<JournalRecord>> records = ParseJournal(bytes);

    filesIn(folder, true);
    writeJournal(folder, bytes);
    createFile(folder, "0001  a.jpg");
    repairAndCheck(folder);

    if (!records) return 0;
    filesIn(folder, true);
    writeJournal(folder, playOut(folder, *records));
    repairAndCheck(folder);
    return 0;
}
