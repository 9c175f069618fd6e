#include "document/InfoZHG.h"

#include <cmath>
#include <utility>

TInfoZHG::TInfoZHG()
{
    points_.Append(TBPoint());
    point_names_.Append("GENTEN");
}

TVect<TBPoint> TInfoZHG::SetPoints(TVect<TBPoint> points)
{
    points_ = std::move(points);
    return points_;
}

TVect<std::string> TInfoZHG::SetPointNames(TVect<std::string> names)
{
    point_names_ = std::move(names);
    return point_names_;
}

bool TInfoZHG::SetFlag(int bit, bool value)
{
    if (value)
        flags_.SetBit(bit);
    else
        flags_.ClearBit(bit);
    return value;
}

std::string TInfoZHG::SetHeText(std::string text)
{
    he_text_ = std::move(text);
    return he_text_;
}

std::string TInfoZHG::SetHHashText(std::string text)
{
    h_hash_text_ = std::move(text);
    return h_hash_text_;
}

std::string TInfoZHG::SetHSlashText(std::string text)
{
    h_slash_text_ = std::move(text);
    return h_slash_text_;
}

double TInfoZHG::SetScale(double scale)
{
    scale_ = std::isfinite(scale) && scale > 0 ? scale : 1.0;
    return scale_;
}

TInfoZHG::NameMap TInfoZHG::SetNameMap(NameMap map)
{
    name_map_ = std::move(map);
    return name_map_;
}

TInfoZHG& TInfoZHG::Assign(const TInfoZHG& other)
{
    if (this != &other)
        *this = other;
    return *this;
}

TInfoZHG& TInfoZHG::SetInfo(TAngle angle, TBPoint hn_point1, TBPoint hn_point2, double declination,
                            TVect<TBPoint> points, TVect<std::string> point_names, TBitFlg flags, std::string he_text,
                            std::string h_hash_text, int hr_flag, std::string h_slash_text, double scale,
                            int line_index, NameMap name_map)
{
    angle_ = angle;
    hn_point1_ = hn_point1;
    hn_point2_ = hn_point2;
    declination_ = declination;
    points_ = std::move(points);
    point_names_ = std::move(point_names);
    flags_ = flags;
    he_text_ = std::move(he_text);
    h_hash_text_ = std::move(h_hash_text);
    hr_flag_ = hr_flag;
    h_slash_text_ = std::move(h_slash_text);
    scale_ = scale;
    line_index_ = line_index;
    name_map_ = std::move(name_map);
    return *this;
}
