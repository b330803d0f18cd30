// How the names of one folder are told apart: byte for byte, or, where the file system ignores
// letter case, as equal when they are equal once folded ("IMG_1.jpg" and "img_1.JPG" are then
// one name). Every rule that asks whether a name is taken, free or another file's companion
// compares names through this, and sets and maps of names are keyed with it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace lumaro {

// The lower-case fold of a name: ASCII letters, and the two-byte UTF-8 letters of Latin-1,
// Latin Extended-A, Greek and Cyrillic, each folded to its one small letter; every other byte as
// it is. The fold keeps the length of the name.
std::string FoldCase(std::string_view name);

// The name with the case of its ASCII letters swapped ("Img_1.JPG" gives "iMG_1.jpg").
std::string SwapAsciiCase(std::string_view name);

// Whether a name holds a letter whose case can be told.
bool HasAsciiLetter(std::string_view name);

class NameMatch {
public:
    NameMatch() = default;  // byte for byte
    static NameMatch IgnoringCase() { return NameMatch(true); }

    bool ignoresCase() const { return ignoresCase_; }
    bool same(std::string_view a, std::string_view b) const;
    size_t hash(std::string_view name) const;
    bool operator==(const NameMatch&) const = default;

private:
    explicit NameMatch(bool ignoresCase) : ignoresCase_(ignoresCase) {}
    bool ignoresCase_ = false;
};

struct NameHash {
    using is_transparent = void;
    NameMatch match;
    size_t operator()(std::string_view name) const { return match.hash(name); }
};

struct NameEqual {
    using is_transparent = void;
    NameMatch match;
    bool operator()(std::string_view a, std::string_view b) const { return match.same(a, b); }
};

template <class Key>
using NameSet = std::unordered_set<Key, NameHash, NameEqual>;
template <class Key, class Value>
using NameMap = std::unordered_map<Key, Value, NameHash, NameEqual>;

template <class Key>
NameSet<Key> MakeNameSet(NameMatch match) {
    return NameSet<Key>(0, NameHash{match}, NameEqual{match});
}
template <class Key, class Value>
NameMap<Key, Value> MakeNameMap(NameMatch match) {
    return NameMap<Key, Value>(0, NameHash{match}, NameEqual{match});
}

}  // namespace lumaro
