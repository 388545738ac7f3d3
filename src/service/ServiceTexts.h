#pragma once

// Fixed texts of the service window and its access prompt, as the user sees them.
namespace ServiceTexts {

inline constexpr char WindowCaption[] = "Service";
inline constexpr char CodeCaption[] = "Unsecure Form";
inline constexpr char CodePrompt[] = "Enter Code:";
inline constexpr char CodeAccepted[] = "System Unsecured";
inline constexpr char CodeRefused[] = "Incorrect Code";
inline constexpr char StoreReminder[] = "Dont Forget to Store!!";
inline constexpr char ReadingSystemCals[] = "Initializing System Cals";
inline constexpr char SaveDialogCaption[] = "Save calibration parameters";
// The badge command needs a company; without one nothing is sent.
inline constexpr char NoCompanySelected[] =
    "Select a company first: the badge and channel count are sent together.";

// "Initializing Ch " + n + " Cals".
inline constexpr char ReadingChannelCalsStem[] = "Initializing Ch ";
inline constexpr char ReadingChannelCalsEnd[] = " Cals";

} // namespace ServiceTexts
