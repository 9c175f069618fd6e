#pragma once

// TRGB: a colour packed into one int as red + green * 256 + blue * 65536,
// red in the lowest byte (the layout of the platform's colour values).

class TRGB {
public:
    TRGB() = default;
    explicit TRGB(int colour) : colour_(colour) {}

    bool operator!=(const TRGB& other) const { return colour_ != other.colour_; }

    // blue = colour / 65536, green = (colour mod 65536) / 256 and
    // red = colour mod 256, each truncated toward zero. For a colour from 0 to
    // 0xFFFFFF these are its three bytes.
    void GetRGB(int& red, int& green, int& blue) const;

    int GetColor() const { return colour_; }
    int SetColor(int colour) { return colour_ = colour; }
    int SetColor2(int colour) { return SetColor(colour); }
    int GetColor2() const { return GetColor(); }
    int SetColor3(int colour) { return SetColor(colour); }
    int SetColor4(int colour) { return SetColor(colour); }

    int GetRed() const;
    int GetGreen() const;
    int GetBlue() const;

    TRGB& AsRGB() { return *this; }
    TRGB& Assign(const TRGB& other);
    TRGB& Set(int colour);
    TRGB& Set2(int colour) { return Set(colour); }
    TRGB& SetRGB(int red, int green, int blue);

    // The packed colour of three components, wrapping in 32 bits, without
    // storing it.
    int PackRGB(int red, int green, int blue) const;

private:
    int colour_ = 0;
};
