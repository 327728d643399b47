#pragma once
// What must hold after every step: the pages show what is stored for the
// current profile, the store holds what the model expects (nothing of
// another profile, macro or model changed behind the user's back), the
// mouse holds what the store says, the file is sound, and the pages can be
// reached.

#include "stateful/findings.h"
#include "stateful/program_under_test.h"
#include "stateful/store_snapshot.h"
#include "stateful/user_model.h"

namespace tessaly::stateful {

// What the step did, where a check names its fault by it.
struct StepFacts {
    bool reset = false;  // a factory reset ran
    // A link changed or the mouse was picked again: the pages may be
    // refilled after a read.
    bool refill = false;
    // The event editor's mouse-button choice was used.
    bool event_button = false;
    // The button table was sent.
    bool table_written = false;
    // A typed stage value and its documented normalisation: the program may
    // keep another value of the same code, one that a read gives back.
    int typed_stage = -1;
    int typed_value = 0;
};

struct CheckOutcome {
    // A known fault left the mouse behind the store: the runner sends the
    // profile again (as a switch to it) before going on.
    bool resend_profile = false;
};

CheckOutcome CheckInvariants(ProgramUnderTest& program, Model& model, const StepFacts& facts,
                             Findings& findings);

// The current profile's performance values as stored.
Performance StoredPerformance(const StoreSnapshot& store, int profile);

}  // namespace tessaly::stateful
