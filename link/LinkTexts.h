#pragma once

// Operator texts of the target link shared by several windows and tools.
inline constexpr const char* kNotConnectedText =
    "Serial 통신이 초기화되지 못했습니다.\nTarget메뉴에서 connect해 주십시요";
inline constexpr const char* kNotConnectedResetText =
    "Serial Comm이 연결되어 있지 않습니다. Connect해 주세요";
inline constexpr const char* kNoResponseText = "No Response";
