#pragma once
// The user's actions, chosen at random: each works the program as the
// pages do and changes the model by its own documented rule.

#include <random>
#include <span>
#include <string>

#include "stateful/invariants.h"
#include "stateful/program_under_test.h"
#include "stateful/user_model.h"

namespace tessaly::stateful {

struct ActionContext {
    ProgramUnderTest& program;
    Model& model;
    std::mt19937& rng;
    StepFacts& facts;
    std::string description;  // what the step did, for the failure report

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    bool Coin() { return Pick(0, 1) == 1; }
};

struct Action {
    const char* name;
    int weight;
    bool (*possible)(const Model&);
    void (*run)(ActionContext&);
};

std::span<const Action> Actions();

// The first start: the window opens over the virtual mouse, the user picks
// the mouse in the device list, and the model takes what the program shows.
bool StartAndLearn(ProgramUnderTest& program, Model& model);
// As the user clicking the mouse in the device list, when the pages are not
// shown while the mouse can be reached.
void ActivateMouse(ProgramUnderTest& program, Model& model);

}  // namespace tessaly::stateful
