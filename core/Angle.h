#pragma once

// An angle that remembers the unit it was given in: radians, decimal degrees,
// or packed degrees-minutes-seconds written as one number DDD.MMSSsss (12°30′15″
// is 12.3015; the number's sign is the angle's). It keeps its number in that
// unit and converts on demand. Operations that build a new angle from two
// (sum, difference, the direction helpers) give radians; negation,
// normalisation, folding and the compound operators keep the kind.
//
// A kind outside the three is kept as given and never converted: the readers
// return the stored number, GetDMS writes nothing, < and > are false, += and
// -= change nothing, and Normalize changes nothing.

#include <string>

class TAngle {
public:
    static constexpr int KindRadians = 0;
    static constexpr int KindDegrees = 1;
    static constexpr int KindPackedDMS = 2;

    TAngle() = default;
    explicit TAngle(double radians) : value_(radians) { }
    TAngle& operator=(double radians);

    TAngle Clone() const { return *this; }
    TAngle& Assign(const TAngle& other);
    // Stores both unchanged.
    TAngle& SetValue(double value, int kind);
    int GetKind() const { return kind_; }

    double GetRadians() const;
    double SetRadians(double radians);
    double GetDegrees() const;
    // The setters below return the angle in radians.
    double SetDegrees(double degrees);
    double GetPackedDMS() const;
    double SetPackedDMS(double packed);
    // Kind := packed, value := the parsed text. Raises ConvertError for a part
    // that is not a number ("1.2.3"); the kind is set already then and the
    // value unchanged.
    double SetFromText(const std::string& text);
    double SetDMS(double degrees, double minutes, double seconds);

    // Degrees (with the angle's sign), minutes and seconds (never negative).
    void GetDMS(double& degrees, double& minutes, double& seconds) const;

    // Format(2, 0).
    std::string Text() const;
    // The degrees-minutes-seconds text in one of the styles of FormatDMSText.
    std::string Format(int decimals, int style) const;

    // Brings the value into [0, one turn) of its own unit and returns the
    // number of whole turns removed (negative when turns were added).
    int Normalize();
    TAngle Normalized() const;
    // Turned by half a turn (in radians) when it reads upside down: a degree
    // value >= 90 or < -90, taken without normalising first.
    TAngle UprightCopy() const;
    // Radians, normalised: this + other.
    TAngle AddNormalized(TAngle other) const;
    // Radians, normalised: this direction for n > 0, else the opposite one.
    TAngle Directed(int n) const;
    // Radians, normalised: turned by +90° for n >= 0, -90° for n < 0.
    TAngle Perpendicular(int n) const;
    // Folded into (-90°, 90°] for inputs above -270° and up to 540°; same kind.
    TAngle FoldToRightHalf() const;

    // Equal degree and minute parts and seconds at most 1e-12 apart.
    bool operator==(const TAngle& other) const;
    bool operator!=(const TAngle& other) const { return !(*this == other); }
    // Ordered by the signed degree, minute and second parts; seconds within
    // 1e-12 of each other count as equal.
    bool operator<=(const TAngle& other) const;
    // Exact comparisons of the values in this angle's unit.
    bool operator<(const TAngle& other) const;
    bool operator>(const TAngle& other) const;

    TAngle operator+(const TAngle& other) const;
    TAngle operator-(const TAngle& other) const;
    TAngle operator/(double divisor) const;
    double operator/(const TAngle& other) const;
    TAngle operator-() const;
    // In this angle's unit: for a packed angle the packed numbers themselves
    // are added, exact only while no minute or second part passes 60.
    TAngle& operator+=(const TAngle& other);
    TAngle& operator-=(const TAngle& other);
    TAngle& operator*=(double factor);

    static double RadToDeg(double radians);
    static double DegToRad(double degrees);
    static double DegToPackedDMS(double degrees);
    static double PackedDMSToDeg(double packed);
    static double RadToPackedDMS(double radians);
    static double PackedDMSToRad(double packed);
    static void SplitPackedDMS(double packed, double& degrees, double& minutes, double& seconds);
    static double MakePackedDMS(double degrees, double minutes, double seconds);
    // Splits decimal degrees (base 60) or a packed number (base 100) into whole
    // degrees, whole minutes and seconds; a base of 0 or less is taken as 60.
    static void SplitDMS(double value, double& degrees, double& minutes, double& seconds, int base);
    // Reads up to three numbers separated by anything but digits and ".";
    // blanks are dropped first and a leading "-" negates the degrees.
    static void ParseDMSText(const std::string& text, double& degrees, double& minutes, double& seconds);
    // The parts as text in one of eleven styles (0 to 10; others as 0). Reads
    // this angle's sign, so that a negative angle under one degree prints "-0".
    std::string FormatDMSText(double degrees, double minutes, double seconds, int decimals, int style) const;

private:
    bool HasKnownKind() const;
    // The other angle in this angle's unit; only for a known kind.
    double OtherInThisUnit(const TAngle& other) const;

    int kind_ = KindRadians;
    double value_ = 0;
};

// An angle holding degrees.
inline TAngle Degrees(double degrees)
{
    TAngle angle;
    angle.SetDegrees(degrees);
    return angle;
}

// The angle negated when it is below a zero angle, else a copy; same kind.
TAngle AbsAngle(TAngle angle);
