#include "tests/document/DrawingFixture.h"

#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"
#include "platform/ShiftJis.h"
#include "platform/Stream.h"

#include <boost/make_shared.hpp>

namespace {

void SetAttributes(TZhdElem& elem, int group, int layer, std::uint16_t color)
{
    elem.SetGLayer(static_cast<std::uint16_t>(group));
    elem.SetLayer(static_cast<std::uint16_t>(layer));
    elem.SetPenColor(color);
    elem.SetPenWidth(static_cast<std::uint16_t>(color + 1));
    elem.SetPlGroup(static_cast<std::uint32_t>(group * 100 + layer));
    elem.SetStatusFlg(TBitFlg(0x1000u + color));
}

boost::shared_ptr<TKLine> Line(double x, int group, int layer)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(x, 1.0), TBPoint(x + 10.0, -2.5));
    SetAttributes(*line, group, layer, 2);
    return line;
}

boost::shared_ptr<TKMoji> Text(const std::string& characters)
{
    auto text = boost::make_shared<TKMoji>();
    TBPoint start(5.0, 6.0, 1);
    text->SetMoji(start, TBPoint(25.0, 6.0), TZhdaMoji(2.0, 3.0, 0.25, 1), 4, TAngle(), sj(u8"ＭＳ 明朝"), characters);
    TAngle angle;
    angle.SetDegrees(15.0);
    text->SetAngle(angle);
    SetAttributes(*text, 1, 3, 4);
    return text;
}

boost::shared_ptr<TKBlock> Reference(int number, std::uint8_t pen_style)
{
    auto block = boost::make_shared<TKBlock>();
    block->SetBlock(TBPoint(100.0, 50.0), 2.0, 0.0, TAngle(0.5), number);
    SetAttributes(*block, 2, 5, 7);
    block->SetPenStyle(pen_style);
    return block;
}

void AddSample(TZhdElemList& list)
{
    list.Append(Line(0.0, 0, 0));

    auto circle = boost::make_shared<TKCircle>(TBPoint(3.0, 4.0), 5.0, TAngle(0.25), TAngle(1.5), TAngle(0.125), 0.5, 0);
    SetAttributes(*circle, 1, 2, 3);
    list.Append(circle);

    auto point = boost::make_shared<TKPoint>();
    point->SetPoint(TBPoint(-1.0, -2.0), 0, 0, TAngle(), 0.0);
    SetAttributes(*point, 15, 15, 5);
    list.Append(point);

    auto marker = boost::make_shared<TKPoint>();
    marker->SetPoint(TBPoint(7.0, 8.0), 1, -7, TAngle(0.75), 1.5);
    SetAttributes(*marker, 3, 1, 6);
    marker->SetPenStyle(TKPoint::MarkerPenStyle);
    list.Append(marker);

    list.Append(Text(sj(u8"見出しABC")));

    auto solid = boost::make_shared<TKSolid>();
    solid->SetSolid(TBPoint(0.0, 0.0), TBPoint(4.0, 0.0), TBPoint(4.0, 3.0), TBPoint(0.0, 3.0), 0x00336699);
    SetAttributes(*solid, 4, 4, TKSolid::OwnColorPen);
    list.Append(solid);

    auto plain_solid = boost::make_shared<TKSolid>();
    plain_solid->SetSolid(TBPoint(1.0, 1.0), TBPoint(2.0, 1.0), TBPoint(2.0, 2.0), TBPoint(2.0, 2.0), 0);
    SetAttributes(*plain_solid, 4, 5, 8);
    list.Append(plain_solid);

    auto dimension = boost::make_shared<TKSunpou>();
    TSXFSunpou sxf;
    sxf.SetMode(1);
    sxf.SetLine1(*Line(30.0, 0, 1));
    TKPoint end_point;
    end_point.SetPenStyle(TKPoint::MarkerPenStyle);
    end_point.SetMarkerCode(1);
    sxf.SetPoint2(end_point);
    dimension->SetSunpou(*Line(20.0, 0, 2), *Text("1000"), sxf);
    SetAttributes(*dimension, 5, 6, 2);
    list.Append(dimension);

    list.Append(Reference(21, 1));
    list.Append(Reference(20, 2));
}

TKBlockDefine Definition(std::uint32_t number, const std::string& name)
{
    TKBlockDefine define;
    define.SetNumber(number);
    define.SetName(name);
    define.SetStoredValue1(number * 3);
    define.SetStoredValue2(0xFFFFFFFF - number);
    define.SetStatus(TStatus(9, 2, 3, 4, 5, 6, 0x8000));
    return define;
}

} // namespace

TZhdData SampleDrawing(std::uint32_t version)
{
    TZhdData document;
    document.SetVersion(version);
    document.GetHeadPtr().SetMemo("sample drawing");
    AddSample(document.GetElemListPtr());

    TKBlockDefine door = Definition(20, "door");
    TZhdElemList door_contents;
    door_contents.Append(Line(0.0, 1, 2));
    door_contents.Append(Text("D"));
    door.SetElemList(door_contents);
    document.AppendBlockDefine(door);

    TKBlockDefine frame = Definition(21, sj(u8"枠@@SfigorgFlag@@2"));
    TZhdElemList frame_contents;
    frame_contents.Append(Line(5.0, 3, 3));
    frame_contents.Append(Reference(20, 2));
    frame.SetElemList(frame_contents);
    document.AppendBlockDefine(frame);
    return document;
}

std::string SavedBytes(TZhdData& document)
{
    TMemoryStream stream;
    document.SaveToStream(stream);
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

TLoadStatus LoadBytes(TZhdData& document, const std::string& bytes)
{
    TMemoryStream stream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    return document.LoadFromStream(stream).status;
}

std::vector<std::string> BodiesOf(const TZhdElemList& list, const TZhdData& document)
{
    std::vector<std::string> bodies;
    for (auto it = list.Begin(); it != list.End(); ++it) {
        TMemoryStream body;
        (*it)->WriteBody(body, document);
        bodies.push_back((*it)->GetArchiveClassName() + ":" +
                         std::string(body.Bytes().begin(), body.Bytes().end()));
    }
    return bodies;
}

std::vector<std::string> DefinitionsOf(const TZhdData& document)
{
    std::vector<std::string> definitions;
    const auto& defines = document.GetBlockDefinesPtr();
    for (auto define = defines.Begin(); define != defines.End(); ++define) {
        TMemoryStream status;
        define->GetStatus().Write(status, document.GetVersion());
        std::string text = std::to_string(define->GetNumber()) + "/" + std::to_string(define->GetStoredValue1()) +
            "/" + std::to_string(define->GetStoredValue2()) + "/" + define->GetName() + "/" +
            std::string(status.Bytes().begin(), status.Bytes().end());
        for (const std::string& body : BodiesOf(define->GetElemListRef(), document))
            text += "|" + body;
        definitions.push_back(text);
    }
    return definitions;
}

TZhdElemList Lettered(const std::string& letters)
{
    TZhdElemList list;
    for (char letter : letters) {
        auto line = boost::make_shared<TKLine>();
        line->SetNumber(letter);
        list.Append(line);
    }
    return list;
}

std::string Letters(const TZhdElemList& list)
{
    std::string letters;
    for (auto it = list.Begin(); it != list.End(); ++it)
        letters += static_cast<char>((*it)->GetNumber());
    return letters;
}
