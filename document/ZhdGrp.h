#pragma once

// The header's layer groups: 16 groups of 16 layers each. A group and a layer
// each have a state (0 hidden, 1 display only, 2 editable, 3 write target), a
// protection kind (0, 1 or 2) and a name; a group adds its write layer and its
// scale denominator (shown as 1/scale).
//
// The drawing file stores the numbers and the names of all groups and layers
// in separate sections (document/ZhdHeadStream.cpp), so each record reads and
// writes the two parts apart. Setters check nothing; layer indexes follow the
// container rule (absolute value, limited to the last layer).

#include "core/LayerState.h"
#include "core/Vect.h"
#include "document/GroupLayer.h"

#include <cstdint>
#include <string>

class TStream;

class TZhdLay {
public:
    int GetState() const { return state_; }
    int SetState(int state) { return state_ = state; }
    int GetProtect() const { return protect_; }
    int SetProtect(int protect) { return protect_ = protect; }
    std::string GetName() const { return name_; }
    std::string SetName(std::string name);

    TZhdLay& AsLay() { return *this; }
    TZhdLay& Assign(const TZhdLay& other);
    TZhdLay& SetLay(int state, int protect, std::string name);

    // struct LayerNumbers { u32 state; u32 protect; };   8 bytes
    void ReadNumbers(TStream& stream, std::uint32_t version);
    void WriteNumbers(TStream& stream, std::uint32_t version) const;
    // archive_string name;
    void ReadName(TStream& stream, std::uint32_t version);
    void WriteName(TStream& stream, std::uint32_t version) const;

private:
    int state_ = LayerEditable;
    int protect_ = 0;
    std::string name_;
};

class TZhdGrp {
public:
    static constexpr int LayerCount = LayersPerGroup;

    TZhdGrp();

    int GetState() const { return state_; }
    int SetState(int state) { return state_ = state; }
    int GetWriteLayer() const { return write_layer_; }
    int SetWriteLayer(int layer) { return write_layer_ = layer; }
    double GetScale() const { return scale_; }
    double SetScale(double scale) { return scale_ = scale; }
    int GetProtect() const { return protect_; }
    int SetProtect(int protect) { return protect_ = protect; }
    std::string GetName() const { return name_; }
    std::string SetName(std::string name);
    TVect<TZhdLay> GetLayers() const { return layers_; }
    // Replaces the table, its size included.
    TVect<TZhdLay> SetLayers(TVect<TZhdLay> layers);
    TZhdLay GetLayer(int index) const { return layers_.Get(index); }
    TZhdLay SetLayer(int index, TZhdLay layer) { return layers_.Set(index, std::move(layer)); }

    TZhdGrp& AsGrp() { return *this; }
    TZhdGrp& Assign(const TZhdGrp& other);
    TZhdGrp& SetGrp(int state, int write_layer, double scale, int protect, std::string name, TVect<TZhdLay> layers);

    // struct GroupNumbers {
    //     u32 state;
    //     u32 write_layer;
    //     f64 scale;
    //     u32 protect;
    //     LayerNumbers layers[16];
    // };   148 bytes
    // The record always holds 16 layers, whatever size SetLayers gave the
    // table: reading leaves 16 fresh layers (names empty until ReadName of
    // each), writing takes layers 0 to 15 by the container rule.
    void ReadNumbers(TStream& stream, std::uint32_t version);
    void WriteNumbers(TStream& stream, std::uint32_t version) const;
    // archive_string name;
    void ReadName(TStream& stream, std::uint32_t version);
    void WriteName(TStream& stream, std::uint32_t version) const;

private:
    int state_ = LayerEditable;
    int write_layer_ = 0;
    double scale_ = 1.0;
    int protect_ = 0;
    std::string name_;
    TVect<TZhdLay> layers_;
};
