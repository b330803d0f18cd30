// The two tables of fixed lines of a slide-show project file (the header and the player
// settings), built once at start-up and read by every write; the lines are in the .cpp.
#pragma once

#include <string>
#include <vector>

namespace lumaro {

inline constexpr int kSlideShowHeaderLineCount = 4;
inline constexpr int kSlideShowSettingsLineCount = 143;
// The settings lines that carry the durations of a project, in milliseconds.
inline constexpr const char* kEffectDurationKey = "EffectDuration=";
inline constexpr const char* kIntervalKey = "Interval=";

struct SlideShowTables {
    std::vector<std::string> header;    // kSlideShowHeaderLineCount lines
    std::vector<std::string> settings;  // kSlideShowSettingsLineCount lines
};

SlideShowTables BuildSlideShowTables();

}  // namespace lumaro
