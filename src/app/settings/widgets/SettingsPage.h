#pragma once
// The base of every page of the settings window. See README.md in the
// settings folder for how a page joins the window.
//
// A page keeps no settings of its own: its controls show the session's
// models (TSettingsModel for the register groups, TSetupModel for the setup
// page, TSettingsWindowState for the window's own state) and write every
// edit into them. Apply, Undo, Update all and the change indication then
// work on the models and the window asks every page to show them again.

#include "SettingsGroups.h"

#include <QWidget>

class TSession;
class TSettingsForm;

class TSettingsPage : public QWidget {
    Q_OBJECT
public:
    TSettingsPage(TSettingsForm& form, int page);

    TSettingsForm& form() const { return FForm; }
    TSession& session() const;
    int pageNumber() const { return FPage; }

    // The session's settings changed (a read, a file load, Apply, Undo, an
    // edit on another page). The page shows them now when it is visible,
    // otherwise when it is shown next, so a hidden window costs nothing.
    void settingsChanged();
    // Engineering mode switched; show or hide the page's engineering parts.
    virtual void setEngineering(bool on);

protected:
    // Sets every control from the models. Pages override it.
    virtual void showSettings() {}
    // Change detection after an edit of a register group's field: nothing
    // while settings are being loaded; otherwise the group's flag is
    // recomputed and the window's change indication refreshed.
    void detectChange(TSettingsGroup g);
    // The same for the setup page's two kinds of change.
    void detectSetupChange();
    void detectStreamingChange();
    // True while a model-to-control refresh runs (edits then are not the user's).
    bool refreshing() const { return FRefreshing; }

    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    TSettingsForm& FForm;
    int FPage;
    bool FDirty = true;
    bool FRefreshing = false;
};
