#pragma once

// Fixed texts of the settings-file menu entries and the window capture, as the user sees
// them.
namespace SettingsFileTexts {

inline constexpr char SaveDialogCaption[] = "Save system parameters";
inline constexpr char SaveDialogFilter[] = "Text file|*.txt";
inline constexpr char DefaultExtension[] = "txt";
inline constexpr char SaveCancelled[] = "Save to file was cancelled";
inline constexpr char EmptyFile[] = "Empty file.";
inline constexpr char Loading[] = "Loading. Please wait...";
inline constexpr char SettingsLoaded[] = "Settings loaded.";
inline constexpr char ScreenShotFileName[] = "ScreenShot.jpg";

} // namespace SettingsFileTexts
