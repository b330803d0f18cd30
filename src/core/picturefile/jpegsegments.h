// The header of a JPEG file: its segments up to the picture data, and the Exif fields that a
// turn must set (orientation, pixel dimensions) found where they lie, so they can be changed
// in place while every other byte of the header stays as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

// One segment in front of the picture data: marker byte (0xE1 for APP1, ...), and where the
// whole segment (from its 0xFF) starts and how many bytes it takes.
struct JpegSegment {
    unsigned char marker = 0;
    size_t offset = 0;
    size_t size = 0;
};

// True when the bytes begin like a JPEG file.
bool LooksLikeJpeg(std::string_view bytes);

// The segments from the start marker up to (not including) the start of scan; stops early at
// anything malformed, never reading outside the bytes.
std::vector<JpegSegment> JpegHeaderSegments(std::string_view jpeg);

// One past the end-of-image marker of the picture the file begins with: the segments are
// walked to the start of scan, then the coded data is read for its end. 0 when the data is
// cut short or malformed. Whatever follows (a phone's motion video, further pictures) is not
// part of the picture.
size_t JpegPictureEnd(std::string_view jpeg);

// The application and comment segments (APP0 to APP15, COM), concatenated in file order.
std::string JpegMarkerSegments(std::string_view jpeg);

// A number stored in the Exif block: where its value lies in the file, how wide it is (2 or 4
// bytes), and in which byte order.
struct ExifNumberField {
    size_t offset = 0;
    int width = 0;  // 0: not present
    bool bigEndian = false;
    bool present() const { return width != 0; }
};

struct ExifTurnFields {
    ExifNumberField orientation;
    ExifNumberField pixelWidth;
    ExifNumberField pixelHeight;
    // The small picture of the second directory: where it starts, counted from the TIFF header
    // (10 bytes into the segment), and its length.
    ExifNumberField thumbnailStart;
    ExifNumberField thumbnailLength;
    // The link from the first directory to the second (4 bytes, 0 when there is none).
    ExifNumberField secondDirectory;
    JpegSegment segment;  // the Exif segment these fields lie in
};

// The fields of the first Exif block of the file; absent ones have width 0.
ExifTurnFields FindExifTurnFields(std::string_view jpeg);

unsigned ReadExifNumber(std::string_view jpeg, const ExifNumberField& field);
void WriteExifNumber(std::string& jpeg, const ExifNumberField& field, unsigned value);

// The index of the pictures a file stores after its first one (camera previews, depth and gain
// maps), kept in an APP2 "MPF" segment of the first picture's header: for each picture, its
// size and its offset counted from the TIFF header of that segment (8 bytes into it). The
// first entry is the first picture itself, at offset 0.
struct PictureIndex {
    struct Entry {
        ExifNumberField size;
        ExifNumberField offset;
    };
    size_t tiffStart = 0;  // in the file
    std::vector<Entry> entries;
    bool damaged = false;  // an index is there, but its entries do not lie inside its segment
};

// The index of the first "MPF" segment of the header; no entries when there is none.
PictureIndex FindPictureIndex(std::string_view jpeg);

// The orientation of the picture (1 to 8); 1 when the file says nothing valid.
int ExifOrientation(std::string_view jpeg);

}  // namespace lumaro
