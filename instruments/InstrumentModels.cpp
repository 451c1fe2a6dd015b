#include "instruments/InstrumentModels.h"

std::int32_t TestSetTypeFromText(const QString& text) {
    for (const TestSetModel& model : kTestSetModels) {
        if (text == QLatin1String(model.name))
            return model.type;
    }
    return kTestSetNone;
}

std::int32_t SupplyTypeFromText(const QString& text) {
    for (const SupplyModelName& model : kSupplyModels) {
        if (text == QLatin1String(model.name))
            return model.type;
    }
    return kSupplyNone;
}

QString TestSetName(std::int32_t type) {
    for (const TestSetModel& model : kTestSetModels) {
        if (model.type == type)
            return QString::fromLatin1(model.name);
    }
    return QString::fromLatin1(kNotUsedName);
}

QString SupplyName(std::int32_t type) {
    for (const SupplyModelName& model : kSupplyModels) {
        if (model.type == type)
            return QString::fromLatin1(model.name);
    }
    return QString::fromLatin1(kNotUsedName);
}

QString TestSetAndAddress(std::int32_t type) {
    const char* resource = TestSetAddress(type);
    if (!resource)
        return TestSetName(type);
    return QStringLiteral("%1 at %2").arg(TestSetName(type), QString::fromLatin1(resource));
}
