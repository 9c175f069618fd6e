// The header of the external-command text form: the lines up to and
// including the first line that begins with "#". They name the drawing file,
// give the direction angle, the group scales, the ten text kinds, two
// reference points, named points and the sun-shadow conditions; every other
// line is an attribute directive that sets the state the element lines start
// in.
//
// Each line is matched by its prefix, compared exactly (the blank included
// where a prefix has one). A line shorter than its full form reads its
// missing numbers as 0. The reader and the writer agree on every line except
// "by" (written, not read), the state's point colour (never written; the
// reader sets it to 0 at "#") and the "hd" mark before the header (ignored).

#include "core/LayerState.h"
#include "document/InfoZHG.h"
#include "document/StatusZHG.h"
#include "document/TextForm.h"
#include "document/ZhdHead.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr int first_text_kind = 1;
constexpr int last_text_kind = 10;

double NumberField(const StringList& fields, std::size_t index)
{
    return index < fields.size() ? TextToFloat(fields[index]) : 0.0;
}

int IntegerField(const StringList& fields, std::size_t index)
{
    return index < fields.size() ? StrToInt(fields[index]) : 0;
}

TBPoint PointOf(double x, double y)
{
    return TBPoint(x, y);
}

// One column of the text-kind table, "hcw" to "hcc".
enum class TTextKindColumn { Width, Height, Spacing, Color };

// The i-th value after the prefix goes to kind i; values past the tenth all
// land on kind 10, so the last one wins. Kind 0 is never touched.
void ReadTextKindColumn(TZhdHead& head, const StringList& fields, TTextKindColumn column)
{
    TVect<TZhdaMoji> kinds = head.GetTextKinds();
    for (std::size_t i = 1; i < fields.size(); ++i) {
        const int kind = static_cast<int>(std::min<std::size_t>(i, last_text_kind));
        TZhdaMoji entry = kinds.Get(kind);
        switch (column) {
        case TTextKindColumn::Width: entry.SetWidth(TextToFloat(fields[i])); break;
        case TTextKindColumn::Height: entry.SetHeight(TextToFloat(fields[i])); break;
        case TTextKindColumn::Spacing: entry.SetSpacing(TextToFloat(fields[i])); break;
        case TTextKindColumn::Color: entry.SetColor(StrToInt(fields[i])); break;
        }
        kinds.Set(kind, entry);
    }
    head.SetTextKinds(kinds);
}

std::string Number(double value)
{
    return FloatToStrGeneral(value);
}

void ReadHeaderLine(TZhdHead& head, const std::string& line, const StringList& fields, TStatusZHG& state,
                    TInfoZHG& info, TVect<TBPoint>& points, TVect<std::string>& names)
{
    if (line.starts_with("file=")) {
        head.SetFileName(SubStringFrom1(line, 6));
    } else if (line.starts_with("hk ")) {
        TAngle angle;
        angle.SetRadians(TAngle::DegToRad(NumberField(fields, 1)));
        info.SetAngle(angle);
    } else if (line.starts_with("hs ")) {
        for (std::size_t i = 1; i < fields.size(); ++i)
            head.SetGroupScale(static_cast<int>((i - 1) % TZhdHead::GroupCount), TextToFloat(fields[i]));
    } else if (line.starts_with("hcw ")) {
        ReadTextKindColumn(head, fields, TTextKindColumn::Width);
    } else if (line.starts_with("hch ")) {
        ReadTextKindColumn(head, fields, TTextKindColumn::Height);
    } else if (line.starts_with("hcd ")) {
        ReadTextKindColumn(head, fields, TTextKindColumn::Spacing);
    } else if (line.starts_with("hcc ")) {
        ReadTextKindColumn(head, fields, TTextKindColumn::Color);
    } else if (line.starts_with("hn ")) {
        info.SetHnPoint1(PointOf(NumberField(fields, 1), NumberField(fields, 2)));
        info.SetHnPoint2(PointOf(NumberField(fields, 3), NumberField(fields, 4)));
    } else if (line.starts_with("hzk ")) {
        const int measure_9_to_15 = IntegerField(fields, 4);
        head.SetLatitude(NumberField(fields, 1));
        info.SetDeclination(NumberField(fields, 2));
        head.SetShadowSurfaceHeight(NumberField(fields, 3));
        head.SetShadow9To15(measure_9_to_15);
    } else if (line.starts_with("hp")) {
        // The name is the whole first field, "hp" included.
        names.Append(fields[0]);
        points.Append(PointOf(NumberField(fields, 1), NumberField(fields, 2)));
    } else {
        head.ParseAttributeDirective(line, state);
    }
}

} // namespace

void TZhdHead::ReadZhcHeader(TStatusZHG& state, TInfoZHG& info, const StringList& lines)
{
    TVect<TBPoint> points = info.GetPoints();
    TVect<std::string> names = info.GetPointNames();
    StringList fields;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.starts_with("#")) {
            // The state leaves the header without a point colour.
            state.SetTenColor(0);
            SetFreeTextKind(state.GetMoji());
            SetWriteTextKind(static_cast<int>(state.GetMojiShu()));
            info.SetHeaderLineCount(static_cast<int>(i + 1));
            break;
        }
        try {
            SplitAtBlanks(line, fields);
            ReadHeaderLine(*this, line, fields, state, info, points, names);
        } catch (const ConvertError& error) {
            throw TLineConvertError(static_cast<int>(i), error.what());
        }
    }
    info.SetPoints(points);
    info.SetPointNames(names);

    // The state's group and layer become the write target; the header's write
    // group itself stays.
    MakeWriteTarget(state.GetGLayer(), state.GetLayer());
}

void TZhdHead::WriteZhcHeader(const TStatusZHG& state, const TInfoZHG& info, StringList& lines) const
{
    if (info.GetScale() != 1.0)
        lines.push_back(ConcatText("by ", Number(info.GetScale())));
    if (!file_name_.empty())
        lines.push_back(ConcatText("file=", file_name_));
    lines.push_back(ConcatText("hk ", Number(info.GetAngle().GetDegrees())));

    std::string scales = "hs";
    for (int g = 0; g < GroupCount; ++g)
        AppendNumbers(scales, { GetGroupScale(g) });
    lines.push_back(scales);

    std::string widths = "hcw";
    std::string heights = "hch";
    std::string spacings = "hcd";
    std::string colors = "hcc";
    for (int kind = first_text_kind; kind <= last_text_kind; ++kind) {
        const TZhdaMoji entry = text_kinds_.Get(kind);
        AppendNumbers(widths, { entry.GetWidth() });
        AppendNumbers(heights, { entry.GetHeight() });
        AppendNumbers(spacings, { entry.GetSpacing() });
        colors += ConcatText("      ", std::to_string(entry.GetColor()));
    }
    lines.push_back(widths);
    lines.push_back(heights);
    lines.push_back(spacings);
    lines.push_back(colors);

    const TBPoint hn1 = info.GetHnPoint1();
    const TBPoint hn2 = info.GetHnPoint2();
    std::string reference_points = "hn";
    AppendNumbers(reference_points, { hn1.GetX(), hn1.GetY(), hn2.GetX(), hn2.GetY() });
    lines.push_back(reference_points);

    // The origin, the first named point, is implied.
    const TVect<TBPoint> points = info.GetPoints();
    const TVect<std::string> names = info.GetPointNames();
    for (int i = 1; i < std::min(points.Count(), names.Count()); ++i) {
        const TBPoint point = points.Get(i);
        std::string line = names.Get(i);
        AppendNumbers(line, { point.GetX(), point.GetY() });
        lines.push_back(line);
    }

    // The measurement flag goes through the real format, as a whole number.
    std::string sun = "hzk";
    AppendNumbers(sun, { GetLatitude(), info.GetDeclination(), GetShadowSurfaceHeight(),
                         static_cast<double>(GetShadow9To15()) });
    lines.push_back(sun);

    for (const char* key : { "lg", "ly", "lc", "lt", "lw", "cn", "cn$" })
        lines.push_back(FormatAttributeDirective(key, state));
    lines.push_back("#");
}

void TZhdHead::MakeWriteTarget(int g, int l)
{
    if (!IsGroupAndLayer(g, l))
        return;
    TZhdGrp group = GetGroup(g);
    group.SetState(LayerWriteTarget);
    group.SetWriteLayer(l);
    TZhdLay layer = group.GetLayer(l);
    layer.SetState(LayerWriteTarget);
    group.SetLayer(l, std::move(layer));
    SetGroup(g, std::move(group));
}
