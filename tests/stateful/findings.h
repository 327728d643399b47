#pragma once
// Differences the checks find, each named after the fault it points to.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "stateful/known_faults.h"

namespace tessaly::stateful {

struct Finding {
    std::string fault;
    std::string text;
};

class Findings {
  public:
    // True when the fault is a known one: the caller may take the program's
    // value into the model and carry on.
    bool Report(std::string_view fault, std::string text) {
        if (Tolerated(fault)) {
            Known& known = known_[std::string(fault)];
            if (known.count++ == 0) {
                known.first = text;
                known.first_step = step_;
            }
            return true;
        }
        failures_.push_back({std::string(fault), std::move(text)});
        return false;
    }
    void SetStep(int step) { step_ = step; }
    const std::vector<Finding>& Failures() const { return failures_; }
    void ClearFailures() { failures_.clear(); }

    struct Known {
        int count = 0;
        std::string first;
        int first_step = -1;
    };
    std::map<std::string, Known>& KnownFound() { return known_; }

  private:
    std::vector<Finding> failures_;
    std::map<std::string, Known> known_;
    int step_ = 0;
};

}  // namespace tessaly::stateful
