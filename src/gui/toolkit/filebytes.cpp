// Bytes kept beside the text that shows them (see filebytes.h).
#include "gui/toolkit/filebytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QVariant>
#include <algorithm>

namespace lumaro {

namespace {
constexpr int kBytesRole = Qt::UserRole + 1;
constexpr const char* kBytesProperty = "lumaroFileBytes";
constexpr const char* kShownProperty = "lumaroShownText";
constexpr char16_t kEscapedByte = 0xDC00;  // plus a byte of 0x80 to 0xFF

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point of the valid UTF-8 sequence at `at`, and its length; 0 when there is none.
size_t utf8Sequence(std::string_view bytes, size_t at, char32_t& point) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, point = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, point = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, point = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if (!isContinuation(byte(i))) return 0;
        point = (point << 6) | (byte(i) & 0x3F);
    }
    // Overlong forms, surrogates and points past Unicode are not UTF-8.
    if (point < smallest || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) return 0;
    return length;
}

void appendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}
}  // namespace

void SetTextFromBytes(QLineEdit* edit, const std::string& bytes) {
    const QString shown = QString::fromStdString(bytes);
    edit->setText(shown);
    const bool lossy = shown.toStdString() != bytes;
    edit->setProperty(kBytesProperty,
                      lossy ? QVariant(QByteArray::fromStdString(bytes)) : QVariant());
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
    if (shown.toStdString() != bytes)
        combo->setItemData(at, QByteArray::fromStdString(bytes), kBytesRole);
}

void AddItemFromBytes(QComboBox* combo, const std::string& bytes) {
    InsertItemFromBytes(combo, combo->count(), bytes);
}

std::string ItemBytes(const QComboBox* combo, int index) {
    const QVariant bytes = combo->itemData(index, kBytesRole);
    return bytes.isValid() ? bytes.toByteArray().toStdString()
                           : combo->itemText(index).toStdString();
}

QString PathText(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (size_t at = 0; at < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        char32_t point = lead;
        size_t length = lead < 0x80 ? 1 : utf8Sequence(bytes, at, point);
        if (length == 0) {
            point = kEscapedByte + lead;
            length = 1;
        }
        if (point >= 0x10000) {
            text += QChar(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
            text += QChar(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
        } else {
            text += QChar(static_cast<char16_t>(point));
        }
        at += length;
    }
    return text;
}

std::string PathBytes(const QString& path) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(path.size()));
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < path.size() && path[i + 1].isLowSurrogate()) {
            appendUtf8(bytes, QChar::surrogateToUcs4(unit, path[++i].unicode()));
        } else if (unit >= kEscapedByte + 0x80 && unit <= kEscapedByte + 0xFF) {
            bytes += static_cast<char>(unit - kEscapedByte);
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(bytes, 0xFFFD);  // a stray half of a pair names no file
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

bool OpenPathForReading(QFile& file, const QString& path) {
    const int fd = open(PathBytes(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
    close(fd);
    return false;
}

}  // namespace lumaro
