#pragma once

// The operator's texts of the instrument layer, exactly as the station shows them.
inline constexpr const char* kInitFailedText = "\ninit failed with return code %1.\n";
inline constexpr const char* kInitErrorText = "  Error Status:  %1 Error Message :%2 \n";
