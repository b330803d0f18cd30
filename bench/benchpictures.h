// The folders of camera pictures that the listing benchmarks read: small JPEG files whose
// headers are those of cameras (Exif in either byte order, after a JFIF segment or not, the
// date in the first or a later directory, every tenth picture without Exif), camera names.
// Header only, like benchsupport.h.
#pragma once

#include <cstdio>
#include <string>

#include "../tests/core/jpegbytes.h"
#include "benchsupport.h"

namespace lumaro::bench {

namespace jb = lumaro::jpegbytes;

inline std::string CameraDateText(Random& random) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", random.between(1998, 2024),
                  random.between(1, 12), random.between(1, 28), random.between(0, 23),
                  random.between(0, 59), random.between(0, 59));
    return text;
}

// The Exif segment of a camera: several entries in the first directory, the date either
// there (DateTime) or in a directory after it (DateTimeOriginal), in either byte order.
inline std::string CameraExif(Random& random) {
    jb::Exif exif;
    exif.bigEndian = random.between(0, 1) == 1;
    exif.date = CameraDateText(random);
    exif.entriesBefore = random.between(4, 12);
    if (random.between(0, 3) == 0) {
        exif.dateTag = 0x9003;
        exif.inSecondDirectory = true;
    }
    return jb::ExifApp1(exif);
}

// Pictures 0..6 of every ten carry Exif first, 7..8 JFIF then Exif, 9 no Exif at all.
inline bool CameraPictureHasDate(int index) { return index % 10 != 9; }

// A picture of 8 to 20 KiB: the header segments, quantisation table, then a scan of noise.
inline std::string CameraPicture(int index, Random& random) {
    std::string header = jb::Soi();
    const int kind = index % 10;
    if (kind >= 7) header += jb::Jfif();
    if (CameraPictureHasDate(index)) header += CameraExif(random);
    header += jb::Segment(0xDB, random.bytes(65));
    header += jb::Segment(0xDA, random.bytes(10));
    const size_t size = static_cast<size_t>(random.between(8 * 1024, 20 * 1024));
    return header + random.bytes(size > header.size() + 2 ? size - header.size() - 2 : 0) +
           jb::Eoi();
}

// Camera names, so that name order and date order differ.
inline std::string CameraPictureName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "%s_%05d.jpg", index % 3 ? "IMG" : "DSC", index);
    return name;
}

// Writes pictures 0 .. count-1 into the folder; every run writes the same bytes.
inline void MakeCameraPictures(const std::string& folder, int count) {
    Random random(20240611);
    for (int i = 0; i < count; ++i) WriteFile(folder, CameraPictureName(i), CameraPicture(i, random));
}

}  // namespace lumaro::bench
