// Pictures and videos of every type the clock correction rewrites, made by the encoders
// (convert, cwebp, heif-enc, ffmpeg) and given their dates and device by exiftool, and the
// dates exiftool reads back from them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "realpictures.h"

namespace lumaro::datedfiles {

inline constexpr const char* kTaken = "2015:06:01 10:00:00";
inline constexpr const char* kDigitized = "2015:06:01 10:00:05";
inline constexpr const char* kModified = "2024:12:24 18:30:00";

inline std::string typeOf(const std::string& name) { return name.substr(name.rfind('.') + 1); }
inline bool isVideo(const std::string& name) {
    return typeOf(name) == "mp4" || typeOf(name) == "mov";
}

// The first tool missing to make and read a file of this name; empty when all are there.
inline std::string MissingTool(const std::string& name) {
    const std::string type = typeOf(name);
    std::vector<std::string> tools{"exiftool"};
    tools.push_back(isVideo(name) ? "ffmpeg" : "convert");
    if (type == "webp") tools.push_back("cwebp");
    if (type == "heic") tools.push_back("heif-enc");
    for (const std::string& tool : tools)
        if (!realpictures::Run("command -v " + tool)) return tool;
    return {};
}

// exiftool on the file; a raw name whose content is a plain TIFF is handled under a TIFF name,
// since exiftool checks a raw file's own structure when it writes.
inline std::string Exiftool(const std::string& path, const std::string& arguments) {
    const bool raw = typeOf(path) == "nef";
    const std::string handled = raw ? path + ".tif" : path;
    if (raw) std::rename(path.c_str(), handled.c_str());
    std::string output;
    if (FILE* pipe =
            popen(("exiftool " + arguments + " '" + handled + "' 2>/dev/null").c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
        pclose(pipe);
    }
    if (raw) std::rename(handled.c_str(), path.c_str());
    return output;
}

// The dates a file carries, one per line, as exiftool reads them: the three Exif dates of a
// picture; a video's movie, track and media times, and a QuickTime movie's Apple date.
inline std::string DatesOf(const std::string& path) {
    if (!isVideo(path))
        return Exiftool(path, "-s3 -EXIF:DateTimeOriginal -EXIF:CreateDate -EXIF:ModifyDate");
    std::string tags =
        "-s3 -QuickTime:CreateDate -QuickTime:ModifyDate -TrackCreateDate "
        "-TrackModifyDate -MediaCreateDate -MediaModifyDate";
    if (typeOf(path) == "mov") tags += " -Keys:CreationDate";
    return Exiftool(path, tags);
}

// Makes `folder/name` with the dates above (a video: kTaken for all its times, its Apple date
// with an offset) and the device `make` and `model` where not empty.
inline void MakeDatedFile(const std::string& folder, const std::string& name,
                          const std::string& make = "", const std::string& model = "") {
    const std::string path = folder + name;
    std::string tags;
    if (isVideo(name)) {
        ASSERT_TRUE(
            realpictures::Run("ffmpeg -v error -f lavfi -i color=c=red:s=64x48:d=0.2 "
                              "-c:v mpeg4 -y '" +
                              path + "'"));
        for (const char* tag : {"QuickTime:CreateDate", "QuickTime:ModifyDate", "TrackCreateDate",
                                "TrackModifyDate", "MediaCreateDate", "MediaModifyDate"})
            tags += std::string(" '-") + tag + "=" + kTaken + "'";
        if (typeOf(name) == "mov") {
            tags += std::string(" '-Keys:CreationDate=") + kTaken + "+02:00'";
            if (!make.empty()) tags += " '-Keys:Make=" + make + "' '-Keys:Model=" + model + "'";
        }
    } else {
        realpictures::MakePicture(folder, name, "", "");
        tags = std::string(" '-DateTimeOriginal=") + kTaken + "' '-CreateDate=" + kDigitized +
               "' '-ModifyDate=" + kModified + "'";
        if (!make.empty()) tags += " '-Make=" + make + "' '-Model=" + model + "'";
    }
    Exiftool(path, "-q -overwrite_original" + tags);
}

}  // namespace lumaro::datedfiles
