// Texts that come from file names and files, whose bytes need not be UTF-8: controls show
// them with replacement characters and keep the bytes themselves beside the shown text, so
// that a name or caption that could not be displayed still reaches the disk unchanged.
#pragma once

#include <string>
#include <string_view>

class QComboBox;
class QFile;
class QLineEdit;
class QString;

namespace lumaro {

// Shows `bytes` in the line edit, remembering them while the text stays as shown.
void SetTextFromBytes(QLineEdit* edit, const std::string& bytes);
// The bytes of the edit's text: the remembered ones while the user has not changed the text.
std::string TextBytes(const QLineEdit* edit);

// Appends or inserts an item showing `bytes`, with the bytes kept in the item.
void InsertItemFromBytes(QComboBox* combo, int index, const std::string& bytes);
void AddItemFromBytes(QComboBox* combo, const std::string& bytes);
// The bytes of item `index`: the kept ones, or the UTF-8 of its text.
std::string ItemBytes(const QComboBox* combo, int index);

// Paths between the core, which keeps bytes, and Qt, which keeps text. Each byte that is not
// part of valid UTF-8 travels in the text as one lone surrogate (U+DC80 + the byte): the text
// shows a replacement mark, and the path comes back byte for byte to open the file it names.
QString PathText(std::string_view bytes);
std::string PathBytes(const QString& path);
// Opens `file` for reading on the file that `path` names; false when it cannot.
bool OpenPathForReading(QFile& file, const QString& path);

}  // namespace lumaro
