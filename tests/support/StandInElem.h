#pragma once

// The base of test stand-ins for element kinds: an element of any type code
// with no file body and no text record, so a test can script what it
// answers and watch what it is asked.

#include "elements/ZhdElem.h"

class StandInElem : public TZhdElem {
public:
    explicit StandInElem(int type_code) : type_code_(type_code) {}

    int GetTypeCode() const override { return type_code_; }
    void ReadBody(TStream&, const TZhdData&) override {}
    void WriteBody(TStream&, const TZhdData&) const override {}
    int GetBodySize(const TZhdData&) const override { return 0; }
    void ReadTextRecord(const StringList&, TZhdData&) override {}
    void WriteTextRecord(StringList&, TZhdData&) const override {}

private:
    int type_code_;
};
