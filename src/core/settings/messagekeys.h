// Keys of the message table by name: every key the program uses, classic or newer.
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

// The classic keys by name, in key order (their English texts are in englishmessages.cpp).
// Keys with no use in the program (the empty 94 to 98 among them) have no name.
inline constexpr int kMessageCurrentFolderLabel = 0;
inline constexpr int kMessageFilesInFolderLabel = 1;
inline constexpr int kMessageOnDiskLabel = 2;
inline constexpr int kMessageMoveGroup = 3;
inline constexpr int kMessageHelp = 4;
inline constexpr int kMessageAbout = 5;
inline constexpr int kMessageCancelMove = 6;
inline constexpr int kMessageAcceptMove = 7;
inline constexpr int kMessageToFolder = 8;
inline constexpr int kMessageFileNamesGroup = 9;
inline constexpr int kMessageTypeLabel = 10;
inline constexpr int kMessageCaptionLabel = 11;
inline constexpr int kMessageCommandsGroup = 12;
inline constexpr int kMessageFolderButton = 13;
inline constexpr int kMessageSelectAllButton = 14;
inline constexpr int kMessageRename = 15;
inline constexpr int kMessageRenumber = 16;
inline constexpr int kMessageApply = 17;
inline constexpr int kMessageCancelRename = 18;
inline constexpr int kMessageCancelApply = 19;
inline constexpr int kMessageCancelRenumber = 20;
inline constexpr int kMessageSlideShowButton = 21;
inline constexpr int kMessageQuit = 22;
inline constexpr int kMessageMemo = 23;
inline constexpr int kMessageWrittenBy = 24;
inline constexpr int kMessageProgramTitle = 25;
inline constexpr int kMessageBrowse = 26;
inline constexpr int kMessageCancel = 27;
inline constexpr int kMessageCannotCreateFolder = 28;
inline constexpr int kMessageVerifyAndRetry = 29;
inline constexpr int kMessageFolder = 30;
inline constexpr int kMessageClear = 31;
inline constexpr int kMessageNumbering = 32;
inline constexpr int kMessageSelection = 33;
inline constexpr int kMessageStartNumberTooLarge = 34;
inline constexpr int kMessageClearCaptionsHint = 35;
inline constexpr int kMessageAvailableCaptions = 36;
inline constexpr int kMessageDelete = 37;
inline constexpr int kMessageContinueWithoutCaption = 38;
inline constexpr int kMessageCreateMemoFirst = 39;
inline constexpr int kMessageSlideShowFolderCreation = 40;
inline constexpr int kMessageCreateSlideShow = 41;
inline constexpr int kMessageDefineSlideShowFolder = 42;
inline constexpr int kMessageUnselect = 43;
inline constexpr int kMessageSlideShowsSubfolder = 44;
inline constexpr int kMessageSlideShowFolder = 45;
inline constexpr int kMessageDestinationFolder = 46;
inline constexpr int kMessageNewSlideShowFolder = 47;
inline constexpr int kMessageNewSlideShowFolderIn = 48;
inline constexpr int kMessagePicturesFolder = 49;
inline constexpr int kMessageClearAllCaptions = 50;
inline constexpr int kMessageClearAllFileTypes = 51;
inline constexpr int kMessageSlideShowFolderButton = 52;
inline constexpr int kMessageInsertNumber = 53;
inline constexpr int kMessageFileNameFormat = 54;
inline constexpr int kMessageEffectDurationHint = 55;
inline constexpr int kMessageDisplayIntervalHint = 56;
inline constexpr int kMessageEffectDuration = 57;
inline constexpr int kMessageDisplayInterval = 58;
inline constexpr int kMessageNoMemoPictures = 59;
inline constexpr int kMessageSpecifyFileType = 60;
inline constexpr int kMessageStartNumberingAt = 61;
inline constexpr int kMessageNotContiguous = 62;
inline constexpr int kMessageScreenTooSmall = 63;
inline constexpr int kMessageWasCreatedIn = 64;
inline constexpr int kMessageNewFolder = 65;
inline constexpr int kMessageNewDestinationFolder = 66;
inline constexpr int kMessageNewDestinationFolderIn = 67;
inline constexpr int kMessageNumberOfDigits = 68;
inline constexpr int kMessageCopyFailed = 69;
inline constexpr int kMessageSlideShowParameters = 70;
inline constexpr int kMessageLeaveName = 71;
inline constexpr int kMessageReplaceName = 72;
inline constexpr int kMessageNumbersOverlap = 73;
inline constexpr int kMessageSelectAll = 74;
inline constexpr int kMessageSlideShow = 75;
inline constexpr int kMessageSlideShowTitle = 76;
inline constexpr int kMessageDateBeforeText = 77;
inline constexpr int kMessageDateAfterText = 78;
inline constexpr int kMessageInsertAfterNumber = 79;
inline constexpr int kMessageInsertAtStartHint = 80;
inline constexpr int kMessageTargetedMove = 81;
inline constexpr int kMessageDigitsOnly = 82;
inline constexpr int kMessageValueOutOfRange = 83;
inline constexpr int kMessageFileName = 84;
inline constexpr int kMessageTransfer = 85;
inline constexpr int kMessageClearList = 86;
inline constexpr int kMessageWidthOutOfRange = 87;
inline constexpr int kMessageSelectSinglePicture = 88;
inline constexpr int kMessageVersion = 89;
inline constexpr int kMessageSaveAsSnapkeep = 91;
inline constexpr int kMessageMemoHint = 92;
inline constexpr int kMessageOnlyTwelveSaved = 93;
inline constexpr int kMessageSortCriterion = 99;
inline constexpr int kMessageByPictureName = 100;
inline constexpr int kMessageByPictureDate = 101;
inline constexpr int kMessageNoFilesOfType = 102;
inline constexpr int kMessageUndatedPicturesFirst = 103;
inline constexpr int kMessageFileDatePrefix = 104;
inline constexpr int kMessagePictureDate = 105;
inline constexpr int kMessageSortByDate = 106;
inline constexpr int kMessageSortByName = 107;
inline constexpr int kMessageSortIsByPictureDate = 108;
inline constexpr int kMessageDeleteFile = 109;

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

// A picture that could not be moved to the Trash: asks whether to delete it permanently.
// Followed by its path and the reason.
inline constexpr int kMessageTrashFailedDeletePermanently = 135;

// Ctrl+Z: asks whether to undo the last operation of the folder still intact on disk. %1 is
// its kind, %2 the count of its pictures, %3 when it was made.
inline constexpr int kMessageUndoQuestion = 136;
// The folder's history holds no operation.
inline constexpr int kMessageNothingToUndo = 137;
// No operation of the history is intact; followed by the file that changed.
inline constexpr int kMessageUndoChanged = 138;
// The last intact operation is a turn that lost pixels: turning back would lose more.
inline constexpr int kMessageUndoLossy = 139;
// Files an undo could not put back; followed by their names and the reasons.
inline constexpr int kMessageUndoFailed = 140;

// Deleting a picture that has companion files: one question (%1 its name, %2 their count;
// followed by their names) answered by deleting the picture with them, the picture alone, or
// nothing (kMessageCancel).
inline constexpr int kMessageDeleteWithCompanions = 141;
inline constexpr int kMessageDeleteChoiceWithCompanions = 142;
inline constexpr int kMessageDeleteChoicePictureAlone = 143;

// The names of the kinds of operations in the undo question, separated by '|', in this order:
// load, apply, cancel apply, accept move, renumber, cancel renumber, transfer, turn, delete,
// undo, repair.
inline constexpr int kMessageOperationKinds = 144;

// Another program (a window, the command line) is changing the folder: nothing was changed.
inline constexpr int kMessageFolderBusy = 145;

// A file the Trash of its disk cannot take (no trash folder there can be used or made, or only
// one on another disk): said in place of the system's reason, in parentheses after the file.
inline constexpr int kMessageTrashUnusable = 146;
// Key 147 is free.

// The history of the folder cannot be written: asks whether to go on without one. %1 is the
// state folder, %2 why it cannot be written.
inline constexpr int kMessageContinueWithoutHistory = 148;
// The same refusal on the command line; followed by the state folder and the reason.
inline constexpr int kMessageHistoryNotWritable = 149;
// No undo of the folder to take back.
inline constexpr int kMessageNothingToRedo = 150;
// Ctrl+Shift+Z: asks whether to redo the last undone operation; %1, %2, %3 as in 136.
inline constexpr int kMessageRedoQuestion = 151;
// The files of the last undo are no longer as it left them; followed by the file that changed.
inline constexpr int kMessageRedoChanged = 152;
// Pictures whose names were taken again, put back under a free name with their companions;
// followed by "old name -> new name" lines.
inline constexpr int kMessageUndoOtherNames = 153;

// The disk that holds the folder is read-only (a card with its lock switch on, a read-only
// mount): said before anything is changed.
inline constexpr int kMessageReadOnlyDisk = 154;
// Why a history cannot be written when there is no home folder to hold the state folder.
inline constexpr int kMessageNoHomeFolder = 155;

// Keys 156 to 159 are free.

// Why a file was left as it was, said in parentheses after its name in the messages of turns,
// deletions, transfers and undos.
// A HEIF picture the turn refuses: it could only be encoded again, losing more of it.
inline constexpr int kMessageHeifNotTurned = 160;
// A picture file of several pages or frames, which a turn would cut to the first.
inline constexpr int kMessageSeveralPicturesInFile = 161;
// A picture of a type no encoder of the program writes.
inline constexpr int kMessageTypeNotWritable = 162;
// A picture whose data cannot be decoded or turned.
inline constexpr int kMessagePictureDataDamaged = 163;
// A file with other names (hard links), which a new file in its place would not replace.
inline constexpr int kMessageFileHasOtherNames = 164;
// A picture that changed while it was copied to another folder: it stays.
inline constexpr int kMessageChangedWhileCopied = 165;
// A file whose owner and group a new file in its place could not take.
inline constexpr int kMessageOwnerNotKept = 166;
// A file the Trash cannot hold: its name is not UTF-8.
inline constexpr int kMessageNameNotUtf8ForTrash = 167;
// A file that cannot take its name back: another file bears it.
inline constexpr int kMessageNameTaken = 168;
// A picture for which an undo found no free name.
inline constexpr int kMessageNoFreeName = 169;
// A new name holding a character the disk it goes to never takes in a name (FAT, exFAT,
// SMB shares); the character follows the text.
inline constexpr int kMessageCharacterRefused = 170;

// Why a clock correction left a file as it was, said in parentheses after its name.
// A file whose dates this program cannot find: not a picture or video of a known layout.
inline constexpr int kMessageNoDateLayout = 185;
// A picture or video that carries no date to correct.
inline constexpr int kMessageNoDateField = 186;
// A date that is no calendar date, or that the shift would take out of what its field holds.
inline constexpr int kMessageDateOutOfRange = 187;
// A clock correction that left some files as they were; followed by the files, each with why.
inline constexpr int kMessageShiftFailed = 188;
// A clock correction of more than 1,000 days: nothing was changed.
inline constexpr int kMessageShiftTooLong = 189;

// A clock correction from a picture's true time, refused: that picture carries no date.
inline constexpr int kMessagePictureWithoutDate = 190;
// A clock correction of a device that took no picture of the folder; followed by its name.
inline constexpr int kMessageNoPictureOfDevice = 191;
// A clock correction from a picture's true time that is already its date.
inline constexpr int kMessageNothingToShift = 192;

// The question before a picture goes to the Trash.
inline constexpr int kMessageMoveToTrash = 195;
// The same question for a picture with one companion file, then with several.
inline constexpr int kMessageMoveToTrashWithCompanion = 196;
inline constexpr int kMessageMoveToTrashWithCompanions = 197;
// Tooltips of the move arrows, from the top one down.
inline constexpr int kMessageTenTowardStartHint = 198;
inline constexpr int kMessageOneTowardStartHint = 199;
inline constexpr int kMessageToChosenPlaceHint = 200;
inline constexpr int kMessageOneTowardEndHint = 201;
inline constexpr int kMessageTenTowardEndHint = 202;
// Tooltips of the delete and turn buttons.
inline constexpr int kMessageDeleteToTrashHint = 203;
inline constexpr int kMessageTurnRightHint = 204;
inline constexpr int kMessageTurnLeftHint = 205;
inline constexpr int kMessageTurnUpsideDownHint = 206;
// The name of the language in that language, as the language list shows it.
inline constexpr int kMessageLanguageOwnName = 207;
// The undo and redo questions for an operation on a single file.
inline constexpr int kMessageUndoOneQuestion = 208;
inline constexpr int kMessageRedoOneQuestion = 209;

inline constexpr int kMessageKeyCount = 210;

}  // namespace lumaro
