#pragma once

#include "visa/Visa.h"

#include <span>

// A status and what it means, as the status tables of the VISA layer and the drivers hold them.
struct StatusText {
    ViStatus status;
    const char* text;
};

// The text of status in table, or null when the table does not hold it.
const char* FindStatusText(std::span<const StatusText> table, ViStatus status);

// The texts of the VXIplug&play completion codes every SCPI driver returns alike (an argument
// out of range, a reply that cannot be interpreted); null for any other status.
const char* VppStatusText(ViStatus status);
