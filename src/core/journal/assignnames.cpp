// One name per file of a plan, where files alike in size and time could be taken for another.
#include "core/journal/assignnames.h"

#include <deque>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace lumaro {

namespace {

class Assigner {
public:
    explicit Assigner(const std::vector<std::vector<std::string>>& candidates)
        : candidates_(candidates), at_(candidates.size()), left_(candidates.size()) {
        for (size_t r = 0; r < candidates.size(); ++r) {
            left_[r] = candidates[r].size();
            for (const std::string& name : candidates[r]) holders_[name].push_back(r);
            if (left_[r] == 1) ready_.push_back(r);
        }
    }

    std::vector<std::string> run() {
        for (size_t next = 0;;) {
            while (!ready_.empty()) {
                const size_t r = ready_.front();
                ready_.pop_front();
                takeFirstFree(r);
            }
            while (next < candidates_.size() && (!at_[next].empty() || !hasFree(next))) ++next;
            if (next == candidates_.size()) return std::move(at_);
            takeFirstFree(next);
        }
    }

private:
    bool hasFree(size_t r) const {
        for (const std::string& name : candidates_[r])
            if (!taken_.count(name)) return true;
        return false;
    }
    void takeFirstFree(size_t r) {
        if (!at_[r].empty()) return;
        for (const std::string& name : candidates_[r]) {
            if (taken_.count(name)) continue;
            at_[r] = name;
            taken_.insert(name);
            // Every other record that could have been there has one name less.
            for (const size_t other : holders_[name]) {
                if (other != r && at_[other].empty() && --left_[other] == 1)
                    ready_.push_back(other);
            }
            return;
        }
    }

    const std::vector<std::vector<std::string>>& candidates_;
    std::vector<std::string> at_;
    std::vector<size_t> left_;  // names not yet taken by another record
    std::unordered_map<std::string_view, std::vector<size_t>> holders_;
    std::unordered_set<std::string_view> taken_;
    std::deque<size_t> ready_;
};

}  // namespace

std::vector<std::string> AssignNames(const std::vector<std::vector<std::string>>& candidates) {
    return Assigner(candidates).run();
}

}  // namespace lumaro
