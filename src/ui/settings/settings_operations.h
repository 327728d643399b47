#pragma once
// The changes the settings page makes, without its widgets: the language,
// starting with the desktop session, the close button's behaviour and the
// factory reset. Each stores at once; only the factory reset queues a task.
// UI thread.

#include <cstdint>
#include <functional>
#include <string_view>

namespace tessaly {

enum class SettingsRefusal {
    kNone,
    kLanguageNotOffered,      // not a known language config.xml offers
    kNotConnected,            // the factory reset needs the mouse
    kNotConfirmed,            // the user kept the settings
    kNotStored,               // the autostart entry could not be written or removed
    kNotStartingWithSession,  // starting minimised needs the autostart entry
};

struct SettingsChange {
    SettingsRefusal refusal = SettingsRefusal::kNone;
    // The text number of the page's message box for the refusal, or 0.
    int refusal_text = 0;
    bool ok() const { return refusal == SettingsRefusal::kNone; }
};

// The language in use, its stored choice, its fonts, then the window's texts.
SettingsChange SetLanguage(int lcid);

struct Autostart {
    bool with_session = false;
    bool minimised = false;  // only ever set with with_session
};
Autostart StoredAutostart();
// Off also turns starting minimised off. The entry starts `program`, the
// window's executable; without it, the running one.
SettingsChange SetStartWithSession(bool on, std::u16string_view program);
SettingsChange SetStartWithSession(bool on);
// Turning it on is refused while the session does not start the program (the
// page disables its check box then).
SettingsChange SetStartMinimised(bool on);

enum class CloseMode { kExit = 0, kHideToTray = 1 };
CloseMode StoredCloseMode();
void SetCloseMode(CloseMode mode);

// What the factory reset needs from the window around it.
class FactoryResetHost {
  public:
    virtual ~FactoryResetHost() = default;
    virtual bool DeviceOnline() const = 0;
    // The state read from the mouse is read again after the reset.
    virtual void ClearReadSet() = 0;
    virtual void QueueTask(int32_t code) = 0;
    virtual void ShowSaveWait() = 0;
};

// Asks `confirmed` only with the mouse online; on a yes the read state is
// cleared, the restore task queued and the wait dialog shown.
SettingsChange FactoryReset(FactoryResetHost& host, const std::function<bool()>& confirmed);

}  // namespace tessaly
