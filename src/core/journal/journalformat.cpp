// Writing and reading the bytes of a rename journal, every name preceded by its length.
#include "core/journal/journalformat.h"

#include <charconv>

#include "core/journal/renamejournal.h"

namespace lumaro {

namespace {

constexpr std::string_view kHeader = "lumaro-journal 2\n";
constexpr std::string_view kPicturesOnlyHeader = "lumaro-journal 1\n";
// Longer than any file name a Linux file system accepts.
constexpr size_t kLongestName = 4096;

void appendNumber(std::string& out, uint64_t value) {
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, end);
}

void appendName(std::string& out, std::string_view name) {
    appendNumber(out, name.size());
    out += ':';
    out += name;
}

// Reads the journal front to back; every step fails on anything unexpected. After a failure,
// ranOut() tells whether it was only the end of the bytes, which more bytes could have met.
class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}
    bool atEnd() const { return rest_.empty(); }
    bool ranOut() const { return ranOut_; }
    bool literal(std::string_view text) {
        ranOut_ = rest_.size() < text.size() && text.substr(0, rest_.size()) == rest_;
        if (rest_.substr(0, text.size()) != text) return false;
        rest_.remove_prefix(text.size());
        return true;
    }
    char peek() const { return rest_.empty() ? '\0' : rest_.front(); }
    template <typename Integer>
    bool number(Integer& value) {
        ranOut_ = rest_.empty();
        const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), value);
        if (error != std::errc() || end == rest_.data()) return false;
        rest_.remove_prefix(static_cast<size_t>(end - rest_.data()));
        return true;
    }
    // "<length>:<bytes>"; an empty name only where `mayBeEmpty`.
    bool name(std::string& out, bool mayBeEmpty = false) {
        uint64_t length = 0;
        if (!number(length) || !literal(":") || length > kLongestName) return false;
        ranOut_ = length > rest_.size();
        if (ranOut_) return false;
        out.assign(rest_.substr(0, length));
        rest_.remove_prefix(length);
        // The journal's own name, and the names unreadable journals are kept under, are never
        // a picture's: a repair that took one for a picture would rename the journal onto a
        // picture's name and keep it as a picture.
        if (std::string_view(out).substr(0, std::string_view(kRenameJournalName).size()) ==
            kRenameJournalName) {
            return false;
        }
        return (mayBeEmpty && out.empty()) || IsPlainFileName(out);
    }

private:
    std::string_view rest_;
    bool ranOut_ = false;
};

bool readRecord(Reader& in, JournalRecord& record, bool withCompanions) {
    std::string temporary;
    if (withCompanions && in.literal("C ")) {
        record.companion = true;
    } else if (in.ranOut() || !in.literal("P ")) {
        return false;
    }
    if (!in.number(record.serial) || !in.literal(" ") || !in.name(record.oldName) ||
        !in.literal(" ") || !in.name(temporary, true) || !in.literal(" ") ||
        !in.name(record.newName) || !in.literal("\n")) {
        return false;
    }
    if (!temporary.empty()) record.temporaryNames.push_back(std::move(temporary));
    return true;
}

}  // namespace

std::string JournalHeader() { return std::string(kHeader); }

std::string EncodeJournalRecord(uint64_t serial, std::string_view oldName,
                                std::string_view temporaryName, std::string_view newName) {
    std::string line;
    AppendJournalRecord(line, serial, oldName, temporaryName, newName);
    return line;
}

void AppendJournalRecord(std::string& out, uint64_t serial, std::string_view oldName,
                         std::string_view temporaryName, std::string_view newName, bool companion) {
    out += companion ? "C " : "P ";
    appendNumber(out, serial);
    out += ' ';
    appendName(out, oldName);
    out += ' ';
    appendName(out, temporaryName);
    out += ' ';
    appendName(out, newName);
    out += '\n';
}

std::string JournalEnd(size_t count) { return "end " + std::to_string(count) + "\n"; }

std::string EncodeTemporaryNote(size_t index, std::string_view name) {
    std::string line = "T " + std::to_string(index) + ' ';
    appendName(line, name);
    line += '\n';
    return line;
}

void AppendIdentityNote(std::string& out, size_t index, uint64_t size, int64_t modified) {
    out += "I " + std::to_string(index) + ' ' + std::to_string(size) + ' ' +
           std::to_string(modified) + '\n';
}

std::string EncodePlaceholderNote(std::string_view name) {
    std::string line = "R ";
    appendName(line, name);
    line += '\n';
    return line;
}

namespace {

enum class Reading { Complete, CutShort, Damaged };

// One line after the end of the plan; Complete once it is read.
Reading readNote(Reader& in, std::vector<JournalRecord>& records,
                 std::vector<std::string>* placeholders) {
    const char kind = in.peek();
    uint64_t index = 0;
    std::string name;
    bool whole = false;
    if (kind == 'T') {
        whole = in.literal("T ") && in.number(index) && in.literal(" ") && in.name(name) &&
                in.literal("\n");
    } else if (kind == 'I') {
        uint64_t size = 0;
        int64_t modified = 0;
        whole = in.literal("I ") && in.number(index) && in.literal(" ") && in.number(size) &&
                in.literal(" ") && in.number(modified) && in.literal("\n");
        if (whole && index < records.size()) {
            records[index].identified = true;
            records[index].size = size;
            records[index].modified = modified;
        }
    } else if (kind == 'R') {
        whole = in.literal("R ") && in.name(name) && in.literal("\n");
        if (whole && placeholders) placeholders->push_back(name);
        return whole ? Reading::Complete : in.ranOut() ? Reading::CutShort : Reading::Damaged;
    }
    if (!whole) return in.ranOut() ? Reading::CutShort : Reading::Damaged;
    if (index >= records.size()) return Reading::Damaged;
    if (kind == 'T') records[index].temporaryNames.push_back(std::move(name));
    return Reading::Complete;
}

Reading readJournal(std::string_view bytes, std::vector<JournalRecord>& records,
                    std::vector<std::string>* placeholders = nullptr) {
    // No journal holds a NUL byte: zeros at its end are bytes a power cut kept from being
    // written, in a file some file systems had already made longer.
    bytes = bytes.substr(0, bytes.find_last_not_of('\0') + 1);
    Reader in(bytes);
    const auto failed = [&in] { return in.ranOut() ? Reading::CutShort : Reading::Damaged; };
    const bool withCompanions = in.literal(kHeader);
    if (!withCompanions && (in.ranOut() || !in.literal(kPicturesOnlyHeader))) return failed();
    for (;;) {
        if (in.literal("end ")) break;
        if (in.ranOut()) return Reading::CutShort;
        JournalRecord record;
        if (!readRecord(in, record, withCompanions)) return failed();
        // A companion always follows its picture.
        if (record.companion && records.empty()) return Reading::Damaged;
        records.push_back(std::move(record));
    }
    uint64_t count = 0;
    if (!in.number(count) || !in.literal("\n")) return failed();
    if (count != records.size()) return Reading::Damaged;
    while (!in.atEnd()) {
        const Reading note = readNote(in, records, placeholders);
        // A note cut short was written when what it tells had not begun: it is left out.
        if (note == Reading::CutShort) return Reading::Complete;
        if (note == Reading::Damaged) return note;
    }
    return Reading::Complete;
}

}  // namespace

std::optional<std::vector<JournalRecord>> ParseJournal(std::string_view bytes,
                                                       std::vector<std::string>* placeholders) {
    std::vector<JournalRecord> records;
    if (readJournal(bytes, records, placeholders) != Reading::Complete) return std::nullopt;
    return records;
}

bool IsJournalCutShort(std::string_view bytes) {
    std::vector<JournalRecord> records;
    return readJournal(bytes, records) == Reading::CutShort;
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

}  // namespace lumaro
