#pragma once

#include "visa/InstrumentIo.h"
#include "visa/IoAttributes.h"

// A session of one of the layer's own backends, which keep the time-out and the buffer modes
// themselves and take any buffer size, their buffers growing as needed.
class BuiltInIo : public InstrumentIo {
public:
    ViStatus SetAttribute(ViAttr attribute, ViAttrState value) override {
        return attributes_.Set(attribute, value);
    }
    ViStatus GetAttribute(ViAttr attribute, void* value) override {
        return attributes_.Get(attribute, value);
    }
    ViStatus SetBuffer(ViUInt16 mask, ViUInt32 /*size*/) override {
        return IoAttributes::CheckBufferMask(mask);
    }

protected:
    IoAttributes attributes_;
};
