#include "instruments/NoTestSet.h"
#include "instruments/TestSet.h"
#include "instruments/TestSet4400.h"
#include "instruments/TestSet8960.h"

std::unique_ptr<TestSet> MakeTestSet(std::int32_t type, InstrumentContext& context,
                                     TestSetReport report) {
    switch (type) {
    case kTestSet8960:
        return std::make_unique<TestSet8960>(context, std::move(report));
    case kTestSet4400:
        return std::make_unique<TestSet4400>(context, std::move(report));
    default:
        return std::make_unique<NoTestSet>(context, std::move(report));
    }
}
