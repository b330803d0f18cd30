// Reading devices through a mapping of each file: only the pages its metadata lies in are read.
#include "core/clockshift/devices.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace lumaro {

FileDates ReadFileDates(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    struct stat st;
    FileDates dates;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        const size_t size = static_cast<size_t>(st.st_size);
        void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (mapped != MAP_FAILED) {
            dates = FindDateFields(std::string_view(static_cast<const char*>(mapped), size),
                                   path.substr(path.rfind('/') + 1));
            munmap(mapped, size);
        }
    }
    close(fd);
    return dates;
}

std::string ReadDevice(const std::string& path) { return DeviceName(ReadFileDates(path)); }

std::vector<DeviceSummary> DevicesOfListing(const std::string& folder,
                                            const std::vector<PictureEntry>& entries) {
    std::vector<DeviceSummary> devices;
    for (const PictureEntry& entry : entries) {
        const FileDates dates = ReadFileDates(folder + entry.fileName());
        const std::string name = DeviceName(dates);
        auto device = std::find_if(devices.begin(), devices.end(),
                                   [&](const DeviceSummary& d) { return d.name == name; });
        if (device == devices.end())
            device = devices.insert(devices.end(), DeviceSummary{name, 0, {}, {}});
        ++device->count;
        if (dates.date.empty()) continue;
        if (device->first.empty() || dates.date < device->first) device->first = dates.date;
        if (device->last.empty() || dates.date > device->last) device->last = dates.date;
    }
    return devices;
}

}  // namespace lumaro
