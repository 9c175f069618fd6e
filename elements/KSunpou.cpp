#include "elements/KSunpou.h"

#include "document/RecordFields.h"
#include "document/ZhdData.h"
#include "platform/Stream.h"

#include <boost/make_shared.hpp>

namespace {

bool HasSXFPart(std::uint32_t version)
{
    return version >= 420;
}

std::vector<std::uint8_t> BodyBytes(const TSXFSunpou& part, const TZhdData& document)
{
    TMemoryStream body;
    part.WriteBody(body, document);
    return body.Bytes();
}

} // namespace

TKLine TSXFSunpou::SetLine1(TKLine line)
{
    line1_ = line;
    return line1_;
}

TKLine TSXFSunpou::SetLine2(TKLine line)
{
    line2_ = line;
    return line2_;
}

TKPoint TSXFSunpou::SetPointAt(int index, const TKPoint& point)
{
    points_[index] = point;
    return points_[index];
}

TSXFSunpou& TSXFSunpou::AssignSXFSunpou(const TSXFSunpou& other)
{
    if (this != &other)
        *this = other;
    return *this;
}

TSXFSunpou& TSXFSunpou::SetSXFSunpou(std::int16_t mode, TKLine line1, TKLine line2, TKPoint point1, TKPoint point2,
                                     TKPoint point3, TKPoint point4)
{
    mode_ = mode;
    line1_ = line1;
    line2_ = line2;
    points_[0] = point1;
    points_[1] = point2;
    points_[2] = point3;
    points_[3] = point4;
    return *this;
}

void TSXFSunpou::ReadBody(TStream& stream, const TZhdData& document)
{
    ReadField(stream, mode_);
    line1_.ReadBody(stream, document);
    line2_.ReadBody(stream, document);
    for (TKPoint& point : points_)
        point.ReadBody(stream, document);
}

void TSXFSunpou::WriteBody(TStream& stream, const TZhdData& document) const
{
    WriteField(stream, mode_);
    line1_.WriteBody(stream, document);
    line2_.WriteBody(stream, document);
    for (const TKPoint& point : points_)
        point.WriteBody(stream, document);
}

int TSXFSunpou::GetBodySize(const TZhdData& document) const
{
    int size = static_cast<int>(sizeof mode_) + line1_.GetBodySize(document) + line2_.GetBodySize(document);
    for (const TKPoint& point : points_)
        size += point.GetBodySize(document);
    return size;
}

TKSunpou& TKSunpou::operator=(const TKSunpou& other)
{
    if (this != &other) {
        AssignStatusOnly(other);
        AssignSunpou(other);
    }
    return *this;
}

void TKSunpou::ReadBody(TStream& stream, const TZhdData& document)
{
    GetStatusPtr().Read(stream, document.GetVersion());
    line_.ReadBody(stream, document);
    moji_.ReadBody(stream, document);
    if (HasSXFPart(document.GetVersion()))
        ReadSXF(stream, document);
}

void TKSunpou::WriteBody(TStream& stream, const TZhdData& document) const
{
    GetStatusPtr().Write(stream, document.GetVersion());
    line_.WriteBody(stream, document);
    moji_.WriteBody(stream, document);
    if (HasSXFPart(document.GetVersion()))
        sxf_->WriteBody(stream, document);
}

int TKSunpou::GetBodySize(const TZhdData& document) const
{
    int size = TStatus::GetRecordSize(document.GetVersion()) + line_.GetBodySize(document) +
        moji_.GetBodySize(document);
    if (HasSXFPart(document.GetVersion()))
        size += sxf_->GetBodySize(document);
    return size;
}

const TKSunpou::SXFPtr& TKSunpou::DefaultSXF()
{
    static const SXFPtr default_part = boost::make_shared<const TSXFSunpou>();
    return default_part;
}

// Every version that stores the part lays it out alike, so the default's
// bytes at this document's version tell whether the part read is the default.
void TKSunpou::ReadSXF(TStream& stream, const TZhdData& document)
{
    auto part = boost::make_shared<TSXFSunpou>(*sxf_);
    part->ReadBody(stream, document);
    if (BodyBytes(*part, document) == BodyBytes(*DefaultSXF(), document))
        sxf_ = DefaultSXF();
    else
        sxf_ = part;
}

std::string TKSunpou::GetText(int index) const
{
    return moji_.GetText(index);
}

TKLine TKSunpou::SetLine(TKLine line)
{
    line_ = line;
    return line_;
}

TKMoji TKSunpou::SetMoji(TKMoji moji)
{
    moji_ = moji;
    return moji_;
}

TSXFSunpou TKSunpou::SetSXF(TSXFSunpou sxf)
{
    sxf_ = boost::make_shared<const TSXFSunpou>(sxf);
    return *sxf_;
}

TKSunpou& TKSunpou::AssignSunpou(const TKSunpou& other)
{
    line_ = other.line_;
    moji_ = other.moji_;
    sxf_ = other.sxf_;
    return *this;
}

TKSunpou& TKSunpou::SetSunpou(TKLine line, TKMoji moji, TSXFSunpou sxf)
{
    line_ = line;
    moji_ = moji;
    SetSXF(sxf);
    return *this;
}
