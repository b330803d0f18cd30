// Snapkeep, the strip of up to twelve kept pictures: the caption each thumbnail carries, how
// thumbnail captions enter and leave the caption box, which files of a folder form a set, and
// the plan of saving the list as a set. The small copies themselves are made by the window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/names/pictureentry.h"

namespace lumaro {

inline constexpr int kSnapkeepCount = 12;
// A caption taken from the first display slot keeps at most this many characters.
inline constexpr size_t kThumbnailCaptionLimit = 99;

// The caption part of a picture name: what follows its first two consecutive blanks, or the
// whole name when it has none.
std::string_view CaptionPartOf(std::string_view name);
// The caption part of `name` cut to `limit` characters, never inside a UTF-8 sequence.
std::string CaptionPartOf(std::string_view name, size_t limit);

// The caption box after a click on a thumbnail: ", " and the caption appended (the caption
// alone in an empty box).
std::string WithThumbnailCaption(std::string_view box, std::string_view caption);
// The caption box after a double click takes the caption out again: the last item of the
// ", "-separated box that is the caption as a whole, with one ", " that joined it; the other
// items stay. A box without such an item is unchanged (the caption's text inside another item
// is not it).
std::string WithoutThumbnailCaption(std::string_view box, std::string_view caption);

// One picture of a saved set.
struct SnapkeepPicture {
    std::string fileName;  // within the folder
    std::string caption;   // caption part of the name without extension
};
// The first twelve ".jpg" and ".jpeg" files of `folder` (any letter case) in name order;
// empty optional when the folder cannot be listed.
std::optional<std::vector<SnapkeepPicture>> SnapkeepSetIn(const std::string& folder);

// Where loading a set begins, given the default Snapkeep folder.
struct SnapkeepLoadStart {
    bool created = false;    // the default folder has just been made: there is no set to load yet
    std::string browseFrom;  // otherwise the folder the browser opens on
};
// The default folder when it can be listed; made when missing; the home folder when it can be
// neither listed nor made (a file in its place, a folder that cannot be read).
SnapkeepLoadStart StartSnapkeepLoad(const std::string& defaultFolder);

// One small copy of a save.
struct SnapkeepCopy {
    int listIndex;         // the picture's place in the list, and its thumbnail
    std::string source;    // full path of the picture
    std::string copyBase;  // full path of the copy without ".jpg"
    std::string copyName;  // file name of the copy: the list entry + ".jpg", or a free name
    std::string caption;   // caption part of the list entry
};

struct SnapkeepSavePlan {
    enum class Outcome {
        Ready,
        PictureFolder,  // the copies would take the place of the pictures: nothing is written
        CannotCreate,   // the folder could not be made
    };
    Outcome outcome = Outcome::Ready;
    std::string folder;                 // the chosen folder, ending with '/'
    std::vector<SnapkeepCopy> copies;   // the first twelve pictures of the list
    std::vector<std::string> existing;  // copy names that are taken in the folder already
    bool moreThanTwelve = false;        // the list holds pictures that are not saved
};

// Plans saving the first twelve of `pictures` (the list, in display order, of the pictures in
// `pictureFolder`) into `chosenFolder`: refuses the picture folder under any spelling, creates
// the folder when missing, and names the copies that would replace files. Pictures whose names
// differ only in their extension ("01  a.jpg", "01  a.JPG") would give one copy name: the later
// ones take "01  a (2).jpg", "(3)"..., so that no copy of the save replaces another.
SnapkeepSavePlan PlanSnapkeepSave(const std::vector<PictureEntry>& pictures,
                                  const std::string& pictureFolder,
                                  const std::string& chosenFolder);

}  // namespace lumaro
