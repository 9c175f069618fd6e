#pragma once

// The header's line types and the parameters of the extended line types.
//
// A line type is a 32-bit on/off dot pattern (-1, all bits set, is a solid
// line) with its dot count and its pitch on screen and printer; the random
// lines (types 11 to 15) use an amplitude instead of the dot count. An
// extended type (30 to 62) has a parameter record too: its name and up to ten
// segment pitches. Setters check nothing.

#include <array>
#include <cstdint>
#include <string>

class TStream;

class TZhdLType {
public:
    // The stream form of the random lines; any other form is the plain one.
    static constexpr int RandomLineForm = 2;

    int GetPattern() const { return pattern_; }
    int SetPattern(int pattern) { return pattern_ = pattern; }
    int GetDots() const { return dots_; }
    int SetDots(int dots) { return dots_ = dots; }
    int GetPitch() const { return pitch_; }
    int SetPitch(int pitch) { return pitch_ = pitch; }
    int GetPrintPitch() const { return print_pitch_; }
    int SetPrintPitch(int pitch) { return print_pitch_ = pitch; }
    int GetAmplitude() const { return amplitude_; }
    int SetAmplitude(int amplitude) { return amplitude_ = amplitude; }
    int GetPrintAmplitude() const { return print_amplitude_; }
    int SetPrintAmplitude(int amplitude) { return print_amplitude_ = amplitude; }

    TZhdLType& AsLType() { return *this; }
    TZhdLType& Assign(const TZhdLType& other);
    TZhdLType& SetLType(int pattern, int dots, int pitch, int print_pitch, int amplitude, int print_amplitude);

    // form RandomLineForm:
    //     struct RandomLine { u32 pattern; u32 amplitude; u32 pitch; u32 print_amplitude; u32 print_pitch; };   20 bytes
    // any other form:
    //     struct LineType { u32 pattern; u32 dots; u32 pitch; u32 print_pitch; };   16 bytes
    // The fields a form does not hold keep their values.
    void Read(TStream& stream, std::uint32_t version, int form);
    void Write(TStream& stream, std::uint32_t version, int form) const;

private:
    int pattern_ = -1;
    int dots_ = 32;
    int pitch_ = 1;
    int print_pitch_ = 10;
    int amplitude_ = 0;
    int print_amplitude_ = 0;
};

class TZhdLParameter {
public:
    static constexpr int PitchCount = 10;
    using Pitches = std::array<double, PitchCount>;

    std::string GetName() const { return name_; }
    std::string SetName(std::string name);
    // The number of pitches in use, as stored: a file may claim more than ten.
    int GetSegmentCount() const { return segment_count_; }
    int SetSegmentCount(int count) { return segment_count_ = count; }
    Pitches GetPitches() const { return pitches_; }
    Pitches SetPitches(const Pitches& pitches) { return pitches_ = pitches; }
    // Pitch indexes follow the container rule: absolute value, limited to 9.
    double GetPitch(int index) const;
    double SetPitch(int index, double pitch);

    TZhdLParameter& AsLParameter() { return *this; }
    TZhdLParameter& Assign(const TZhdLParameter& other);
    TZhdLParameter& SetLParameter(std::string name, int segment_count, const Pitches& pitches);

    // struct LineParameter { archive_string name; u32 segment_count; f64 pitches[10]; };   85 bytes and up
    void Read(TStream& stream, std::uint32_t version);
    void Write(TStream& stream, std::uint32_t version) const;

private:
    std::string name_;
    int segment_count_ = 0;
    Pitches pitches_ {};
};
