#pragma once

// TInfoZHG: what the external-command text form carries besides the drawing:
// a direction angle, two reference points, the sun declination, named points
// (the first is "GENTEN" at the origin), the switches that steer the writer,
// the reply texts, the exchange scale and the reader's line index.
//
// Flag bits: 0 the writer begins with "hd"; 1 an "hhp" line was read and the
// next line, arc or text element becomes an instruction element; 2 the writer
// appends the change-mark lines; 3 the writer repeats the header state at the
// end.

#include "core/Angle.h"
#include "core/BPoint.h"
#include "core/BitFlg.h"
#include "core/Vect.h"

#include <map>
#include <string>

class TInfoZHG {
public:
    using NameMap = std::map<std::string, int>;

    TInfoZHG();

    TAngle GetAngle() const { return angle_; }
    TAngle SetAngle(TAngle angle) { return angle_ = angle; }
    TBPoint GetHnPoint1() const { return hn_point1_; }
    TBPoint SetHnPoint1(TBPoint point) { return hn_point1_ = point; }
    TBPoint GetHnPoint2() const { return hn_point2_; }
    TBPoint SetHnPoint2(TBPoint point) { return hn_point2_ = point; }
    double GetDeclination() const { return declination_; }
    double SetDeclination(double degrees) { return declination_ = degrees; }
    TVect<TBPoint> GetPoints() const { return points_; }
    TVect<TBPoint> SetPoints(TVect<TBPoint> points);
    TVect<std::string> GetPointNames() const { return point_names_; }
    TVect<std::string> SetPointNames(TVect<std::string> names);
    TBitFlg GetFlags() const { return flags_; }
    TBitFlg SetFlags(TBitFlg flags) { return flags_ = flags; }
    // Bit -1: all 32 bits.
    int TestFlag(int bit) const { return flags_.IsSet(bit); }
    bool SetFlag(int bit, bool value);
    std::string GetHeText() const { return he_text_; }
    std::string SetHeText(std::string text);
    std::string GetHHashText() const { return h_hash_text_; }
    std::string SetHHashText(std::string text);
    int GetHrFlag() const { return hr_flag_; }
    int SetHrFlag(int flag) { return hr_flag_ = flag; }
    std::string GetHSlashText() const { return h_slash_text_; }
    std::string SetHSlashText(std::string text);
    double GetScale() const { return scale_; }
    // A value that is not positive and finite stores 1.0.
    double SetScale(double scale);
    int GetHeaderLineCount() const { return line_index_; }
    int SetHeaderLineCount(int index) { return line_index_ = index; }
    NameMap GetNameMap() const { return name_map_; }
    NameMap SetNameMap(NameMap map);

    TInfoZHG& AsInfoZHG() { return *this; }
    TInfoZHG& Assign(const TInfoZHG& other);
    // Every member as given, the scale too.
    TInfoZHG& SetInfo(TAngle angle, TBPoint hn_point1, TBPoint hn_point2, double declination, TVect<TBPoint> points,
                      TVect<std::string> point_names, TBitFlg flags, std::string he_text, std::string h_hash_text,
                      int hr_flag, std::string h_slash_text, double scale, int line_index, NameMap name_map);

private:
    TAngle angle_;
    TBPoint hn_point1_;
    TBPoint hn_point2_;
    double declination_ = -23.45;
    TVect<TBPoint> points_;
    TVect<std::string> point_names_;
    TBitFlg flags_;
    std::string he_text_;
    std::string h_hash_text_;
    int hr_flag_ = 0;
    std::string h_slash_text_;
    double scale_ = 1.0;
    int line_index_ = 0;
    NameMap name_map_;
};
