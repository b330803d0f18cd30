// Camera-size pictures for the window benchmarks: 24-megapixel JPEG files with the detail of a
// photograph (soft shapes and fine grain), a few megabytes each. Header only.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <cstdio>

#include "benchsupport.h"

namespace lumaro::bench {

inline constexpr int kCameraWidth = 6000;
inline constexpr int kCameraHeight = 4000;

// Writes a 6000 x 4000 JPEG to `path`; `seed` gives each picture its own look.
inline void WriteCameraPicture(const QString& path, uint64_t seed) {
    Random random(seed);
    QImage coarse(kCameraWidth / 20, kCameraHeight / 20, QImage::Format_RGB32);
    for (int y = 0; y < coarse.height(); ++y) {
        for (int x = 0; x < coarse.width(); ++x) {
            coarse.setPixel(
                x, y, qRgb(random.between(0, 255), random.between(0, 255), random.between(0, 255)));
        }
    }
    QImage image =
        coarse.scaled(kCameraWidth, kCameraHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = static_cast<int>(random.next() % 13) - 6;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + grain, 255), qBound(0, qGreen(p) + grain, 255),
                           qBound(0, qBlue(p) + grain, 255));
        }
    }
    if (!image.save(path, "JPEG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

}  // namespace lumaro::bench
