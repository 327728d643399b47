#pragma once
// What the user has set, as the test expects the program to keep it: one
// struct per feature, changed only by the actions' own rules.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tessaly::stateful {

inline constexpr int kProfiles = 4;
inline constexpr int kStageSlots = 7;

struct Performance {
    int count = 0;
    int index = 0;
    std::array<int, kStageSlots> dpi{};
    std::array<uint32_t, kStageSlots> rgb{};
    int rate = 0;
    int liftoff = 0;
    int sensor_flag = 0;
    int response = 0;
    int sleep = 0;
    int wake = 0;
    int close_light = 0;
    bool operator==(const Performance&) const = default;
};

// One button's stored function (category and numbers, the shown text of a
// macro assignment).
struct Assignment {
    int type = 0;
    int value = 0;
    int value2 = 0;
    std::u16string desc;
    bool operator==(const Assignment&) const = default;
};

struct Event {
    int type = 0;  // 1 delay, 2/3 key press/release, 4/5 mouse press/release
    int value = 0;
    // The insertion it came with (the model's own count; 0 when unknown):
    // a press and its release change together.
    int group = 0;
    bool operator==(const Event& other) const { return type == other.type && value == other.value; }
};

struct Macro {
    int id = 0;
    std::u16string name;
    std::vector<Event> events;
    bool operator==(const Macro&) const = default;
};

// One effect's row as the lighting page edits it.
struct Light {
    int brightness = 0;
    int speed = 0;
    std::array<int, 7> colours{};
    int groups = 0;  // the page's parameter groups (brightness 0x1, speed 0x2, slots 0x800)
    bool operator==(const Light&) const = default;
};

// A profile gets its rows when it is first shown (the defaults, the first
// effect active); a reset takes every profile's rows away again.
struct Lighting {
    bool made = false;
    int active = -1;
    std::map<int, Light> effects;  // by mode
    bool operator==(const Lighting&) const = default;
};

struct Profile {
    std::u16string name;
    Performance perf;
    std::map<int, Assignment> buttons;  // by key code; absent: factory function
    Lighting lighting;
};

struct Links {
    bool cable = false;
    bool receiver = true;
    bool mouse_on = true;
    // The program has the mouse: the pages may be used.
    bool Reachable() const { return cable || (receiver && mouse_on); }
};

struct Model {
    std::array<Profile, kProfiles> profiles;
    int current = 1;                                   // the profile the pages show
    int active = 1;                                    // the profile marked active in the store
    std::vector<Macro> macros;                         // in list order
    int selected_macro = 0;                            // macro id shown on the macro page, 0 none
    bool shown_after_delete = false;                   // the page shows the entry a delete selected
    std::map<int, std::vector<uint8_t>> mouse_macros;  // what the mouse plays, by button
    Links links;
    // The button table is never read back: the mouse holds what the store
    // held when the table was last sent (a button change, a profile switch
    // or import); nothing before the first.
    std::vector<uint8_t> sent_table;
    // Steps during which a refill after a link change may still arrive (the
    // worker hears the mouse's report while it listens); it shows the first
    // macro.
    int refill_steps = 0;
    int next_group = 1;
    // A new profile's rows.
    Lighting default_lighting;
    // Profile files the user exported, by path: what each profile held then.
    std::map<std::string, Profile> exported;

    Profile& Current() { return profiles[static_cast<size_t>(current - 1)]; }
    // Every profile's rows gone, then the shown one's made again.
    void ResetLighting() {
        for (Profile& profile : profiles)
            profile.lighting = {};
        Current().lighting = default_lighting;
    }
    // What a read of the mouse's lighting stores: its effect becomes the
    // active one, with the levels it holds.
    void TakeMouseLight(int effect, int brightness, int speed) {
        Lighting& lighting = Current().lighting;
        auto it = lighting.effects.find(effect);
        if (!lighting.made || it == lighting.effects.end())
            return;
        lighting.active = effect;
        it->second.brightness = brightness;
        it->second.speed = speed;
    }
    const Profile& Current() const { return profiles[static_cast<size_t>(current - 1)]; }
    Macro* FindMacro(int id) {
        for (Macro& macro : macros) {
            if (macro.id == id)
                return &macro;
        }
        return nullptr;
    }
};

}  // namespace tessaly::stateful
