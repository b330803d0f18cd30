// A disk image that a test makes, mounts, unmounts and mounts again through a FUSE driver on a
// loop device, as a memory card or a USB disk of another system is mounted.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace lumaro {

// A file system of the matrix: how its image is made and mounted.
struct ImageKind {
    const char* name;
    const char* make;   // the command that formats the image, given its path
    const char* mount;  // the FUSE driver, given the device, the mount point and options
};

class MountedImage {
public:
    explicit MountedImage(const ImageKind& kind) : kind_(kind) {
        const std::string why = prepare();
        if (!why.empty()) why_ = std::string(kind.name) + ": " + why;
    }
    ~MountedImage() {
        unmount();
        if (!device_.empty()) run("losetup -d " + device_);
        if (!work_.empty()) run("rm -rf " + work_);
    }
    MountedImage(const MountedImage&) = delete;
    MountedImage& operator=(const MountedImage&) = delete;

    // Why the image cannot be used here; empty when it is mounted.
    const std::string& skipReason() const { return why_; }
    const std::string& mountPoint() const { return point_; }

    bool mount(bool readOnly = false) {
        mounted_ = run(std::string(kind_.mount) + " " + (readOnly ? "-o ro " : "") + device_ + " " +
                       point_);
        return mounted_;
    }
    bool unmount() {
        if (mounted_ && run("umount " + point_)) mounted_ = false;
        return !mounted_;
    }

private:
    static bool run(const std::string& command, const std::string& out = "/dev/null") {
        return std::system((command + " >" + out + " 2>/dev/null").c_str()) == 0;
    }
    // Makes and mounts the image; why it cannot, else "".
    std::string prepare() {
        char pattern[] = "/tmp/lumaro_image_XXXXXX";
        if (!mkdtemp(pattern)) return "no temporary folder";
        work_ = pattern;
        point_ = work_ + "/mnt";
        if (geteuid() != 0) return "making loop devices and mounting needs root";
        if (access("/dev/fuse", R_OK | W_OK) != 0) return "no /dev/fuse";
        const std::string make = kind_.make;
        const std::string tool = make.substr(0, make.find(' '));
        if (!run("command -v " + tool) || !run("command -v " + std::string(kind_.mount)))
            return tool + " or " + kind_.mount + " is not installed";
        const std::string image = work_ + "/disk.img";
        if (!run("truncate -s 16M " + image) || !run(make + " " + image)) return make + " failed";
        if (!run("losetup --find --show " + image, work_ + "/device") ||
            !(std::ifstream(work_ + "/device") >> device_)) {
            return "no loop device";
        }
        if (!run("mkdir " + point_) || !mount()) return std::string(kind_.mount) + " failed";
        return {};
    }

    ImageKind kind_;
    std::string work_, point_, device_, why_;
    bool mounted_ = false;
};

}  // namespace lumaro
