#include "document/ZhdGrp.h"

#include "core/Archive.h"
#include "document/RecordFields.h"

#include <utility>

std::string TZhdLay::SetName(std::string name)
{
    name_ = std::move(name);
    return name_;
}

TZhdLay& TZhdLay::Assign(const TZhdLay& other)
{
    *this = other;
    return *this;
}

TZhdLay& TZhdLay::SetLay(int state, int protect, std::string name)
{
    state_ = state;
    protect_ = protect;
    name_ = std::move(name);
    return *this;
}

void TZhdLay::ReadNumbers(TStream& stream, std::uint32_t)
{
    ReadField(stream, state_);
    ReadField(stream, protect_);
}

void TZhdLay::WriteNumbers(TStream& stream, std::uint32_t) const
{
    WriteField(stream, state_);
    WriteField(stream, protect_);
}

void TZhdLay::ReadName(TStream& stream, std::uint32_t)
{
    name_ = ReadArchiveString(stream);
}

void TZhdLay::WriteName(TStream& stream, std::uint32_t) const
{
    WriteArchiveString(stream, name_);
}

TZhdGrp::TZhdGrp()
{
    layers_.Resize(LayerCount);
}

std::string TZhdGrp::SetName(std::string name)
{
    name_ = std::move(name);
    return name_;
}

TVect<TZhdLay> TZhdGrp::SetLayers(TVect<TZhdLay> layers)
{
    layers_ = std::move(layers);
    return layers_;
}

TZhdGrp& TZhdGrp::Assign(const TZhdGrp& other)
{
    *this = other;
    return *this;
}

TZhdGrp& TZhdGrp::SetGrp(int state, int write_layer, double scale, int protect, std::string name,
                         TVect<TZhdLay> layers)
{
    state_ = state;
    write_layer_ = write_layer;
    scale_ = scale;
    protect_ = protect;
    name_ = std::move(name);
    layers_ = std::move(layers);
    return *this;
}

void TZhdGrp::ReadNumbers(TStream& stream, std::uint32_t version)
{
    ReadField(stream, state_);
    ReadField(stream, write_layer_);
    ReadField(stream, scale_);
    ReadField(stream, protect_);
    layers_.Clear();
    for (int index = 0; index < LayerCount; ++index) {
        TZhdLay layer;
        layer.ReadNumbers(stream, version);
        layers_.Append(std::move(layer));
    }
}

void TZhdGrp::WriteNumbers(TStream& stream, std::uint32_t version) const
{
    WriteField(stream, state_);
    WriteField(stream, write_layer_);
    WriteField(stream, scale_);
    WriteField(stream, protect_);
    for (int index = 0; index < LayerCount; ++index)
        layers_.Get(index).WriteNumbers(stream, version);
}

void TZhdGrp::ReadName(TStream& stream, std::uint32_t)
{
    name_ = ReadArchiveString(stream);
}

void TZhdGrp::WriteName(TStream& stream, std::uint32_t) const
{
    WriteArchiveString(stream, name_);
}
