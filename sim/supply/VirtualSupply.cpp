#include "sim/supply/VirtualSupply.h"

Q_LOGGING_CATEGORY(lcSupplyTrace, "rftune.sim.supply", QtWarningMsg)

VirtualSupply::VirtualSupply(VirtualSupplyModel model, SupplyLoad& load)
    : VirtualInstrument(SupplyModelOf(model).identity, lcSupplyTrace, SupplyModelOf(model).name),
      ratings_(SupplyModelOf(model)), load_(load) {
    for (const SupplyOutputRatings& output : ratings_.outputs)
        outputs_.push_back({0.0, output.resetAmps});
    outputs_.front() = {kIdleVolts, kIdleAmps};
    UpdateLoad();
}

int VirtualSupply::Execute(const ScpiUnit& unit, QByteArray* reply) {
    return RunCommand(*this, Commands(HasSelection()), unit, reply);
}

const char* VirtualSupply::ModelName(VirtualSupplyModel model) {
    return SupplyModelOf(model).name;
}

bool VirtualSupply::ParseModel(const QString& name, VirtualSupplyModel* model) {
    const QString wanted = name.trimmed().toUpper();
    for (const SupplyModelRatings& ratings : SupplyModels()) {
        const QString known = QLatin1String(ratings.name);
        if (wanted == known || (known.startsWith('E') && wanted == known.mid(1))) {
            *model = ratings.model;
            return true;
        }
    }
    return false;
}

// Output off, every output at 0 V with the model's reset limit, the first one selected.
int VirtualSupply::Reset(const ScpiUnit&, QByteArray*) {
    for (size_t i = 0; i < outputs_.size(); ++i)
        outputs_[i] = {0.0, ratings_.outputs[i].resetAmps};
    selected_ = 0;
    outputOn_ = false;
    UpdateLoad();
    return 0;
}

void VirtualSupply::UpdateLoad() {
    load_.SetSupply(outputOn_, outputs_.front().volts);
}
