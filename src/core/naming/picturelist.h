// The pictures of the current folder and type as the main window keeps them: the display
// order of `lb_Avant`, the hidden lists `lb_Sorted`, `lb_Apres` and `lb_Olds`, and the values
// that go with them. Entries are base names; each remembers its own file's extension, so a
// path is always `currentFolder` + base + that extension.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/files/fileoperations.h"
#include "core/files/folderentries.h"
#include "core/names/pictureentry.h"

namespace lumaro {

// A rename of one picture, kept as a pair so that old and new names never part.
struct RenamePair {
    PictureEntry from;
    std::string toBase;  // the new base name; the extension stays from.extension

    std::string toFileName() const { return toBase + from.extension; }
};

// The renames of a pair by file names: the picture's first, then each companion's (the new
// base followed by the rest of the companion's name).
std::vector<FileRename> FileRenamesOf(const RenamePair& pair);

// A list that keeps its names in the program's name order (CompareNames). Names added in
// ascending order are appended at once; any other order is sorted in bulk on first read.
class SortedNameList {
public:
    void add(std::string name);
    void clear();
    bool empty() const { return names_.empty(); }
    size_t size() const { return names_.size(); }
    const std::vector<std::string>& items() const;
    const std::string& operator[](size_t i) const { return items()[i]; }

private:
    mutable std::vector<std::string> names_;
    mutable bool sorted_ = true;
};

// The rename or renumbering proposed on the list and not yet applied, for the apply that
// follows.
struct PendingProposal {
    int proposalCount = 0;
    int lastProposalIndex = -1;
    bool lastWasRenumber = false;
};

struct PictureList {
    std::string fileType;             // lower case, no dot ("jpg")
    std::string currentFolder;        // ends with '/'
    std::vector<PictureEntry> avant;  // `lb_Avant`: the pictures in display order
    SortedNameList sorted;            // `lb_Sorted`: working list of a listing
    SortedNameList apres;             // `lb_Apres`: proposed or applied new names
    std::vector<PictureEntry> olds;   // `lb_Olds`: old names, pair by pair with `apres`
    int pictureCount = 0;             // result of the last listing (-1, 0 or the count)
    int numberWidth = 2;              // 2 to 6
    int startNumber = 0;              // first number of the last renumbering
    std::vector<int> selectedIndices;
    bool allSelected = false;
    bool folderNumbered = false;
    bool sortByDateNext = true;
    int topIndex = 0;
    PendingProposal pending;

    std::string extension() const { return "." + fileType; }
    std::string pathOf(const PictureEntry& entry) const { return currentFolder + entry.fileName(); }
    // Fills `apres` and `olds` from rename pairs whose renames took place.
    void setUndoPairs(const std::vector<RenamePair>& pairs);
    void clearUndoPairs();
    // Empties the lists and the count, as for a folder that could not be read.
    void forgetPictures();
};

// Checks a file type typed by the user.
enum class FileTypeCheck {
    Ok,
    Empty,          // kMessageSpecifyFileType
    NotInFileName,  // contains '/', '.' or a NUL byte, which could not end a file name, or
                    // ',', which would read as a list of several types
};
FileTypeCheck ValidateFileType(std::string_view fileType);

}  // namespace lumaro
