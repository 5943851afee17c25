#pragma once
// The pages that are not built from the field table, each installed into its
// slot by one function (in its own source file). The window calls them once,
// after every slot holds its field-table page or a placeholder.

class TSettingsForm;

// Page 0 "Setup" and page 12 "Data Logging" (SetupPages.cpp).
void addSetupPages(TSettingsForm& form);
// Pages 9 "Engineering", 10 "Debug", 15 "OTP Setup" and 16 "Capacitance
// Calculation" (EngineeringPages.cpp).
void addEngineeringPages(TSettingsForm& form);
