// Keys of the message table by name, for the messages that came after the classic table.
//
// Keys 0 to 109 are the classic table, which every language file carries line by line.
// A new message takes the next free key from 110 on: add its English entry ("110=...") at
// the end of the list in englishmessages.cpp, give it a named constant here, and raise
// kMessageKeyCount to one past it. Language files may carry the new keys as lines 111 and
// up; a file that does not carry a key leaves it in English.
#pragma once

namespace lumaro {

// Language files must carry at least these keys, one line each.
inline constexpr int kClassicMessageCount = 110;

// A language file listed at start-up that can no longer be opened when it is chosen.
inline constexpr int kMessageLanguageFileUnreadable = 110;

// One past the newest key; the built-in English list must have exactly this many entries.
// A file type that could not end a file name.
inline constexpr int kMessageFileTypeNotInFileName = 111;
// A picture folder that cannot be listed.
inline constexpr int kMessageFolderUnreadable = 112;
// Inserting numbers would give names that are not numbered; followed by the names.
inline constexpr int kMessageInsertWouldUnnumber = 113;
// Renames of an operation that failed; followed by the pictures concerned.
inline constexpr int kMessageRenamesFailed = 114;

// A caption that could not be part of a file name.
inline constexpr int kMessageCaptionNotInFileName = 115;
// A caption that would make numbered names unnumbered; followed by the names.
inline constexpr int kMessageCaptionWouldUnnumber = 116;
// A move or renumbering of pictures without number; followed by the names.
inline constexpr int kMessageNotNumbered = 117;
// A renumbering width that would unnumber names; followed by the names.
inline constexpr int kMessageWidthWouldUnnumber = 118;

// An operation that was stopped half way and that the folder load finished; followed by the
// names the pictures took.
inline constexpr int kMessageInterruptedRenamesRepaired = 119;

// Ends a list of names cut short: "(1980 more)".
inline constexpr int kMessageMoreNames = 120;

// A folder given at start-up that is missing, not a folder or unreadable; followed by it.
inline constexpr int kMessageStartFolderNotOpened = 121;
// A picture the single-picture window cannot read; followed by its file name.
inline constexpr int kMessagePictureUnreadable = 122;

// A slide-show project file that could not be written; followed by its path and the reason.
inline constexpr int kMessageSlideShowNotWritten = 123;
// A new folder name that cannot name a folder.
inline constexpr int kMessageFolderNameRefused = 124;
// A picture that could not be turned; followed by its path and the reason. It is unchanged.
inline constexpr int kMessageTurnFailed = 130;
// A picture that could not be deleted; followed by its path and the reason.
inline constexpr int kMessageDeleteFailed = 131;

// Saving a Snapkeep set into the picture folder itself, which the copies would replace.
inline constexpr int kMessageSnapkeepIntoPictureFolder = 125;
// Snapkeep copies that would replace files of the chosen folder; followed by their names.
inline constexpr int kMessageSnapkeepReplace = 126;
// Snapkeep copies that could not be written; followed by their names.
inline constexpr int kMessageSnapkeepCopiesFailed = 127;

// Accepting moves whose order before the first move no longer matches the list: nothing
// is renamed.
inline constexpr int kMessageMoveOutdated = 128;

// A settings file that is there but cannot be read; followed by its path.
inline constexpr int kMessageSettingsUnreadable = 129;

// Pictures copied to the destination whose originals could not be deleted: they are now in
// both folders. Followed by their paths and the reasons.
inline constexpr int kMessageOriginalNotDeleted = 132;
// A rename journal that could not be read, kept beside the pictures for the user; followed by
// the path it was kept under.
inline constexpr int kMessageUnreadableJournalKept = 133;

// A slide show of pictures or folders whose names hold a line break, which would cut slide
// lines in two; followed by the names. Nothing is written.
inline constexpr int kMessageSlideShowLineBreak = 134;

inline constexpr int kMessageKeyCount = 135;

}  // namespace lumaro
