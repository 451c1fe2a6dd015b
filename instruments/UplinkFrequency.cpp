#include "instruments/TestSet.h"

double UplinkFrequencyMHz(int arfcn) {
    if (arfcn >= 1 && arfcn <= 124)
        return 890.0 + 0.2 * arfcn;
    if (arfcn >= 975 && arfcn <= 1023)
        return 890.0 + 0.2 * (arfcn - 1024);
    if (arfcn >= 512 && arfcn <= 885)
        return 1710.0 + 0.2 * (arfcn - 511);
    return 0.0;
}
