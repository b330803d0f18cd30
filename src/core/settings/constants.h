// Application-wide texts that exist before any window and never change.
#pragma once

namespace lumaro {

inline constexpr const char* kSectionLanguage = "[Language]";
inline constexpr const char* kSectionDefaultFolders = "[Default Folders]";
inline constexpr const char* kSectionSlideShowTitleFormat = "[SlideShow Title Format]";
inline constexpr const char* kSectionFileTypes = "[File Types]";
inline constexpr const char* kSectionCaptions = "[Captions]";
inline constexpr const char* kEndOfApplicationData = "[End of Application data]";

inline constexpr const char* kProgramName = "Lumaro";
inline constexpr const char* kEnglish = "English";
inline constexpr const char* kSnapkeep = "Snapkeep";
inline constexpr const char* kSettingsFileName = "Lumaro.ini";
inline constexpr const char* kLanguageExtension = "lng";
inline constexpr const char* kHelpExtension = ".hlp";
inline constexpr const char* kDefaultDisplayInterval = "4000";
inline constexpr const char* kDefaultEffectDuration = "1200";
inline constexpr const char* kLineBreak = "\r\n";

inline constexpr const char* kFileTypesHeader = "Types";
inline constexpr const char* kDefaultFileType = "jpg";
inline constexpr const char* kDefaultTitleFormat = "Date";
inline constexpr const char* kVersionText = "1.3";
inline constexpr const char* kLicence = "GPL-3.0-or-later";

}  // namespace lumaro
