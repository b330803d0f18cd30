// The built-in English message table. New messages go at the end with the next key, and
// kMessageKeyCount in messagekeys.h moves with them (the check below insists).
#include <iterator>

#include "core/settings/languagetable.h"

namespace lumaro {

namespace {

constexpr const char* kEnglishEntries[] = {
    "0=Current folder:",
    "1=Files in folder:",
    "2=On disk",
    "3=Move",
    "4=Help",
    "5=About",
    "6=Cancel move",
    "7=Accept",
    "8=To a folder",
    "9=File names",
    "10=Type:",
    "11=Caption :",
    "12=Rename",
    "13=Folder",
    "14=Select all",
    "15=Rename",
    "16=Renumber",
    "17=Apply",
    "18=Cancel rename",
    "19=Cancel apply",
    "20=Cancel renumber",
    "21=Slide show",
    "22=End",
    "23=Memo",
    "24=Lumaro was written by the Lumaro developers",
    "25=Lumaro - meaningful names for your pictures",
    "26=Browse",
    "27=Cancel",
    "28=Cannot create folder in",
    "29=Verify the selected unit and retry",
    "30=Folder",
    "31=Clear",
    "32=Numbering",
    "33=Selection",
    "34=Starting number too large (6 characters max)",
    "35=Left click - clear caption; Right click - clear list",
    "36=Available captions",
    "37=Delete",
    "38=Continue with no captions (File names composed of numbers only) ?",
    "39=To use this function, create Memo pictures first",
    "40=Creation of slide show folder",
    "41=Create slide show",
    "42=Define Slide show folder first",
    "43=Unselect",
    "44=Slide shows/",  // a subfolder name, so it ends with this system's separator
    "45=Slide show folder",
    "46=Destination folder",
    "47=New slide show folder",
    "48=New slide show folder in",
    "49=Pictures folder",
    "50=Clear all captions?",
    "51=Clear all file types?",
    "52=Slide show folder",
    "53=Insert a number in front of the existing name",
    "54=File name format",
    "55=(1200 ms =1.2 sec)",
    "56=(4000 ms =4 sec)",
    "57=Effects duration",
    "58=Image display interval",
    "59=No Memo pictures in this folder",
    "60=Specify the file type",
    "61=Start numbering at",
    "62=Items must be contiguous - no holes",
    "63=Minimum resolution is 800x600",
    "64=was created in",
    "65=New folder",
    "66=New destination folder",
    "67=New destination folder in",
    "68=Number of digits",
    "69=Copy failed, original left in place",
    "70=Slide show parameters",
    "71=Leave name as it is",
    "72=Replace existing name by a number",
    "73=Overlap not allowed",
    "74=Select all",
    "75=Slide show",
    "76=Slide show title",
    "77=Date before text",
    "78=Date after text",
    "79=Number (within the name) of the picture after which to insert:",
    "80=(To insert before the first picture type 0)",
    "81=Targeted move",
    "82=Digits only",
    "83=Value out of range",
    "84=File name",
    "85=Transfer",
    "86=Clear list",
    "87=Number of digits between 2 and 6",
    "88=Select a single picture",
    "89=Version",
    "90=Complete numbering of unnumbered pictures",
    "91=Save as Snapkeep",
    "92=Left click - Load Snapkeep, Right click - Save displayed pictures as Snapkeep",
    "93=Only the first twelve pictures were saved as Snapkeep",
    "94=",
    "95=",
    "96=",
    "97=",
    "98=",
    "99=Sort criterion",
    "100=By picture name",
    "101=By picture date",
    "102=Folder contains no files of type",
    // Line feed before carriage return, as the message has always been stored.
    ("103=Pictures with no internal date will be placed\n\rat the beginning of the list\n\n\r"
     "The displayed date for these pictures will start with FD"),
    "104=FD",
    "105=Picture date",
    "106=Sort by Date",
    "107=Sort by Name",
    "108=Sort is by Picture date, not by file date",
    "109=Delete file",
    "110=Cannot open the language file",
    "111=A file type cannot contain '/', '.', ',' or a NUL byte",
    "112=This folder cannot be read:",
    "113=A number in front of these names would not make them numbered names; nothing was renamed:",
    "114=These pictures kept their names because they could not be renamed:",
    "115=A caption cannot contain '/' or a NUL byte",
    "116=This caption would take the number out of these names; choose another caption:",
    "117=Only pictures with a number can be moved or renumbered:",
    "118=With this number of digits these names would lose their number:",
    "119=A renaming of this folder was interrupted; it has been completed. Pictures renamed:",
    "120=more",
    "121=Lumaro cannot open this folder: it does not exist, is not a folder or cannot be read.",
    "122=This picture cannot be read; it may be damaged or no longer in the folder:",
    "123=The slide show file could not be written:",
    "124=A folder name cannot be empty, \".\" or \"..\", contain '/' or be longer than 255 bytes",
    "125=Snapkeep copies cannot be saved in the picture folder itself: they would take the place "
    "of the pictures. Choose another folder.",
    "126=These files are in the folder already. Replace them with the new Snapkeep copies?",
    "127=These Snapkeep copies could not be written:",
    "128=The list changed since the moves began; nothing has been renamed. Move the pictures "
    "again.",
    "129=The settings file cannot be read. Lumaro starts with its default settings and will not "
    "write over the file:",
    "130=This picture could not be turned; it is unchanged:",
    "131=This picture could not be deleted:",
    "132=These pictures were copied, but their originals could not be deleted; they are now in "
    "both folders:",
    "133=A renaming of this folder was interrupted, and its record cannot be read. Some pictures "
    "may still bear temporary names. The record was kept as:",
    "134=A slide show cannot name these folders or pictures, whose names hold a line break; "
    "nothing was written:",
    "135=This picture cannot be moved to the Trash. Delete it permanently?",
    "136=Undo %1 of %2 pictures made on %3?",
    "137=This folder has no operation to undo.",
    "138=Nothing was undone: this file is no longer as the last operation left it (renamed "
    "again, replaced or changed):",
    "139=The last operation is a turn that was not lossless; turning it back would lose more "
    "of the picture, so nothing was undone.",
    "140=These files could not be put back as they were:",
    "141=Delete '%1' and its %2 companion files?",
    "142=Picture and companions",
    "143=Picture alone",
    "144=load|apply|cancel apply|accept move|renumber|cancel renumber|transfer|turn|delete|undo|"
    "repair",
    "145=Another Lumaro is changing this folder.",
    "146=the Trash of this disk cannot be used",
    "147=",
    "148=The history of this folder cannot be written in the state folder %1 (%2): this "
    "operation could not be undone later. Continue without a history?",
    "149=The history of this folder cannot be written, so nothing was changed (--no-history goes "
    "on without one). The state folder:",
    "150=This folder has no undo to redo.",
    "151=Redo %1 of %2 pictures made on %3?",
    "152=Nothing was redone: this file is no longer as the undo left it (renamed again, "
    "replaced or changed):",
    "153=Their names being taken again, these pictures came back under another name, each with "
    "its companions:",
    "154=",
    "155=no home folder: $HOME is not set and the account has none",
};

static_assert(std::size(kEnglishEntries) == kLanguageKeyCount,
              "one English entry per key: add the entry and raise kMessageKeyCount together");

}  // namespace

const std::vector<std::string>& BuiltInEnglishEntries() {
    static const std::vector<std::string> entries(std::begin(kEnglishEntries),
                                                  std::end(kEnglishEntries));
    return entries;
}

}  // namespace lumaro
