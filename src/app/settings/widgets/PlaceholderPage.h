#pragma once
// The page in a slot whose page is not part of this build yet: its title and
// a short note, nothing else.

#include "SettingsPage.h"

class TPlaceholderPage : public TSettingsPage {
    Q_OBJECT
public:
    TPlaceholderPage(TSettingsForm& form, int page);
};
