#pragma once
// A Senvara channel page (CH0, CH1, CH2): the simplified panel in normal
// mode, the engineering panel (the channel's field-table page) in
// engineering mode. Both show the same settings: a simplified edit is copied
// into the engineering fields (LinkToEng), and every setting of the group
// ends with the engineering fields copied back (LinkEngToCh).

#include "FieldPage.h"

class TCustomerPanelView;

class TChannelPage : public TFieldPage {
    Q_OBJECT
public:
    TChannelPage(TSettingsForm& form, int page);

    TCustomerPanelView* customerPanel() const { return FCustomer; }
    void setEngineering(bool on) override;

protected:
    void showSettings() override;

private:
    void customerEdited();

    TCustomerPanelView* FCustomer;
};
