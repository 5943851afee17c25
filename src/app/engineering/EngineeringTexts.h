#pragma once
// Message-list items and dialog texts of the engineering procedures, exactly
// as shown. Items that end in a channel or bank number get it appended.

namespace engmsg {
// Load capacitance.
inline constexpr const char* kCalculate = "Calculate Load Capacitance";
inline constexpr const char* kCalculating = "Calculating...";
inline constexpr const char* kAtiIncomplete = "Could not complete ATI for CH";  // + n + kAtiIncompleteEnd
inline constexpr const char* kAtiIncompleteEnd = " Capacitance Calculations";
inline constexpr const char* kCalcError = "Error calculating capacitance for CH";  // + n
inline constexpr const char* kCalcSuccess = "Capacitance calculated successfully";

// OTP address programming.
inline constexpr const char* kReadAddress = "Read Address";
inline constexpr const char* kReading = "Reading...";
inline constexpr const char* kWriteAddress = "Write Address";
inline constexpr const char* kWriting = "Writing...";
inline constexpr const char* kConfirmWrite =
    "Changing the I2C address in OTP Setup is permanent. Are you sure you want to proceed?";
inline constexpr const char* kTmNotEntered = "TM could not be entered";
inline constexpr const char* kChangeFailed =
    "I2C Address change failed. Click \"Start\" again to continue.";
inline constexpr const char* kNotAvailable =
    "Address not available. OTP bits can not be cleared. Click \"Start\" again to continue.";
inline constexpr const char* kWriteSuccessful = "OTP Write Successful";
inline constexpr const char* kChangeSuccessful =
    "I2C Address change successful. Click \"Start\" again to continue.";
inline constexpr const char* kWriteError = "OTP Write Error";
inline constexpr const char* kBankWriteError = "Write Error in Bank";  // + bank number
}  // namespace engmsg
