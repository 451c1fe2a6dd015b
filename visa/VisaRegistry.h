#pragma once

#include "visa/InstrumentIo.h"
#include "visa/Visa.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

enum class VisaKind { ResourceManager, Instrument, FindList };

// One object a VISA handle stands for.
struct VisaObject {
    explicit VisaObject(VisaKind k) : kind(k) {}

    VisaKind kind;
    ViSession owner = VI_NULL; // the resource manager of an instrument or a find list
    QString resource;          // instrument: the name asked for
    QString target;            // instrument: what it resolved to through the aliases
    std::unique_ptr<InstrumentIo> io;
    QStringList found;            // find list: the names not yet handed out
    ViSession vendorRm = VI_NULL; // resource manager: the system library's, once needed
    ViStatus lastStatus = VI_SUCCESS;
    QString lastError; // for viStatusDesc: the last failure in words, naming the resource
};

// The handles handed out by the VISA layer. Handles are never reused, so that a stale one is
// refused instead of reaching another session.
class VisaRegistry {
public:
    static VisaRegistry& Instance();

    ViObject Add(std::unique_ptr<VisaObject> object);
    VisaObject* Find(ViObject handle);
    VisaObject* Find(ViObject handle, VisaKind kind);
    std::unique_ptr<VisaObject> Take(ViObject handle);
    std::vector<ViObject> OwnedBy(ViSession resourceManager) const;
    int Count(VisaKind kind) const;
    // Every open object: resource managers, instrument sessions and find lists.
    int Count() const { return static_cast<int>(objects_.size()); }

private:
    std::map<ViObject, std::unique_ptr<VisaObject>> objects_;
    ViObject next_ = 1;
};
