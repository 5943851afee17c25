#pragma once
// Texts of the scope window.

namespace scope::msg {
inline constexpr const char* kMaxNotAboveMin = "Maximum value must be larger than the minimum value!";
inline constexpr const char* kMinNotBelowMax = "Minimum value must be smaller than the maximum value!";
inline constexpr const char* kNotWhole = "Invalid value entered! (no decimal values allowed)";
inline constexpr const char* kLoadError = "Error loading saved settings!";
inline constexpr const char* kImageNotSaved = "The scope image could not be saved to this file!";
inline constexpr const char* kCsvNotSaved = "The scope points could not be saved to this file!";
inline constexpr const char* kNothingToExport = "There are no points to export!";
} // namespace scope::msg
