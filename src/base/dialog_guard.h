#pragma once
// The desktop dialog guard: one dialog of the program at a time.

#include <functional>

#include "base/prompts.h"

// The event that is signalled while no dialog of the program is open.
class IGuardEvent {
public:
    virtual ~IGuardEvent() = default;
    virtual bool IsSignalled() = 0; // a wait with no time-out
    virtual void Set() = 0;
    virtual void Reset() = 0;
};

class CDialogGuard {
public:
    CDialogGuard(IGuardEvent& event, IPrompts& prompts, std::function<void()> bringMainWindowForward);

    // True when another dialog is open: the user has been told, and the
    // caller does nothing further. False: the caller holds the guard.
    bool TakeDialogGuard();
    void ReleaseDialogGuard();
    bool IsTaken() { return !m_event.IsSignalled(); }

    // Exit's check: true (after the beep and the "Cannot Exit" message) when
    // a dialog is open.
    bool RefuseExit();

private:
    IGuardEvent& m_event;
    IPrompts& m_prompts;
    std::function<void()> m_bringForward;
};

// Holds the guard for one dialog, released on every path out.
class CDialogGuardScope {
public:
    explicit CDialogGuardScope(CDialogGuard& guard) : m_guard(guard), m_bBusy(guard.TakeDialogGuard()) {}
    ~CDialogGuardScope()
    {
        if (!m_bBusy)
            m_guard.ReleaseDialogGuard();
    }
    CDialogGuardScope(const CDialogGuardScope&) = delete;
    CDialogGuardScope& operator=(const CDialogGuardScope&) = delete;

    bool Busy() const { return m_bBusy; }

private:
    CDialogGuard& m_guard;
    bool m_bBusy;
};

inline constexpr const char* kMsgDialogActive = "There is already an Netbell Dialog active on your Desktop";
inline constexpr const char* kMsgCannotExit =
    "There is an Netbell Dialog active on your Desktop, please close it down before exiting the application";
