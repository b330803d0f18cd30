// Writes the first inputs of each fuzz target into <corpus>/<target>/, from the pictures the
// test suite builds byte by byte and the files the program itself writes.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/history/history.h"
#include "core/journal/journalformat.h"
#include "core/settings/languagetable.h"
#include "core/settings/settingsfile.h"
#include "jpegbytes.h"
#include "tiffbytes.h"
#include "turnjpegs.h"

namespace {

using namespace lumaro;
namespace jb = lumaro::jpegbytes;
namespace tb = lumaro::tiffbytes;
namespace tj = lumaro::turnjpegs;

std::string corpus;

void seed(const std::string& target, const std::string& name, const std::string& bytes) {
    const std::string folder = corpus + "/" + target;
    mkdir(folder.c_str(), 0755);
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

void pictureSeeds() {
    jb::Exif big;
    big.bigEndian = true;
    jb::Exif original;
    original.dateTag = 0x9003;
    original.inSecondDirectory = true;
    jb::Exif farDirectory;
    farDirectory.firstOffset = 40;
    farDirectory.entriesBefore = 3;
    jb::Exif lying;
    lying.entryCount = 0xFFFF;
    lying.dateOffset = 0x7FFFFFF0;
    seed("picturedate_fuzz", "little", jb::Picture(jb::ExifApp1({})));
    seed("picturedate_fuzz", "big", jb::Picture(jb::ExifApp1(big)));
    seed("picturedate_fuzz", "jfif", jb::Picture(jb::Jfif() + jb::ExifApp1({})));
    seed("picturedate_fuzz", "thumbnail", jb::Picture(jb::Jfif(true) + jb::ExifApp1(big)));
    seed("picturedate_fuzz", "original", jb::Picture(jb::ExifApp1(original)));
    seed("picturedate_fuzz", "far", jb::Picture(jb::ExifApp1(farDirectory)));
    seed("picturedate_fuzz", "lying", jb::Picture(jb::ExifApp1(lying)));
    seed("picturedate_fuzz", "plain", jb::Picture(jb::Jfif()));
    // Real coded pictures: one followed by what phones store after it (a second picture, then
    // other bytes), and one with RGB-coded data behind a colour-transform segment.
    seed("picturedate_fuzz", "trailer",
         tj::QuarterJpeg(64, 48, jb::ExifApp1(big)) + tj::Trailer(2048));
    const std::string rgb = tj::EncodeWithCjpeg(tj::QuarterPixels(70, 50), 70, 50, "-rgb");
    if (!rgb.empty())
        seed("picturedate_fuzz", "rgb", rgb.substr(0, 2) + jb::ExifApp1({}) + rgb.substr(2));
    // The camera layout (the moment of taking in the Exif sub-directory), in each container.
    tb::Tiff camera;
    camera.first = {{0x010F, "Camera maker"}, {tb::kTagDateTime, "2024:12:24 18:30:00"}};
    camera.exif = {{tb::kTagOriginal, "2015:06:01 10:00:00"},
                   {tb::kTagDigitized, "2015:06:01 10:00:05"}};
    const std::string block = tb::Block(camera);
    camera.bigEndian = true;
    seed("picturedate_fuzz", "camera", tb::JpegWith(jb::Jfif(true), block));
    seed("picturedate_fuzz", "tiff", tb::Block(camera));
    seed("picturedate_fuzz", "png", tb::PngWith(block, true));
    seed("picturedate_fuzz", "webp", tb::WebpWith(std::string("Exif\0\0", 6) + block));
    seed("picturedate_fuzz", "heifitem", std::string("\0\0\0\x06Exif\0\0", 10) + block);
}

// A box of an ISO base media file: size, type, content.
std::string box(const std::string& type, const std::string& content) {
    const uint32_t size = static_cast<uint32_t>(content.size() + 8);
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(size >> shift & 0xFF);
    return out + type + content;
}

// The header times of a movie, track or media header: version 0 (4 bytes each) or 1 (8).
std::string headerTimes(int version, uint32_t seconds) {
    const std::string time = std::string(version ? 4 : 0, '\0') + tb::Long(seconds, true);
    return std::string(1, static_cast<char>(version)) + std::string(3, '\0') + time + time +
           std::string(32, '\0');
}

void shiftSeeds() {
    tb::Tiff camera;
    camera.first = {
        {0x010F, "Canon"}, {0x0110, "Canon EOS R5"}, {tb::kTagDateTime, "2024:12:24 18:30:00"}};
    camera.exif = {{tb::kTagOriginal, "2015:06:01 10:00:00"},
                   {tb::kTagDigitized, "2015:06:01 10:00:05"},
                   {0xA431, "012345"}};
    const std::string block = tb::Block(camera);
    seed("shiftdates_fuzz", "jpeg", "\x01" + tb::JpegWith(jb::Jfif(), block));
    seed("shiftdates_fuzz", "png", "\x02" + tb::PngWith(block, true));
    seed("shiftdates_fuzz", "webp", "\x03" + tb::WebpWith(std::string("Exif\0\0", 6) + block));
    camera.bigEndian = true;
    seed("shiftdates_fuzz", "tiff", "\x04" + tb::Block(camera));
    // A QuickTime movie: movie header, one track, and its Apple creation date, make and model.
    const std::string key = "com.apple.quicktime.creationdate";
    const std::string keys =
        box("keys", std::string("\0\0\0\0\0\0\0\x01", 8) +
                        tb::Long(uint32_t(key.size() + 8), true) + "mdta" + key);
    const std::string value =
        box("data", std::string("\0\0\0\x01\0\0\0\0", 8) + "2015-06-01T10:00:00+0200");
    const std::string list = box("ilst", box(std::string("\0\0\0\x01", 4), value));
    const std::string meta = box("meta", box("hdlr", std::string(25, '\0')) + keys + list);
    const std::string track =
        box("trak", box("tkhd", headerTimes(1, 3515925600u)) +
                        box("mdia", box("mdhd", headerTimes(0, 3515925600u))));
    seed("shiftdates_fuzz", "movie",
         "\x05" + box("ftyp", "qt  \0\0\0\0qt  ") +
             box("moov", box("mvhd", headerTimes(0, 3515925600u)) + track + meta));
    // A HEIF picture whose Exif item lies in the file, found through its item boxes.
    const std::string item = std::string(
                                 "\0\0\0\x06"
                                 "Exif\0\0",
                                 10) +
                             block;
    const std::string info =
        box("iinf", std::string("\0\0\0\0\0\x01", 6) +
                        box("infe", std::string("\x02\0\0\0\0\x01\0\0", 8) + "Exif"));
    const std::string ftyp = box("ftyp", "heic\0\0\0\0mif1heic");
    // Locations of version 0: offsets and lengths of 4 bytes, no base offset.
    const auto locations = [&](uint32_t offset) {
        return box("iloc", std::string("\0\0\0\0\x44\0\0\x01\0\x01\0\0\0\x01", 14) +
                               tb::Long(offset, true) + tb::Long(uint32_t(item.size()), true));
    };
    const size_t metaSize = box("meta", std::string(4, '\0') + info + locations(0)).size();
    const std::string heif =
        ftyp +
        box("meta", std::string(4, '\0') + info + locations(uint32_t(ftyp.size() + metaSize + 8)));
    seed("shiftdates_fuzz", "heif", "\x06" + heif + box("mdat", item));
}

void settingsSeeds() {
    const std::string path = corpus + "/settings.tmp";
    Settings settings;
    settings.languageName = "French";
    settings.currentFolder = "/home/anne/Photos/Italie/";
    settings.slideShowTitleFormat = "Text";
    settings.fileTypes = {"Types", "jpg", "png"};
    settings.captions = {"Available captions", "Vacances en Italie", "Roma"};
    SaveSettings(path, settings);
    std::ifstream in(path, std::ios::binary);
    seed("settingsfile_fuzz", "full", std::string(std::istreambuf_iterator<char>(in), {}));
    settings.captions.clear();
    settings.fileTypes = {"Types"};
    SaveSettings(path, settings);
    std::ifstream in2(path, std::ios::binary);
    seed("settingsfile_fuzz", "headers", std::string(std::istreambuf_iterator<char>(in2), {}));
    std::remove(path.c_str());
}

void languageSeeds() {
    std::string english;
    for (const std::string& entry : BuiltInEnglishEntries()) english += entry + "\r\n";
    seed("languagefile_fuzz", "english", english);
}

void journalSeeds() {
    std::string bytes = JournalHeader();
    AppendJournalRecord(bytes, 11, "0001  a.jpg", "0001  a.jpg.tmp", "0002  a.jpg");
    AppendJournalRecord(bytes, 12, "0002  b.jpg", "0002  b.jpg.tmp", "0001  b.jpg");
    AppendJournalRecord(bytes, 13, "IMG 7.jpg", "", "0003--.jpg");
    bytes += JournalEnd(3) + EncodeTemporaryNote(1, "0002  b.jpg.tmp2");
    seed("journal_fuzz", "plan", bytes);
    seed("journal_fuzz", "cut", bytes.substr(0, bytes.size() / 2));
    seed("journal_fuzz", "cut-zeros", bytes.substr(0, bytes.size() / 2) + std::string(64, '\0'));
    seed("journal_fuzz", "other-version", "lumaro-journal 2" + bytes.substr(bytes.find('\n')));
}

void historySeeds() {
    HistoryOperation load;
    load.kind = OperationKind::Load;
    load.files = {{"IMG_1.jpg", "01--.jpg", 64, 11, 2048, 5},
                  {"IMG_2.jpg", "02--.jpg", 64, 12, 9, 6}};
    HistoryOperation moved;
    moved.kind = OperationKind::Transfer;
    moved.effect = OperationEffect::MoveOut;
    moved.place = "/p/Rome/";
    moved.files = {{"03--.jpg", "03-- (2).jpg", 65, 13, 77, 7}};
    HistoryOperation shifted = ShiftOperation(-3600, "Canon EOS R5");
    shifted.id = 7;
    shifted.files = {{"01--.jpg", "01--.jpg", 64, 21, 2048, 8},
                     {"01--.nef", "01--.nef", 64, 22, 4096, 9}};
    shifted.files.back().companion = true;
    const std::string bytes = EncodeHistoryFolder("/p/Italy/", 64, 2) +
                              EncodeHistoryOperation(load) + EncodeHistoryOperation(moved) +
                              EncodeHistoryOperation(shifted);
    seed("history_fuzz", "history", bytes);
    seed("history_fuzz", "cut", bytes.substr(0, bytes.size() - 9));
}

void argumentSeeds() {
    const std::vector<std::vector<std::string>> commands = {
        {"list", "/p", "--by", "date", "--dates"},
        {"--type", "png", "load", "/p", "--format", "replace"},
        {"caption", "/p", "--select", "3-5,8", "--caption", "Roma"},
        {"renumber", "/p", "--select", "all", "--start", "101", "--width=4"},
        {"move", "/p", "--select", "7-9,2", "--places", "-10"},
        {"move", "/p", "--select", "1501-2000", "--after", "0"},
    };
    int n = 0;
    for (const auto& words : commands) {
        std::string bytes("\x07\xD0", 2);  // a listing of 2,000 pictures
        for (size_t i = 0; i < words.size(); ++i)
            bytes += (i ? std::string(1, '\0') : "") + words[i];
        seed("cliarguments_fuzz", "command" + std::to_string(++n), bytes);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzzseeds <corpus folder>\n");
        return 1;
    }
    corpus = argv[1];
    mkdir(corpus.c_str(), 0755);
    pictureSeeds();
    shiftSeeds();
    settingsSeeds();
    languageSeeds();
    journalSeeds();
    historySeeds();
    argumentSeeds();
    return 0;
}
