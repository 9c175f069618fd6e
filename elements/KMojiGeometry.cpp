// The geometry of a text: its box and the points on it, the widths its
// characters take, its extent and nearest points, its transformations, and
// which texts stand for a variable.
//
// A text's box is a parallelogram on the base line from the start towards
// the end (the text's angle), raised by the character height; an italic text
// may lean it by the italic slant. The width of a text is measured from its
// bytes, not from a font: a double-byte character takes the character width
// W and a one-byte character half of it, plus the spacing between them. The
// width does not interpret the control codes one by one; it cuts the bytes
// that the size and position codes keep from advancing off the end of the
// text and measures the rest, which is what the stored texts were laid out
// with.

#include "elements/KMoji.h"

#include "core/Finite.h"
#include "core/PlaneGeometry.h"
#include "core/TextUtil.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// The italic slant of a text's box: 71°57′53″ from the base line.
constexpr double italic_slant_packed = 71.5753;
// Up to this many bytes at the start count as the text's head: the dot
// ending never reaches into them.
constexpr long long dot_walk_floor = 4;
constexpr char middle_dot_half_width = '\xA5';
constexpr char middle_dot_lead = '\x81';
constexpr char middle_dot_trail = '\x45';

TAngle SlantOf(bool slanted)
{
    TAngle slant;
    if (slanted)
        slant.SetPackedDMS(italic_slant_packed);
    else
        slant.SetDegrees(90);
    return slant;
}

// What a text's box is made of; the image box replaces the end, the
// height and the slant.
struct BoxFrame {
    TBPoint start;
    TBPoint end;
    double height;
    TAngle angle;
    TAngle slant;
};

TBPoint Midpoint(const TBPoint& a, const TBPoint& b)
{
    return TBPoint((a.GetX() + b.GetX()) * 0.5, (a.GetY() + b.GetY()) * 0.5);
}

// The start and end raised by the character height along the slant: the
// upper corners.
void RaiseEnds(const BoxFrame& box, const TBPoint& start, const TBPoint& end, TBPoint& raised_start,
               TBPoint& raised_end)
{
    const double rise = box.height / std::sin(box.slant.GetRadians());
    const TAngle up = box.angle + box.slant;
    start.PolarOffset(rise, up, raised_start);
    end.PolarOffset(rise, up, raised_end);
}

TBPoint BoxPointOf(const BoxFrame& box, int code, double along, double across)
{
    const TBPoint start(box.start.GetX(), box.start.GetY());
    const TBPoint end(box.end.GetX(), box.end.GetY());
    TBPoint raised_start, raised_end;
    if (code >= 3 && code <= 8)
        RaiseEnds(box, start, end, raised_start, raised_end);
    TBPoint point;
    switch (code) {
    case 1: point = Midpoint(start, end); break;
    case 2: point = end; break;
    case 3: point = Midpoint(start, raised_start); break;
    case 4: point = Midpoint(start, raised_end); break;
    case 5: point = Midpoint(end, raised_end); break;
    case 6: point = raised_start; break;
    case 7: point = Midpoint(raised_start, raised_end); break;
    case 8: point = raised_end; break;
    default: point = start; break;
    }
    if (along == 0 && across == 0)
        return point;
    // The offset is measured along and across the base line.
    const TBPoint moved(point.GetX() + along, point.GetY() + across);
    TBPoint result;
    moved.RotateAbout(point, box.angle, result);
    return result;
}

// A text's own box; with the slant flag an italic text's box leans.
BoxFrame OwnFrame(const TKMoji& text, int slant)
{
    const bool slanted = slant != 0 && (text.GetStart().GetTag() & TKMoji::ItalicStyle) != 0;
    return BoxFrame { text.GetStart(), text.GetEnd(), text.GetCharHeight(), text.GetAngle(), SlantOf(slanted) };
}

// A number at the start of a field, as C's strtod reads it (leading blanks,
// a sign, digits with a decimal point, an exponent), independent of the
// process locale; 0 when the field does not begin with one.
double LeadingNumber(std::string_view field)
{
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    const bool negative = i < field.size() && field[i] == '-';
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        ++i;
    const std::size_t number = i;
    std::size_t digits = 0;
    while (i < field.size() && field[i] >= '0' && field[i] <= '9')
        ++i, ++digits;
    if (i < field.size() && field[i] == '.') {
        ++i;
        while (i < field.size() && field[i] >= '0' && field[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    bool tiny = false;
    if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
        std::size_t j = i + 1;
        tiny = j < field.size() && field[j] == '-';
        if (j < field.size() && (field[j] == '+' || field[j] == '-'))
            ++j;
        const std::size_t exponent = j;
        while (j < field.size() && field[j] >= '0' && field[j] <= '9')
            ++j;
        if (j > exponent)
            i = j;
        else
            tiny = false;
    }
    double value = 0;
    const std::from_chars_result parsed =
        std::from_chars(field.data() + number, field.data() + i, value, std::chars_format::general);
    if (parsed.ec == std::errc::result_out_of_range)
        value = tiny ? 0.0 : HUGE_VAL;
    else if (parsed.ec != std::errc())
        return 0;
    return negative ? -value : value;
}

// Byte kinds of a Shift-JIS text, found by one walk from its start. A lead
// byte without a trail byte (at the very end) is a one-byte character.
enum class ByteKind : unsigned char { Single, Lead, Trail };

std::vector<ByteKind> ByteKindsOf(std::string_view text)
{
    std::vector<ByteKind> kinds(text.size(), ByteKind::Single);
    for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
        if (CharLengthAt(text, i) == 2) {
            kinds[i] = ByteKind::Lead;
            kinds[i + 1] = ByteKind::Trail;
        }
    }
    return kinds;
}

// The width measure of a text, walked with 1-based positions as the stored
// texts count them.
class WidthScan {
public:
    explicit WidthScan(std::string_view text)
        : text_(text)
        , kinds_(ByteKindsOf(text))
        , length_(static_cast<long long>(text.size()))
    {
    }

    long long Length() const { return length_; }
    char At(long long position) const { return text_[position - 1]; }
    bool IsLead(long long position) const { return Kind(position) == ByteKind::Lead; }
    bool IsTrail(long long position) const { return Kind(position) == ByteKind::Trail; }
    bool IsSingle(long long position) const { return Kind(position) == ByteKind::Single; }
    bool IsMiddleDotAt(long long position) const
    {
        return IsLead(position) && At(position) == middle_dot_lead && At(position + 1) == middle_dot_trail;
    }

    // The first `keep` bytes (clamped to the text); a double-byte character
    // the cut falls into becomes "n", one half-width cell.
    std::string Prefix(long long keep) const
    {
        keep = std::clamp(keep, 0LL, length_);
        if (keep > 0 && IsLead(keep))
            return std::string(text_.substr(0, keep - 1)) + "n";
        return std::string(text_.substr(0, keep));
    }
    std::string PlainPrefix(long long keep) const
    {
        return std::string(text_.substr(0, std::clamp(keep, 0LL, length_)));
    }

private:
    ByteKind Kind(long long position) const
    {
        return position >= 1 && position <= length_ ? kinds_[position - 1] : ByteKind::Single;
    }

    std::string_view text_;
    std::vector<ByteKind> kinds_;
    long long length_;
};

// Bytes that the size and position codes keep from advancing: "^u", "^d",
// "^c" take their two bytes (and half of a double-byte character they
// shrink), "^o", "^b", "^B" and "^w" their code and the characters they set
// without advance. Only positions of one-byte characters with at least
// three bytes left are looked at.
long long CodeBytes(const WidthScan& scan)
{
    const long long n = scan.Length();
    long long cut = 0;
    for (long long i = 1; i <= n; ++i) {
        if (!scan.IsSingle(i))
            continue;
        if (n - i + 1 < 3)
            break;
        if (scan.At(i) != '^')
            continue;
        const char code = scan.At(i + 1);
        const bool lead_follows = scan.IsLead(i + 2);
        if (code == 'u' || code == 'd' || code == 'c') {
            cut += lead_follows ? 3 : 2;
        } else if ((code == 'o' || code == 'b' || code == 'B') && i != 1) {
            cut += lead_follows ? 4 : 3;
        } else if (code == 'w' && i != 1 && !lead_follows) {
            cut += 3;
            if (i + 3 <= n && !scan.IsLead(i + 3))
                cut += 1;
        }
    }
    return cut;
}

// Bytes of the middle dots that end the text (0 without them): one
// half-width dot, or a run of full-width dots that stays clear of the
// text's first four bytes.
long long DotBytes(const WidthScan& scan)
{
    const long long n = scan.Length();
    long long dots = 0;
    if (n > 2 && scan.IsSingle(n) && scan.At(n) == middle_dot_half_width)
        dots = 1;
    else if (n > 4 && scan.IsMiddleDotAt(n - 1))
        dots = 2;
    if (dots == 0)
        return 0;
    for (long long j = n - dots; j > dot_walk_floor; --j) {
        if (scan.IsTrail(j))
            continue;
        if (!scan.IsMiddleDotAt(j))
            break;
        dots += 2;
    }
    return dots;
}

} // namespace

double TKMoji::GetCharHeight() const
{
    return IsVertical() ? size_.GetWidth() : size_.GetHeight();
}

double TKMoji::GetCharWidth() const
{
    return IsVertical() ? size_.GetHeight() : size_.GetWidth();
}

bool TKMoji::IsVertical() const
{
    return GetStatusFlg().IsSet(VerticalFlag) != 0;
}

double TKMoji::SumCharWidths(std::string_view text, double width, double spacing)
{
    double sum = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLengthAt(text, i);
        const double share = length == 2 ? 1.0 : 0.5;
        sum += width * share;
        i += length;
        if (i < text.size())
            sum += spacing * share;
    }
    return sum;
}

double TKMoji::GetTextWidth() const
{
    std::string measured_text;
    double measured_width = 0;
    return GetTextWidthEx(measured_text, measured_width);
}

double TKMoji::GetTextWidthEx(std::string& measured_text, double& measured_width) const
{
    const double width = GetCharWidth();
    const double spacing = size_.GetSpacing();
    const WidthScan scan(text_);
    const long long n = scan.Length();

    long long cut = CodeBytes(scan);
    const long long dots = DotBytes(scan);
    // "^k" at the end: the text is compressed into the width of all but its
    // last k bytes, unless that leaves less than two.
    int fit = 0;
    if (n > 2 && scan.IsSingle(n - 1) && scan.At(n - 1) == '^' && scan.At(n) >= '1' && scan.At(n) <= '9') {
        cut += 2;
        fit = scan.At(n) - '0';
        if (n - cut - fit < 2)
            fit = 0;
        else
            cut += fit;
    }

    // So many codes may be cut that nothing is left: the width is then 0.
    const std::string measured = scan.Prefix(n - cut);
    const double full_width = SumCharWidths(measured, width, spacing);
    if (dots > 0)
        measured_text = scan.PlainPrefix(n - cut - dots);
    else if (fit > 0)
        measured_text = scan.Prefix(n - cut + fit);
    else
        measured_text = measured;
    measured_width = dots > 0 || fit > 0 ? SumCharWidths(measured_text, width, spacing) : full_width;
    return full_width;
}

TBPoint TKMoji::GetBoxPoint(int code, double along, double across, int slant) const
{
    return BoxPointOf(OwnFrame(*this, slant), code, along, across);
}

std::array<TBPoint, 4> TKMoji::GetFrameCorners(int slant) const
{
    const BoxFrame box = OwnFrame(*this, slant);
    const TBPoint start(box.start.GetX(), box.start.GetY());
    const TBPoint end(box.end.GetX(), box.end.GetY());
    TBPoint raised_start, raised_end;
    RaiseEnds(box, start, end, raised_start, raised_end);
    return { start, end, raised_end, raised_start };
}

namespace {

// The box of a text, or of the image it places: "file,width[,height]" in
// millimetres, a width alone making a square.
BoxFrame FrameWithImage(const TKMoji& text, int slant)
{
    double width = text.GetTextWidth();
    double height = text.GetCharHeight();
    const bool image = text.HasImageSpec();
    TKMoji::TImageReference reference;
    if (image && text.GetImageReference(reference)) {
        width = reference.width;
        height = reference.height;
    }
    const bool slanted = !image && slant != 0 && (text.GetStart().GetTag() & TKMoji::ItalicStyle) != 0;
    TBPoint end;
    text.GetStart().PolarOffset(width, text.GetAngle(), end);
    return BoxFrame { text.GetStart(), end, height, text.GetAngle(), SlantOf(slanted) };
}

} // namespace

bool TKMoji::GetImageReference(TImageReference& reference) const
{
    const std::string image = GetText(ImageSpecText);
    StringList fields;
    SplitText(image, fields, ",");
    if (image.empty() || fields.size() < 2)
        return false;
    reference.file = fields[0];
    reference.width = reference.height = LeadingNumber(fields[1]);
    if (fields.size() >= 3)
        reference.height = LeadingNumber(fields[2]);
    return true;
}

TBPoint TKMoji::GetBoxPointWithImage(int code, double along, double across, int slant) const
{
    return BoxPointOf(FrameWithImage(*this, slant), code, along, across);
}

TBPoint TKMoji::BasePointFromAnchor(TBPoint anchor, int code, double along, double across, int slant) const
{
    const double width = GetTextWidth();
    const double height = GetCharHeight();
    double lean = 0;
    if (code >= 3 && code <= 8 && slant != 0 && (start_.GetTag() & ItalicStyle) != 0)
        lean = height / std::tan(SlantOf(true).GetRadians());
    // The code's point, measured from the start along and across the base.
    double a = 0, b = 0;
    switch (code) {
    case 1: a = width / 2; break;
    case 2: a = width; break;
    case 3: a = lean / 2, b = height / 2; break;
    case 4: a = lean / 2 + width / 2, b = height / 2; break;
    case 5: a = lean / 2 + width, b = height / 2; break;
    case 6: a = lean, b = height; break;
    case 7: a = lean + width / 2, b = height; break;
    case 8: a = lean + width, b = height; break;
    default: break;
    }
    TBPoint offset;
    RotatePoint(TBPoint(along - a, across - b), angle_, offset);
    return TBPoint(anchor.GetX() + offset.GetX(), anchor.GetY() + offset.GetY());
}

TBPoint TKMoji::GetKeyPoint(int index) const
{
    return GetBoxPoint(index, 0, 0, 0);
}

TShapeInfo TKMoji::GetShapeInfo(const TBPoint&) const
{
    TShapeInfo info;
    info.Values.push_back(GetTextWidth());
    info.Values.push_back(GetCharHeight());
    info.Angles.push_back(angle_);
    return info;
}

void TKMoji::GetExtent(TBPoint& min, TBPoint& max, const TZhdData&, int) const
{
    // One frame for the three corners: measuring the text is the dear part,
    // and the list drawing asks every text for its extent.
    const BoxFrame frame = FrameWithImage(*this, 0);
    const TBPoint corners[] = { start_, BoxPointOf(frame, 2, 0, 0), BoxPointOf(frame, 6, 0, 0),
                                BoxPointOf(frame, 8, 0, 0) };
    double min_x = corners[0].GetX(), min_y = corners[0].GetY();
    double max_x = min_x, max_y = min_y;
    for (const TBPoint& corner : corners) {
        min_x = std::min(min_x, corner.GetX());
        min_y = std::min(min_y, corner.GetY());
        max_x = std::max(max_x, corner.GetX());
        max_y = std::max(max_y, corner.GetY());
    }
    min.SetXY(min_x, min_y);
    max.SetXY(max_x, max_y);
}

int TKMoji::NearestPoint(const TBPoint& query, const TZhdData&, TBPoint& point, double& distance) const
{
    distance = 0;
    const TBPoint outline[] = { start_, end_, GetBoxPoint(8, 0, 0, 0), GetBoxPoint(6, 0, 0, 0) };
    constexpr int corners = 4;
    double best = 1e308;
    bool found = false;
    for (int i = 0; i < corners; ++i) {
        const TBPoint& from = outline[i];
        const TBPoint& to = outline[(i + 1) % corners];
        if (!AllFinite({ from.GetX(), from.GetY(), to.GetX(), to.GetY(), query.GetX(), query.GetY() }))
            continue;
        if (from.DistanceTo(to) < SegmentTolerance)
            continue;
        TBPoint foot;
        double along = 0, offset = 0;
        from.PerpendicularFootEx(to, query, foot, along, offset);
        if (std::fabs(offset) < best) {
            best = std::fabs(offset);
            point.SetXY(foot.GetX(), foot.GetY());
            distance = offset;
            found = true;
        }
    }
    return found ? 1 : 0;
}

int TKMoji::NearestEndPoint(const TBPoint& query, const TZhdData&, TBPoint& point, double& distance) const
{
    TBPoint best = GetBoxPoint(0, 0, 0, 1);
    double best_distance = query.DistanceTo(best);
    const auto consider = [&](const TBPoint& candidate) {
        const double to_candidate = query.DistanceTo(candidate);
        if (to_candidate < best_distance) {
            best = candidate;
            best_distance = to_candidate;
        }
    };
    for (int code = 1; code <= 8; ++code)
        consider(GetBoxPoint(code, 0, 0, 1));
    if (HasImageSpec()) {
        for (int code = 1; code <= 8; ++code)
            consider(GetBoxPointWithImage(code, 0, 0, 1));
    }
    point.SetXY(best.GetX(), best.GetY());
    distance = best_distance;
    return 1;
}

int TKMoji::CrossPoints(const TZhdElemPtr&, const TZhdData&, std::vector<TBPoint>&) const
{
    return 0;
}

void TKMoji::MoveBy(TBPoint offset, const TZhdData&)
{
    start_ += offset;
    end_ += offset;
}

void TKMoji::Rotate(TAngle angle, const TZhdData&)
{
    angle_ += angle;
    const TBPoint origin;
    start_.RotateAbout(origin, angle, start_);
    end_.RotateAbout(origin, angle, end_);
}

void TKMoji::Scale(double sx, double sy, const TZhdData&)
{
    const TBPoint centre = GetBoxPoint(4, 0, 0, 0);
    // A mirrored text stays readable: its sizes take the factors'
    // magnitudes, and its direction is turned upright below.
    size_.SetWidth(size_.GetWidth() * std::fabs(sx));
    size_.SetSpacing(size_.GetSpacing() * std::fabs(sx));
    size_.SetHeight(size_.GetHeight() * std::fabs(sy));
    const TBPoint scaled_start(start_.GetX() * sx, start_.GetY() * sy);
    const TBPoint scaled_end(end_.GetX() * sx, end_.GetY() * sy);
    const TBPoint scaled_centre(centre.GetX() * sx, centre.GetY() * sy);
    angle_ = scaled_start.DirectionTo(scaled_end).UprightCopy();
    const TBPoint start = BasePointFromAnchor(scaled_centre, 4, 0, 0, 0);
    start_.SetXY(start.GetX(), start.GetY());
    start_.PolarOffset(GetTextWidth(), angle_, end_);
}

int TKMoji::ClassifySpecialText() const
{
    const std::size_t length = text_.size();
    if (length < 2 || std::string_view("$&%=_").find(text_[0]) == std::string_view::npos)
        return 0;
    const char second = text_[1];
    if (length == 2 && std::string_view("yYmdHhnNMSFfTw").find(second) != std::string_view::npos)
        return 1;
    if (length == 3) {
        const char third = text_[2];
        if (third == 'a') {
            if (second == 'm' || second == 'w' || second == 'f')
                return 1;
        } else {
            const std::string_view pair = std::string_view(text_).substr(1, 2);
            for (std::string_view variable : { "mm", "m1", "m2", "SS", "SP", "ss", "sp" }) {
                if (pair == variable)
                    return 1;
            }
            if (second == 'f' && ((third >= '1' && third <= '9') || (third >= 'a' && third <= 'f')))
                return 1;
        }
    }
    if (length > 2 && text_.starts_with("%%"))
        return 2;
    return 0;
}
