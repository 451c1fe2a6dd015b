#include "visa/StatusTexts.h"

#include "visa/VppStatus.h"

namespace {

const StatusText kVppTexts[] = {
    {VI_ERROR_PARAMETER1, "Parameter 1 is out of range"},
    {VI_ERROR_PARAMETER2, "Parameter 2 is out of range"},
    {VI_ERROR_PARAMETER3, "Parameter 3 is out of range"},
    {VI_ERROR_PARAMETER4, "Parameter 4 is out of range"},
    {VI_ERROR_PARAMETER5, "Parameter 5 is out of range"},
    {VI_ERROR_INV_RESPONSE, "The instrument's reply could not be interpreted"},
};

} // namespace

const char* FindStatusText(std::span<const StatusText> table, ViStatus status) {
    for (const StatusText& entry : table) {
        if (entry.status == status)
            return entry.text;
    }
    return nullptr;
}

const char* VppStatusText(ViStatus status) {
    return FindStatusText(kVppTexts, status);
}
