// The help of lumaro-cli: the usage of every command with an example, the options, the exit
// codes.
#include "cli/arguments.h"

namespace lumaro::cli {

namespace {

constexpr const char* kUsageHead = R"usage(Usage: lumaro-cli [OPTION]... COMMAND ARGUMENT...
       lumaro-cli help [COMMAND]
Gives the pictures of a folder numbered names, as the Lumaro window does. EXT is the
picture file type (default jpg), matched in any letter case. Positions are places in the
listing, from 1; RANGES is "all", or positions and ranges such as 3-5,8, "last" for the
last place, "10-" from 10 to the last, "-5" from the first to 5. PICK is --select
RANGES, --name NAME (repeatable: a file name as list gives it) or --select-from FILE
(names one a line, or NUL-ended with -0; "-": standard input), alone or together; a
name that is not in the listing is refused (exit 1) before anything changes. Commands that
rename load the folder first (as the window does) and then work on the list in name
order, or in picture-date order with --by date; they print the new listing afterwards.
The load gives numbered names one number width and numbers the others; everything is
checked on the names it would give before it renames, and its renames are told on stderr.

)usage";

// Each command's form, what it does and an example, in the order of the full help.
constexpr std::pair<const char*, const char*> kCommandUsage[] = {
    {"list", R"usage(  list DIR [--by name|date] [--dates] [--companions] [-0] [--json]
      The pictures in listing order; with --dates, the picture date, a TAB, the name; with
      --companions, each picture's companion files (its raw file, video, sidecars: the other
      files named after it followed by a dot), each on a line under it after a TAB (with
      --json, in the picture's "companions"). With -0 (--null), each line ends with a NUL
      and names are written as they are, for grep -z and --select-from - -0. A folder
      without pictures of the type lists nothing (exit 0).
      lumaro-cli list ~/Pictures/Italy --by date --dates
)usage"},
    {"date", R"usage(  date FILE... [--json]
      The date of each file: the moment the picture was taken (read from the Exif data of
      JPEG, TIFF and raw, PNG, WebP and HEIF pictures), else "FD" and the file date.
      lumaro-cli date ~/Pictures/Italy/*.jpg
)usage"},
    {"devices", R"usage(  devices DIR [--json]
      The devices that took the pictures, in the order of their first picture by name:
      the device (Exif make, model and serial number as far as present; a video's Apple
      make and model, else "video"; none: "unknown"), a TAB, its count of pictures, a
      TAB, its first and last date as written, a TAB between them. A picture's companions
      count for none.
      lumaro-cli devices ~/Pictures/Italy
)usage"},
    {"load", R"usage(  load DIR [--format replace|insert|leave] [--by name|date]
      Loads the folder; an unnumbered folder is numbered as --format says, in the order
      --by says (without --format it is left alone, exit 2).
      lumaro-cli load ~/Pictures/Italy --format replace --by date
)usage"},
    {"caption", R"usage(  caption DIR PICK --caption TEXT
      Gives the selected pictures the caption (empty: number only).
      lumaro-cli caption ~/Pictures/Italy --select 3-5,8 --caption "Roma"
      lumaro-cli list DIR -0 | grep -z Roma | lumaro-cli caption DIR --select-from - -0 --caption Rome
)usage"},
    {"renumber", R"usage(  renumber DIR PICK --start N [--width W]
      Numbers the selected pictures from N on, with W digits (2 to 6); without --width,
      with the folder's present number width, as the window proposes. A width too narrow
      for the numbers is widened, and said so on stderr.
      lumaro-cli renumber ~/Pictures/Italy --select 10-20 --start 100
)usage"},
    {"move", R"usage(  move DIR PICK (--places N | --after NUMBER)
      Moves the block N places (negative: towards the start; as far as it can go), or
      behind the picture numbered NUMBER (0: to the start), and renumbers the pictures in
      their new order.
      lumaro-cli move ~/Pictures/Italy --select 7-9 --after 2
)usage"},
    {"slideshow",
     R"usage(  slideshow DIR --to FOLDER [--title-format Date|Text] [--interval MS] [--effect MS]
      Loads the folder (an unnumbered one needs --format, as for load) and writes
      FOLDER/<folder name>.ss (Root.ss for "/"), a project for the slide-show player with
      every picture in name order, and prints its path. The caption of every
      slide is the folder name; with Text, a leading date goes behind it ("2006-07 Italie"
      gives "Italie (2006-07 )"). MS: display interval (4000) and effect duration (1200).
      FOLDER is created when missing, one level only; "/" means "/Slide shows/". Names
      with a line break are refused: they would cut their slide line in two.
      lumaro-cli slideshow ~/Pictures/Italy --to ~/Slide\ shows --interval 5000
)usage"},
    {"turn", R"usage(  turn FILE... --angle 90|180|270
      Turns each picture clockwise as it is shown, as the window does: a JPEG
      without loss where its sides allow, another type (PNG, TIFF, WebP) encoded
      again in its own format; the file keeps its name, permissions and date.
      lumaro-cli turn ~/Pictures/Italy/0007--.jpg --angle 90
)usage"},
    {"transfer", R"usage(  transfer DIR PICK --to DEST [--by name|date]
      Moves the selected pictures to DEST (created when missing): each is copied under
      a free name ("IMG_1 (2).jpg" when the name is taken), verified, then deleted; its
      companion files go along under the same name ("IMG_1 (2).NEF").
      lumaro-cli transfer ~/Pictures/Italy --select 3-5 --to ~/Pictures/Rome
)usage"},
    {"delete", R"usage(  delete FILE... [--permanent] [--with-companions]
      Moves each file to the desktop Trash, where the file manager restores it, and
      prints where it lies there. With --permanent, deletes each file for good instead;
      a file the Trash cannot take is left in place unless --permanent is given. With
      --with-companions, each picture's companion files go with it; without, they stay.
      lumaro-cli delete ~/Pictures/Italy/0007--.jpg
)usage"},
    {"shift", R"usage(  shift DIR --device NAME --by [+|-][D:]HH:MM:SS
  shift DIR --select N --to "YYYY:MM:DD HH:MM:SS"
      Corrects a device's clock: moves the dates inside every picture that device took
      (as devices names it), and inside their companions that carry dates (a raw file, a
      live picture's video, whatever device they name), by the amount --by gives (at most
      1,000 days either way; D days, then hours under 24). With --select and --to, the
      amount is what makes picture N (its place in name order) show the true date and
      time --to gives, compared with its date as written, and its device moves. Only the
      date fields change, each file keeps its name and modification time; sidecars (.xmp)
      are left as they are. Prints each file, its date before and its date after, TAB-
      separated; undo shifts them back. A file whose dates cannot be rewritten is left
      whole and named (exit 3).
      lumaro-cli shift ~/Pictures/Italy --select 12 --to "2024:07:14 15:30:00"
      lumaro-cli shift ~/Pictures/Italy --device "Canon EOS R5" --by -0:59:30
)usage"},
    {"history", R"usage(  history DIR [--names N]
      The operations that renamed, moved out, turned, deleted or shifted pictures of the
      folder, numbered from 1, the most recent: number, time, kind and count, TAB-
      separated, and "undone" after an operation that is undone (and not redone). With
      --names, each file's name before and after operation N, a TAB between them: the
      names the camera gave stay findable.
      lumaro-cli history ~/Pictures/Italy --names 3
)usage"},
    {"undo", R"usage(  undo DIR [--dry-run]
      Undoes the most recent operation of the folder not undone yet whose files are all
      still as it left them (renamed back, moved back, turned back, shifted back, or taken
      back from the Trash); each undo steps one operation further back. A picture goes
      back with its companions: where its name is taken again, they all take one free name ("IMG_1 (2)"),
      or, from the Trash, they all stay there (named, exit 3). Nothing is done when no
      operation is intact (exit 2). With --dry-run, prints each file's present and new
      name, a TAB between them (a turn: "FILE<TAB>FILE turned A clockwise"), with the exit
      code the undo would give, and touches nothing.
      lumaro-cli undo ~/Pictures/Italy --dry-run
)usage"},
    {"redo", R"usage(  redo DIR [--dry-run]
      Takes back the last undo of the folder, as long as its files are still as the undo
      left them; a new operation ends what can be redone. Output as for undo.
      lumaro-cli redo ~/Pictures/Italy
)usage"},
};

constexpr const char* kCommonOptions = R"usage(
Options of every command:
  --type EXT      the picture file type (default jpg); all: every picture and video
                  type in one numbering, a raw file or video of a picture's name with it
  -n, --dry-run   (commands that change files) print the plan and change nothing: one
                  line per file, the old name, a TAB, the new name; the load's own
                  renames included, an interrupted operation's finish too. transfer
                  prints source TAB destination, each companion after its picture,
                  turn "FILE<TAB>FILE turned A clockwise", delete "FILE<TAB>(Trash)"
                  or "(deleted for good)", shift FILE<TAB>date<TAB>new date,
                  slideshow the project's path last. Files
                  the run would keep are named on stderr as the run names them. The
                  exit code is the one the run would give.
  --wait          (commands that change files) while another Lumaro is changing the
                  folder, wait for it to finish rather than stop at once (exit 1)
  --no-history    (commands that change files) go on when the folder's history cannot be
                  written (the state folder missing and not creatable, read-only, or no
                  home): without it such a command is refused (exit 2) before it changes
                  anything; with it, nothing is recorded and the operation cannot be undone
  --json          one JSON document on stdout, run or planned, whatever the end:
                  {"lumaro": 1, "command", "folder", "dry_run", "files": [{"old",
                  "new", "action", "status", "reason", "companion_of"}], "exit"}; see
                  lumaro-cli(1) for every field
  -q, --quiet     no messages on stderr but errors
  -v, --verbose   each rename told on stderr as it happens
  -h, --help      this help; COMMAND --help or help COMMAND: that command's only
  -V, --version   the version
  --              ends the options: every word after it is a folder or a file
Short options may be bundled: -qn is -q -n. An option's value is the next word as it
is, even when it begins with '-'.
)usage";

constexpr const char* kUsageTail = R"usage(
Every command that renames pictures renames their companion files with them, all or none,
and lists them under their pictures after a TAB. Every picture takes one line: in names,
paths and dates a line feed, a tab, a carriage return and the other control characters are
written \n, \t, \r and \xHH, a backslash \\.
Every error line on stderr begins with "lumaro-cli: ".

Exit codes:
  0  done
  1  wrong usage, a position past the end, a name not in the listing, a path that does
     not exist, a folder that cannot be read, a slide show that cannot be written, a write
     error on stdout, or another Lumaro changing the folder ("another Lumaro is changing
     this folder"; nothing was changed, --wait waits instead)
  2  refused by a rule, or no picture of the type for a command that changes files (list
     exits 0)
  3  done, but some pictures kept their names, or were not turned, moved, deleted or
     shifted (named on stderr)
After 1 or 2 nothing was renamed or moved, not even by the load.
)usage";

}  // namespace

std::string UsageText() {
    std::string text = kUsageHead;
    for (const auto& [command, usage] : kCommandUsage) text += usage;
    return text + kCommonOptions + kUsageTail;
}

std::string CommandUsageText(const std::string& command) {
    for (const auto& [name, usage] : kCommandUsage) {
        if (name == command)
            return std::string("Usage: lumaro-cli [OPTION]... COMMAND ARGUMENT...\n") + usage +
                   kCommonOptions + kUsageTail;
    }
    return UsageText();
}

}  // namespace lumaro::cli
