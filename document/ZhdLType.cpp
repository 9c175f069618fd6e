#include "document/ZhdLType.h"

#include "core/Archive.h"
#include "core/IndexRule.h"
#include "document/RecordFields.h"

#include <utility>

TZhdLType& TZhdLType::Assign(const TZhdLType& other)
{
    *this = other;
    return *this;
}

TZhdLType& TZhdLType::SetLType(int pattern, int dots, int pitch, int print_pitch, int amplitude, int print_amplitude)
{
    pattern_ = pattern;
    dots_ = dots;
    pitch_ = pitch;
    print_pitch_ = print_pitch;
    amplitude_ = amplitude;
    print_amplitude_ = print_amplitude;
    return *this;
}

void TZhdLType::Read(TStream& stream, std::uint32_t, int form)
{
    ReadField(stream, pattern_);
    if (form == RandomLineForm) {
        ReadField(stream, amplitude_);
        ReadField(stream, pitch_);
        ReadField(stream, print_amplitude_);
        ReadField(stream, print_pitch_);
    } else {
        ReadField(stream, dots_);
        ReadField(stream, pitch_);
        ReadField(stream, print_pitch_);
    }
}

void TZhdLType::Write(TStream& stream, std::uint32_t, int form) const
{
    WriteField(stream, pattern_);
    if (form == RandomLineForm) {
        WriteField(stream, amplitude_);
        WriteField(stream, pitch_);
        WriteField(stream, print_amplitude_);
        WriteField(stream, print_pitch_);
    } else {
        WriteField(stream, dots_);
        WriteField(stream, pitch_);
        WriteField(stream, print_pitch_);
    }
}

std::string TZhdLParameter::SetName(std::string name)
{
    name_ = std::move(name);
    return name_;
}

double TZhdLParameter::GetPitch(int index) const
{
    return pitches_[ClampToLastIndex(index, PitchCount)];
}

double TZhdLParameter::SetPitch(int index, double pitch)
{
    return pitches_[ClampToLastIndex(index, PitchCount)] = pitch;
}

TZhdLParameter& TZhdLParameter::Assign(const TZhdLParameter& other)
{
    *this = other;
    return *this;
}

TZhdLParameter& TZhdLParameter::SetLParameter(std::string name, int segment_count, const Pitches& pitches)
{
    name_ = std::move(name);
    segment_count_ = segment_count;
    pitches_ = pitches;
    return *this;
}

void TZhdLParameter::Read(TStream& stream, std::uint32_t)
{
    name_ = ReadArchiveString(stream);
    ReadField(stream, segment_count_);
    for (double& pitch : pitches_)
        ReadField(stream, pitch);
}

void TZhdLParameter::Write(TStream& stream, std::uint32_t) const
{
    WriteArchiveString(stream, name_);
    WriteField(stream, segment_count_);
    for (double pitch : pitches_)
        WriteField(stream, pitch);
}
