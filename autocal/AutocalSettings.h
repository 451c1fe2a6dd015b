#pragma once

// [AutoCal] MaxRepeats in the station's settings file: how often a command that gets no answer
// is sent again before the unit fails with "No Response"; 0 sends it again for ever. Absent or
// not a number of 0 or more: programDefault (the window's is 0, as the operator sees the count
// and has STOP; the headless station's is kHeadlessMaxRepeats, so that a dead unit never stalls
// a line).
int MaxRepeatsSetting(int programDefault);

inline constexpr int kHeadlessMaxRepeats = 15;
