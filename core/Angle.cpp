// Angles in three units and their degrees-minutes-seconds texts.
//
// Everything that splits an angle into degrees, minutes and seconds goes
// through SplitDMS, which rounds each step to 12 decimals before taking the
// whole part, so that 12.3 degrees splits into 12°18′00″ and not into
// 12°17′59.99999999999″. Minutes and seconds that round to 60 carry (in both
// bases, so a packed 12.3060 reads as 12°31′); the degrees lose one turn only
// above 360. Comparisons for equality and for <= work on these split parts,
// the strict comparisons on the raw numbers.
//
// Normalising subtracts whole turns one at a time, and its results are relied
// on to the last bit; values further than a million turns from the range use
// the remainder instead, so that nothing loops for ever, and a non-finite
// value is left alone.
//
// The text parser takes any run of non-digits as a separator and never
// refuses a text as a whole: only a part with two decimal points raises.

#include "core/Angle.h"

#include "core/Constants.h"
#include "core/PlaneGeometry.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kFullTurnDegrees = 360;
// Beyond this many turns Normalize takes the remainder instead of looping.
constexpr double kMaxLoopedTurns = 1e6;

TAngle DegreesAngle(double degrees)
{
    TAngle angle;
    angle.SetDegrees(degrees);
    return angle;
}

int SaturatedTurns(double turns)
{
    if (turns >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (turns <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(turns);
}

// Brings a finite value into [0, turn) and returns the turns removed.
int RemoveWholeTurns(double& value, double turn)
{
    if (!std::isfinite(value))
        return 0;
    if (std::fabs(value) > kMaxLoopedTurns * turn) {
        const double turns = std::floor(value / turn);
        value = std::fmod(value, turn);
        if (value < 0)
            value += turn;
        if (value >= turn) // a tiny negative remainder rounded up to a turn
            value = 0;
        return SaturatedTurns(turns);
    }
    int count = 0;
    while (value >= turn) {
        value -= turn;
        ++count;
    }
    while (value < 0) {
        value += turn;
        --count;
    }
    // A value a hair below zero rounds up to a whole turn: it is zero.
    if (value >= turn) {
        value = 0;
        ++count;
    }
    return count;
}

// The prefix (up to the seconds field) and the suffix of a text style.
struct DMSStyle {
    std::string prefix;
    std::string suffix;
};

const DMSStyle& StyleFor(int style)
{
    static const DMSStyle styles[] = {
        { "%3.0f-%02.0f-", "" },
        { "%3.0f - %02.0f - ", "" },
        { sj(u8"%3.0f－%02.0f－"), "" },
        { sj(u8"%3.0f － %02.0f － "), "" },
        { sj(u8"%3.0fﾟ%02.0f'"), "\"" },
        { sj(u8"%3.0fﾟ %02.0f' "), "\" " },
        { sj(u8"%3.0f°%02.0f’"), sj(u8"”") },
        { sj(u8"%3.0f°%02.0f′"), sj(u8"″") },
        { sj(u8"%3.0f度%02.0f分"), sj(u8"秒") },
        { sj(u8"%3.0f 度 %02.0f 分 "), sj(u8" 秒") },
        { "%0.0f-%0.0f-", "" },
    };
    if (style < 0 || style > 10)
        style = 0;
    return styles[style];
}

constexpr int kStyleWithoutWidths = 10;

// "%0<width>.<decimals>f": two digits before the point, or no width at all in
// the style without widths.
std::string SecondsField(int decimals, int style)
{
    if (style == kStyleWithoutWidths)
        return "%0." + std::to_string(decimals) + "f";
    const int width = decimals == 0 ? 2 : decimals + 3;
    return "%0" + std::to_string(width) + "." + std::to_string(decimals) + "f";
}

bool IsNumberByte(char c)
{
    return (c >= '0' && c <= '9') || c == '.';
}

} // namespace

TAngle& TAngle::operator=(double radians)
{
    kind_ = KindRadians;
    value_ = radians;
    return *this;
}

TAngle& TAngle::Assign(const TAngle& other)
{
    kind_ = other.kind_;
    value_ = other.value_;
    return *this;
}

TAngle& TAngle::SetValue(double value, int kind)
{
    value_ = value;
    kind_ = kind;
    return *this;
}

bool TAngle::HasKnownKind() const
{
    return kind_ == KindRadians || kind_ == KindDegrees || kind_ == KindPackedDMS;
}

double TAngle::GetRadians() const
{
    switch (kind_) {
    case KindDegrees: return DegToRad(value_);
    case KindPackedDMS: return PackedDMSToRad(value_);
    default: return value_;
    }
}

double TAngle::SetRadians(double radians)
{
    kind_ = KindRadians;
    value_ = radians;
    return value_;
}

double TAngle::GetDegrees() const
{
    switch (kind_) {
    case KindRadians: return RadToDeg(value_);
    case KindPackedDMS: return PackedDMSToDeg(value_);
    default: return value_;
    }
}

double TAngle::SetDegrees(double degrees)
{
    kind_ = KindDegrees;
    value_ = degrees;
    return GetRadians();
}

double TAngle::GetPackedDMS() const
{
    switch (kind_) {
    case KindRadians: return RadToPackedDMS(value_);
    case KindDegrees: return DegToPackedDMS(value_);
    default: return value_;
    }
}

double TAngle::SetPackedDMS(double packed)
{
    kind_ = KindPackedDMS;
    value_ = packed;
    return GetRadians();
}

double TAngle::SetFromText(const std::string& text)
{
    kind_ = KindPackedDMS;
    double degrees = 0, minutes = 0, seconds = 0;
    ParseDMSText(text, degrees, minutes, seconds);
    value_ = MakePackedDMS(degrees, minutes, seconds);
    // A zero degree part cannot carry the sign, so the text decides: a "-"
    // among its first three characters (as "-0-30" or " -0-30" print) makes
    // the angle negative.
    if (std::fabs(degrees) < 1e-7 && text.substr(0, 3).find('-') != std::string::npos)
        value_ = -value_;
    return GetRadians();
}

double TAngle::SetDMS(double degrees, double minutes, double seconds)
{
    kind_ = KindPackedDMS;
    value_ = MakePackedDMS(degrees, minutes, seconds);
    return GetRadians();
}

void TAngle::GetDMS(double& degrees, double& minutes, double& seconds) const
{
    switch (kind_) {
    case KindRadians: SplitPackedDMS(RadToPackedDMS(value_), degrees, minutes, seconds); break;
    case KindDegrees: SplitPackedDMS(DegToPackedDMS(value_), degrees, minutes, seconds); break;
    case KindPackedDMS: SplitPackedDMS(value_, degrees, minutes, seconds); break;
    default: break;
    }
}

std::string TAngle::Text() const
{
    return Format(2, 0);
}

std::string TAngle::Format(int decimals, int style) const
{
    // An angle of an unknown kind has no parts and prints as zero.
    double degrees = 0, minutes = 0, seconds = 0;
    GetDMS(degrees, minutes, seconds);
    return FormatDMSText(degrees, minutes, seconds, decimals, style);
}

int TAngle::Normalize()
{
    switch (kind_) {
    case KindRadians: return RemoveWholeTurns(value_, 2 * Pi);
    case KindDegrees:
    case KindPackedDMS: return RemoveWholeTurns(value_, kFullTurnDegrees);
    default: return 0;
    }
}

TAngle TAngle::Normalized() const
{
    TAngle copy = *this;
    copy.Normalize();
    return copy;
}

TAngle TAngle::UprightCopy() const
{
    const double degrees = GetDegrees();
    if (degrees >= 90 || degrees < -90)
        return Directed(-1);
    return *this;
}

TAngle TAngle::AddNormalized(TAngle other) const
{
    TAngle sum = *this + other;
    sum.Normalize();
    return sum;
}

TAngle TAngle::Directed(int n) const
{
    if (n > 0)
        return AddNormalized(TAngle());
    return AddNormalized(DegreesAngle(SignOfInt(n) * 180.0));
}

TAngle TAngle::Perpendicular(int n) const
{
    return AddNormalized(DegreesAngle(SignOfInt(n) * 90.0));
}

TAngle TAngle::FoldToRightHalf() const
{
    TAngle copy = *this;
    if (copy.GetDegrees() > 180)
        copy -= DegreesAngle(360);
    if (copy.GetDegrees() > 90)
        copy -= DegreesAngle(180);
    else if (copy.GetDegrees() <= -90)
        copy += DegreesAngle(180);
    return copy;
}

bool TAngle::operator==(const TAngle& other) const
{
    double d1 = 0, m1 = 0, s1 = 0, d2 = 0, m2 = 0, s2 = 0;
    GetDMS(d1, m1, s1);
    other.GetDMS(d2, m2, s2);
    return d1 == d2 && m1 == m2 && std::fabs(s1 - s2) <= 1e-12;
}

bool TAngle::operator<=(const TAngle& other) const
{
    double d1 = 0, m1 = 0, s1 = 0, d2 = 0, m2 = 0, s2 = 0;
    GetDMS(d1, m1, s1);
    other.GetDMS(d2, m2, s2);
    if (d1 != d2)
        return d1 < d2;
    // Minutes and seconds are never negative: order them with the sign of
    // their angle.
    const double sign1 = value_ < 0 ? -1 : 1;
    const double sign2 = other.value_ < 0 ? -1 : 1;
    if (sign1 * m1 != sign2 * m2)
        return sign1 * m1 < sign2 * m2;
    if (std::fabs(s1 - s2) <= 1e-12)
        return true;
    return sign1 * s1 < sign2 * s2;
}

double TAngle::OtherInThisUnit(const TAngle& other) const
{
    switch (kind_) {
    case KindDegrees: return other.GetDegrees();
    case KindPackedDMS: return other.GetPackedDMS();
    default: return other.GetRadians();
    }
}

bool TAngle::operator<(const TAngle& other) const
{
    return HasKnownKind() && value_ < OtherInThisUnit(other);
}

bool TAngle::operator>(const TAngle& other) const
{
    return HasKnownKind() && value_ > OtherInThisUnit(other);
}

TAngle TAngle::operator+(const TAngle& other) const
{
    return TAngle(GetRadians() + other.GetRadians());
}

TAngle TAngle::operator-(const TAngle& other) const
{
    return TAngle(GetRadians() - other.GetRadians());
}

TAngle TAngle::operator/(double divisor) const
{
    return TAngle(GetRadians() / divisor);
}

double TAngle::operator/(const TAngle& other) const
{
    return GetRadians() / other.GetRadians();
}

TAngle TAngle::operator-() const
{
    TAngle negated = *this;
    negated.value_ = -value_;
    return negated;
}

TAngle& TAngle::operator+=(const TAngle& other)
{
    if (HasKnownKind())
        value_ += OtherInThisUnit(other);
    return *this;
}

TAngle& TAngle::operator-=(const TAngle& other)
{
    if (HasKnownKind())
        value_ -= OtherInThisUnit(other);
    return *this;
}

TAngle& TAngle::operator*=(double factor)
{
    value_ *= factor;
    return *this;
}

double TAngle::RadToDeg(double radians)
{
    return radians * DegreesPerRadian;
}

double TAngle::DegToRad(double degrees)
{
    return degrees / DegreesPerRadian;
}

double TAngle::DegToPackedDMS(double degrees)
{
    double d = 0, m = 0, s = 0;
    SplitDMS(degrees, d, m, s, 60);
    return (std::fabs(d) + 0.01 * m + 0.0001 * s) * Sign(degrees);
}

double TAngle::PackedDMSToDeg(double packed)
{
    double d = 0, m = 0, s = 0;
    SplitDMS(packed, d, m, s, 100);
    return (std::fabs(d) + m / 60 + s / 3600) * Sign(packed);
}

double TAngle::RadToPackedDMS(double radians)
{
    return DegToPackedDMS(RadToDeg(radians));
}

double TAngle::PackedDMSToRad(double packed)
{
    return DegToRad(PackedDMSToDeg(packed));
}

void TAngle::SplitPackedDMS(double packed, double& degrees, double& minutes, double& seconds)
{
    SplitDMS(packed, degrees, minutes, seconds, 100);
}

double TAngle::MakePackedDMS(double degrees, double minutes, double seconds)
{
    return (std::fabs(degrees) + 0.01 * minutes + 0.0001 * seconds) * Sign(degrees);
}

void TAngle::SplitDMS(double value, double& degrees, double& minutes, double& seconds, int base)
{
    const double sign = Sign(value);
    const double magnitude = std::fabs(value);
    const double scale = base > 0 ? base : 60;

    double d = std::floor(RoundTo(magnitude, 12));
    double m = std::floor(RoundTo((magnitude - d) * scale, 12));
    double s = RoundTo(((magnitude - d) * scale - m) * scale, 12);
    if (s < 0)
        s = 0;
    // The carries use 60 in both bases.
    if (std::fabs(s - 60) < 1e-7) {
        s = 0;
        m += 1;
    }
    if (std::fabs(m - 60) < 1e-7) {
        m = 0;
        d += 1;
    }
    if (d - 360 > 0)
        d -= 360;
    degrees = sign * d;
    minutes = m;
    seconds = s;
}

void TAngle::ParseDMSText(const std::string& text, double& degrees, double& minutes, double& seconds)
{
    std::string compact;
    for (char c : text) {
        if (c != ' ')
            compact += c;
    }
    double sign = 1;
    if (!compact.empty() && compact.front() == '-') {
        sign = -1;
        compact.erase(0, 1);
    }

    // Every part is converted, also those past the third, so that a malformed
    // one anywhere raises.
    double parts[3] = { 0, 0, 0 };
    std::size_t part_count = 0;
    std::string number;
    const auto end_part = [&] {
        const double part = number.empty() ? 0 : StrToFloat(number);
        if (part_count < 3)
            parts[part_count] = part;
        ++part_count;
        number.clear();
    };
    for (std::size_t i = 0; i < compact.size(); ++i) {
        const char c = compact[i];
        if (IsNumberByte(c)) {
            number += c;
            continue;
        }
        end_part();
        if (IsLeadByte(c))
            ++i; // the trail byte of a double-byte separator
    }
    if (!number.empty())
        end_part();

    degrees = parts[0] * sign;
    minutes = parts[1];
    seconds = parts[2];
}

std::string TAngle::FormatDMSText(double degrees, double minutes, double seconds, int decimals,
                                  int style) const
{
    // A negative count of decimals would make an invalid conversion.
    if (decimals < 0)
        decimals = 0;
    const DMSStyle& parts = StyleFor(style);
    const std::string format = parts.prefix + SecondsField(decimals, style) + parts.suffix;
    // "%3.0f" of -0.01 prints "-0", which a zero degree part cannot.
    if (value_ < 0 && std::fabs(degrees) < 1e-7)
        degrees = -0.01;
    return StringPrintf(format.c_str(), degrees, minutes, seconds);
}

TAngle AbsAngle(TAngle angle)
{
    return angle < TAngle() ? -angle : angle;
}
