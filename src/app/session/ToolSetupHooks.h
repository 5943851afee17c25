#pragma once
// The configuration-tool setup window's side of a change of the tool set.
// The session calls it from the device-change pass; the setup window's logic
// judges the current tool's firmware and, through the session, enables Start
// and Pause and colours the tool label.

class TToolSetupHooks {
public:
    virtual ~TToolSetupHooks() = default;
    // Refills the tool list and judges the current tool (UpdateList).
    virtual void UpdateList() = 0;
    // Empties the tool list (ClearList).
    virtual void ClearList() = 0;
    // The current tool's firmware is outdated, or an update is recommended.
    virtual bool NeedsAttention() const = 0;
    // Shows the setup window or brings it to the front.
    virtual void ShowSetup() = 0;
};
