// Keys of the message table by name, for the messages that came after the classic table.
//
// Keys 0 to 109 are the classic table, which every language file carries line by line.
// A new message takes the next free key from 110 on: add its English entry ("110=...") at
// the end of the list in englishmessages.cpp, give it a named constant here, and raise
// kMessageKeyCount to one past it. Language files may carry the new keys as lines 111 and
// up; a file that does not carry a key leaves it in English.
#pragma once

namespace lumaro {

// Language files must carry at least these keys, one line each.
inline constexpr int kClassicMessageCount = 110;

// A language file listed at start-up that can no longer be opened when it is chosen.
inline constexpr int kMessageLanguageFileUnreadable = 110;

// One past the newest key; the built-in English list must have exactly this many entries.
inline constexpr int kMessageKeyCount = 111;

}  // namespace lumaro
