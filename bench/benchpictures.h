// The folders of camera pictures that the listing benchmarks read: small JPEG files whose
// headers are those of cameras (Exif in either byte order, after a JFIF segment or not, the
// moment of taking in the Exif sub-directory, every tenth picture without Exif), camera names.
// Header only, like benchsupport.h.
#pragma once

#include <cstdio>
#include <string>

#include "../tests/core/jpegbytes.h"
#include "../tests/core/tiffbytes.h"
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

// The Exif segment of a camera: the first directory with the camera's name, its software and
// DateTime, the Exif sub-directory it points to with the exposure, DateTimeOriginal and
// DateTimeDigitized, and a maker note of a few KiB after their values; in either byte order.
inline std::string CameraExif(Random& random) {
    namespace tb = lumaro::tiffbytes;
    tb::Tiff t;
    t.bigEndian = random.between(0, 1) == 1;
    const std::string date = CameraDateText(random);
    auto number = [&](int low, int high) {
        return tb::Long(static_cast<uint32_t>(random.between(low, high)), t.bigEndian);
    };
    t.first = {{0x010F, "Camera maker"},
               {0x0110, "Model X100"},
               {0x0112, number(1, 8)},
               {0x011A, number(72, 300)},
               {0x011B, number(72, 300)},
               {0x0131, "Firmware 1.02"},
               {0x0132, date},
               {0x0213, number(1, 2)}};
    std::string makerNote = random.bytes(static_cast<size_t>(random.between(1024, 6144)));
    t.exif = {{0x829A, number(1, 4000)},
              {0x829D, number(1, 22)},
              {0x8827, number(100, 6400)},
              {0x9000, "0231"},
              {0x9003, date},
              {0x9004, date},
              {0x9010, "+02:00"},
              {0x920A, number(8, 600)},
              {0x927C, makerNote},
              {0xA002, number(6000, 6000)},
              {0xA003, number(4000, 4000)}};
    return jb::Segment(0xE1, std::string("Exif\0\0", 6) + tb::Block(t));
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
    for (int i = 0; i < count; ++i)
        WriteFile(folder, CameraPictureName(i), CameraPicture(i, random));
}

}  // namespace lumaro::bench
