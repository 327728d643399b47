// The mouse's links and the program's life: cable and receiver plugged and
// unplugged, the receiver losing and finding the mouse, a restart.

#include <vector>

#include "stateful/action_steps.h"

namespace tessaly::stateful {
namespace {

using emulator::MouseLink;

bool& Plugged(Links& links, MouseLink link) {
    return link == MouseLink::kCable ? links.cable : links.receiver;
}

const char* Name(MouseLink link) {
    return link == MouseLink::kCable ? "cable" : "receiver";
}

// The model after a new start: the store's active profile is shown, the
// macro page shows its first macro.
void Restarted(Model& model) {
    model.current = model.active;
    model.selected_macro = model.macros.empty() ? 0 : model.macros.front().id;
    model.shown_after_delete = false;
}

}  // namespace

void UnplugStep(ActionContext& c) {
    c.facts.refill = true;
    c.model.refill_steps = 5;
    std::vector<MouseLink> plugged;
    for (MouseLink link : {MouseLink::kCable, MouseLink::kReceiver}) {
        if (Plugged(c.model.links, link))
            plugged.push_back(link);
    }
    if (plugged.empty())
        return;
    const MouseLink link = plugged[static_cast<size_t>(c.Pick(0, int(plugged.size()) - 1))];
    c.description = std::string("unplug ") + Name(link);
    c.program.Mouse().Unplug(link);
    Plugged(c.model.links, link) = false;
}

void PlugStep(ActionContext& c) {
    c.facts.refill = true;
    c.model.refill_steps = 5;
    std::vector<MouseLink> free;
    for (MouseLink link : {MouseLink::kCable, MouseLink::kReceiver}) {
        if (!Plugged(c.model.links, link))
            free.push_back(link);
    }
    if (free.empty())
        return;
    const MouseLink link = free[static_cast<size_t>(c.Pick(0, int(free.size()) - 1))];
    c.description = std::string("plug ") + Name(link);
    c.program.Mouse().Plug(link);
    Plugged(c.model.links, link) = true;
}

void ReceiverLosesMouseStep(ActionContext& c) {
    c.facts.refill = true;
    c.model.refill_steps = 5;
    c.description = "the receiver loses the mouse";
    c.program.Mouse().SwitchMouse(false);
    c.model.links.mouse_on = false;
}

void ReceiverFindsMouseStep(ActionContext& c) {
    c.facts.refill = true;
    c.model.refill_steps = 5;
    c.description = "the receiver finds the mouse";
    c.program.Mouse().SwitchMouse(true);
    c.model.links.mouse_on = true;
}

void RestartStep(ActionContext& c) {
    c.facts.refill = true;
    c.model.refill_steps = 5;
    c.description = "restart";
    c.program.Restart();
    Restarted(c.model);
}

}  // namespace tessaly::stateful
