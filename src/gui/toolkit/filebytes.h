// Texts that come from file names and files, whose bytes need not be UTF-8: controls show
// them with replacement characters and keep the bytes themselves beside the shown text, so
// that a name or caption that could not be displayed still reaches the disk unchanged.
#pragma once

#include <string>

class QComboBox;
class QLineEdit;

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

}  // namespace lumaro
