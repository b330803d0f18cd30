// Bytes kept beside the text that shows them (see filebytes.h).
#include "toolkit/filebytes.h"

#include <algorithm>

#include <QByteArray>
#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

namespace lumaro {

namespace {
constexpr int kBytesRole = Qt::UserRole + 1;
constexpr const char* kBytesProperty = "lumaroFileBytes";
constexpr const char* kShownProperty = "lumaroShownText";
}  // namespace

void SetTextFromBytes(QLineEdit* edit, const std::string& bytes) {
    const QString shown = QString::fromStdString(bytes);
    edit->setText(shown);
    const bool lossy = shown.toStdString() != bytes;
    edit->setProperty(kBytesProperty, lossy ? QVariant(QByteArray::fromStdString(bytes)) : QVariant());
    edit->setProperty(kShownProperty, lossy ? QVariant(shown) : QVariant());
}

std::string TextBytes(const QLineEdit* edit) {
    const QVariant bytes = edit->property(kBytesProperty);
    if (bytes.isValid() && edit->property(kShownProperty).toString() == edit->text())
        return bytes.toByteArray().toStdString();
    return edit->text().toStdString();
}

void InsertItemFromBytes(QComboBox* combo, int index, const std::string& bytes) {
    const QString shown = QString::fromStdString(bytes);
    const int at = std::clamp(index, 0, combo->count());
    combo->insertItem(at, shown);
    if (shown.toStdString() != bytes) combo->setItemData(at, QByteArray::fromStdString(bytes), kBytesRole);
}

void AddItemFromBytes(QComboBox* combo, const std::string& bytes) {
    InsertItemFromBytes(combo, combo->count(), bytes);
}

std::string ItemBytes(const QComboBox* combo, int index) {
    const QVariant bytes = combo->itemData(index, kBytesRole);
    return bytes.isValid() ? bytes.toByteArray().toStdString() : combo->itemText(index).toStdString();
}

}  // namespace lumaro
