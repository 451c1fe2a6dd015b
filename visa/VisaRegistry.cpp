#include "visa/VisaRegistry.h"

VisaRegistry& VisaRegistry::Instance() {
    static VisaRegistry registry;
    return registry;
}

ViObject VisaRegistry::Add(std::unique_ptr<VisaObject> object) {
    const ViObject handle = next_++;
    objects_[handle] = std::move(object);
    return handle;
}

VisaObject* VisaRegistry::Find(ViObject handle) {
    const auto it = objects_.find(handle);
    return it == objects_.end() ? nullptr : it->second.get();
}

VisaObject* VisaRegistry::Find(ViObject handle, VisaKind kind) {
    VisaObject* object = Find(handle);
    return object && object->kind == kind ? object : nullptr;
}

std::unique_ptr<VisaObject> VisaRegistry::Take(ViObject handle) {
    const auto it = objects_.find(handle);
    if (it == objects_.end())
        return nullptr;
    std::unique_ptr<VisaObject> object = std::move(it->second);
    objects_.erase(it);
    return object;
}

std::vector<ViObject> VisaRegistry::OwnedBy(ViSession resourceManager) const {
    std::vector<ViObject> handles;
    for (const auto& [handle, object] : objects_) {
        if (object->owner == resourceManager)
            handles.push_back(handle);
    }
    return handles;
}

int VisaRegistry::Count(VisaKind kind) const {
    int count = 0;
    for (const auto& entry : objects_)
        count += entry.second->kind == kind ? 1 : 0;
    return count;
}
