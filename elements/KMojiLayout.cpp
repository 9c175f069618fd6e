// Control codes and the layout of a text into pieces.
//
// A text carries its formatting inside its characters: a caret "^" and one
// more byte change the style, font or pen colour of what follows, set the
// next character smaller, raised, overlaid or drawn back over the previous
// one, or insert blank cells; an ending of middle dots spreads the text and
// an ending of a caret and a digit compresses it. StripControlCodes removes
// the codes and gives what is displayed; LayoutPieces walks the text once
// and places one piece (itself a text element) per displayed character.
//
// The walk keeps two positions: P, the byte it stands on, and C, how many
// bytes of the code-free text it has accounted for. It stops when C passes
// the length of the code-free text, so the codes removed at the end (the
// spreading dots, the compressing digit, "^m") are never laid out, and at
// the end of the text whatever C says. Every branch consumes at least one
// byte and appends no more pieces than bytes it consumed, so a text of n
// bytes gives at most n pieces in at most n steps, whatever its sizes.
//
// Vertical writing sets characters upright down the column, lays brackets
// and dashes along it, raises punctuation to the upper corner of its cell,
// and sets a run of half-width characters across the column as one
// horizontal text in a single cell (one level of recursion: that text is
// horizontal).
//
// Decisions where the stored texts do not say:
// - A caret before a double-byte character is a half-width character of
//   its own, and the double-byte character follows whole.
// - "^b", "^B", "^o" and "^w" before any piece is laid out have nothing to
//   draw back over or centre on: the caret is laid out as a character, as at
//   the text's first byte.
// - A half-width run in vertical writing that holds codes moves P over its
//   bytes and C over its code-free bytes; its pieces carry the running
//   style.
// - A caret and a digit inside the text give exactly its two blank cells.
// - A text that measures 0 wide is not compressed, and a spread part
//   without a gap keeps its spacing.

#include "elements/KMoji.h"

#include "core/Constants.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr double back_space_share = 0.65;       // "^b"
constexpr double wide_back_space_share = 0.77;  // "^B"
// Raised punctuation sits this far into its cell, along and across.
constexpr double raised_share = 0.75;
// Below this difference two widths count as equal.
constexpr double width_tolerance = 1e-6;
constexpr char half_width_middle_dot = '\xA5';

bool IsDigit1To9(char c)
{
    return c >= '1' && c <= '9';
}

// A set of characters written in UTF-8, held in Shift-JIS: converted once,
// since the layout asks for every character of every text it draws.
class TCharacterSet {
public:
    TCharacterSet(std::initializer_list<const char8_t*> table)
    {
        for (const char8_t* entry : table)
            characters_.push_back(sj(entry));
    }

    bool Contains(std::string_view characters) const
    {
        return std::find(characters_.begin(), characters_.end(), characters) != characters_.end();
    }

private:
    std::vector<std::string> characters_;
};

// Characters that vertical writing lays along the column instead of upright.
bool IsRotatedInColumn(std::string_view characters)
{
    static const TCharacterSet rotated { u8" ",  u8"(",  u8")",  u8"<",  u8">",  u8"{",  u8"}",  u8"｢",  u8"｣",
                                         u8"（", u8"）", u8"〔", u8"〕", u8"［", u8"］", u8"｛", u8"｝", u8"〈",
                                         u8"〉", u8"《", u8"》", u8"「", u8"」", u8"『", u8"』", u8"【", u8"】",
                                         u8"→", u8"←", u8"↑", u8"↓", u8"～", u8"－", u8"ー" };
    return rotated.Contains(characters);
}

// Punctuation that vertical writing moves to the upper corner of its cell.
bool IsRaisedInColumn(std::string_view characters)
{
    static const TCharacterSet raised { u8"，", u8"．", u8"､", u8"｡", u8"、", u8"。" };
    return raised.Contains(characters);
}

// The code at byte i of the text being stripped: the number of bytes to
// remove there (0 for none); "^*" and "^^" switch the literal flag.
std::size_t CodeLengthAt(const std::string& text, std::size_t i, bool& literal, bool whole_text_is_code)
{
    if (text[i] != '^')
        return 0;
    const char code = text[i + 1];
    if (code == '*' && !literal) {
        literal = true;
        return 2;
    }
    if (code == '^' && literal) {
        literal = false;
        return 2;
    }
    if (literal)
        return 0;
    switch (code) {
    case 'u':
    case 'd':
    case 'c': return whole_text_is_code ? 0 : 2;
    case 'o':
    case 'b':
    case 'B': return i == 0 ? 0 : 2;
    case 'w': return i == 0 || (i + 2 < text.size() && IsLeadByte(text[i + 2])) ? 0 : 2;
    case '!':
    case '/':
    case '#':
    case '_':
    case '-':
    case '%':
    case '\\':
    case '&': return 2;
    case '$': return i + 2 < text.size() && IsDigit1To9(text[i + 2]) ? 3 : 0;
    default: return 0;
    }
}

// Half-width gaps between the characters of a text: 2 after a double-byte
// character, 1 after a one-byte character, none after the last.
int GapUnits(std::string_view text)
{
    int units = 0;
    for (std::size_t i = 0; i + 1 < text.size();) {
        if (CharLengthAt(text, i) == 2) {
            if (i + 2 < text.size())
                units += 2;
            i += 2;
        } else {
            units += 1;
            i += 1;
        }
    }
    return units;
}

// The state of one layout: the template piece, the running positions and
// the advances, walked over the text with 1-based byte positions.
class LayoutWalk {
public:
    explicit LayoutWalk(const TKMoji& text);
    std::vector<TKMoji> Run();

private:
    char At(long long position) const { return text_[position - 1]; }
    bool IsDoubleByteAt(long long position) const { return position < length_ && IsLeadByte(At(position)); }
    std::string BytesAt(long long position, long long count) const
    {
        return text_.substr(position - 1, count);
    }

    void Step();
    void Caret();
    void CaretAsCharacter();
    void SizeCode(char code);
    void BackSpace(char code);
    void Overlay();
    void Pair();
    void Blanks();
    void Place();
    void HalfWidthGroup();

    void FullAdvance();
    void HalfAdvance();
    // The character at P, whole: two bytes (P moves onto the trail byte) or
    // one.
    void TakeCharacter();
    TZhdaMoji HalfSize() const;
    // A computed point: from + distance along the text, with tag 0 (no
    // style).
    TBPoint Along(const TBPoint& from, double distance) const;
    // The target's place := from + distance along the text; its tag stays.
    void MoveAlong(TBPoint& target, const TBPoint& from, double distance) const
    {
        from.PolarOffset(distance, angle_, target);
    }
    // The piece from `start` with the current advance.
    void AppendFrom(const TBPoint& start);
    void Append() { pieces_.push_back(piece_); }

    const TKMoji& text_element_;
    const std::string& text_;
    long long length_;
    TKMoji piece_;
    TBPoint running_;
    TBPoint cell_end_;
    TAngle angle_;
    bool vertical_;
    double full_advance_ = 0;
    double full_spacing_ = 0;
    double advance_ = 0;
    double spacing_ = 0;
    TZhdaMoji piece_size_;
    long long displayed_ = 0;
    long long position_ = 1;
    long long count_ = 1;
    bool literal_ = false;
    std::vector<TKMoji> pieces_;
};

LayoutWalk::LayoutWalk(const TKMoji& text)
    : text_element_(text)
    , text_(text.GetTextStringPtr())
    , length_(static_cast<long long>(text.GetTextStringPtr().size()))
    , piece_(text.GetStart(), text.GetEnd(), text.GetSize(), text.GetKind(), text.GetAngle(), text.GetFontName(),
             text.GetTextString())
    , running_(text.GetStart())
    , cell_end_(text.GetStart())
    , angle_(text.GetAngle())
    , vertical_(text.IsVertical())
{
    piece_.SetStatus(text.GetStatus());

    std::string measured_text;
    double measured_width = 0;
    const double full_width = text.GetTextWidthEx(measured_text, measured_width);
    full_advance_ = text.GetCharWidth();
    full_spacing_ = text.GetSize().GetSpacing();
    if (full_width - measured_width < width_tolerance && measured_width != 0) {
        // Compressed into the width without the ending (or unchanged).
        const double ratio = full_width / measured_width;
        if (std::isfinite(ratio)) {
            full_advance_ *= ratio;
            full_spacing_ *= ratio;
        }
    }
    if (full_width - measured_width > width_tolerance) {
        // Spread: the spacing at which the part before the dots is exactly
        // as wide as the whole text.
        const int gaps = GapUnits(measured_text);
        if (gaps > 0) {
            const double characters = static_cast<double>(measured_text.size()) * full_advance_ * 0.5;
            full_spacing_ = (full_width - characters) / gaps * 2;
        }
    }

    piece_size_ = text.GetSize();
    piece_size_.SetSpacing(full_spacing_);
    if (vertical_) {
        piece_.SetAngle(angle_ + TAngle(Pi / 2));
        TBitFlg flags = text.GetStatusFlg();
        flags.ClearBit(TKMoji::VerticalFlag);
        piece_.SetStatusFlg(flags);
        piece_size_.SetHeight(full_advance_);
    } else {
        piece_size_.SetWidth(full_advance_);
    }
    std::string displayed;
    text.StripOwnControlCodes(displayed);
    displayed_ = static_cast<long long>(displayed.size());
}

std::vector<TKMoji> LayoutWalk::Run()
{
    while (count_ <= displayed_ && position_ <= length_) {
        piece_.SetSize(piece_size_);
        Step();
        ++count_;
        ++position_;
    }
    return std::move(pieces_);
}

void LayoutWalk::Step()
{
    if (IsDoubleByteAt(position_)) {
        FullAdvance();
        TakeCharacter();
        Place();
        return;
    }
    if (At(position_) == '^' && length_ - position_ > 1) {
        Caret();
        return;
    }
    HalfAdvance();
    piece_.SetTextString(BytesAt(position_, 1));
    Place();
}

void LayoutWalk::Caret()
{
    const char code = At(position_ + 1);
    if (code == '*' && !literal_) {
        literal_ = true;
        --count_, ++position_;
        return;
    }
    if (code == '^' && literal_) {
        literal_ = false;
        --count_, ++position_;
        return;
    }
    if (literal_) {
        CaretAsCharacter();
        return;
    }
    int style = running_.GetTag();
    switch (code) {
    case 'u':
    case 'd':
    case 'c': SizeCode(code); return;
    case '!':
    case '/':
    case '_':
    case '-':
    case '#':
        if (code == '!')
            style |= TKMoji::BoldStyle;
        else if (code == '/')
            style |= TKMoji::ItalicStyle;
        else if (code == '_')
            style |= TKMoji::UnderlineStyle;
        else if (code == '-')
            style |= TKMoji::StrikeOutStyle;
        else {
            style = 0;
            piece_.SetFontName(text_element_.GetFontName());
        }
        running_.SetTag(style);
        --count_, ++position_;
        return;
    case '\\':
        static const std::string gothic = sj(u8"ＭＳ ゴシック");
        piece_.SetFontName(gothic);
        --count_, ++position_;
        return;
    case '&':
        piece_.SetFontName(text_element_.GetFontName());
        --count_, ++position_;
        return;
    case '%':
        // Back to the text's own attributes; for vertical writing this
        // brings its flag back onto the following pieces too.
        piece_.SetStatus(text_element_.GetStatus());
        running_.SetTag(text_element_.GetStart().GetTag());
        piece_.SetFontName(text_element_.GetFontName());
        --count_, ++position_;
        return;
    default: break;
    }
    if (code == '$' && IsDigit1To9(At(position_ + 2))) {
        piece_.SetPenColor(static_cast<std::uint16_t>(At(position_ + 2) - '0'));
        --count_, position_ += 2;
        return;
    }
    // From here on the code acts on the character after it; at the first
    // byte, and for a code that needs a piece before it when there is none,
    // the caret is an ordinary character.
    if (position_ == 1) {
        CaretAsCharacter();
        return;
    }
    const bool after_piece = !pieces_.empty();
    if ((code == 'b' || code == 'B') && after_piece)
        BackSpace(code);
    else if (code == 'o' && after_piece)
        Overlay();
    else if (code == 'w' && after_piece && !IsLeadByte(At(position_ + 2)))
        Pair();
    else if (IsDigit1To9(code))
        Blanks();
    else
        CaretAsCharacter();
}

void LayoutWalk::CaretAsCharacter()
{
    HalfAdvance();
    piece_.SetTextString("^");
    Place();
}

// "^u", "^d", "^c": the next character at half height (and half width when
// it is double-byte) on its own base line, raised to the top of the line or
// by half its height.
void LayoutWalk::SizeCode(char code)
{
    position_ += 2;
    TZhdaMoji size = piece_size_;
    size.SetHeight(piece_size_.GetHeight() / 2);
    if (IsDoubleByteAt(position_))
        size.SetWidth(piece_size_.GetWidth() / 2);
    TakeCharacter();
    HalfAdvance();
    piece_.SetSize(size);
    piece_.SetStart(running_);
    MoveAlong(cell_end_, running_, advance_);
    piece_.SetEnd(cell_end_);
    MoveAlong(running_, cell_end_, spacing_);
    if (code == 'u') {
        const TBPoint top_start = piece_.GetBoxPoint(6, 0, 0, 0);
        const TBPoint top_end = piece_.GetBoxPoint(8, 0, 0, 0);
        piece_.SetStart(top_start);
        piece_.SetEnd(top_end);
    } else if (code == 'c') {
        const TBPoint b0 = piece_.GetBoxPoint(0, 0, 0, 0), b6 = piece_.GetBoxPoint(6, 0, 0, 0);
        const TBPoint b2 = piece_.GetBoxPoint(2, 0, 0, 0), b8 = piece_.GetBoxPoint(8, 0, 0, 0);
        piece_.SetStart(TBPoint((b0.GetX() + b6.GetX()) / 2, (b0.GetY() + b6.GetY()) / 2));
        piece_.SetEnd(TBPoint((b2.GetX() + b8.GetX()) / 2, (b2.GetY() + b8.GetY()) / 2));
    }
    Append();
}

// "^b", "^B": the next character drawn back over the previous one, taking
// no room of its own.
void LayoutWalk::BackSpace(char code)
{
    const double back = -(advance_ + spacing_) * (code == 'b' ? back_space_share : wide_back_space_share);
    position_ += 2;
    if (IsDoubleByteAt(position_))
        FullAdvance();
    else
        HalfAdvance();
    TakeCharacter();
    AppendFrom(Along(running_, back));
}

// "^o": the next character at half size, centred on the previous piece.
void LayoutWalk::Overlay()
{
    position_ += 2;
    const TBPoint centre = pieces_.back().GetBoxPoint(4, 0, 0, 0);
    TakeCharacter();
    HalfAdvance();
    piece_.SetSize(HalfSize());
    AppendFrom(piece_.BasePointFromAnchor(centre, 4, 0, 0, 0));
}

// "^w": the next one or two half-width characters at half size, side by
// side on the centre of the previous piece.
void LayoutWalk::Pair()
{
    position_ += 2;
    const TBPoint centre = pieces_.back().GetBoxPoint(4, 0, 0, 0);
    piece_.SetSize(HalfSize());
    HalfAdvance();
    piece_.SetTextString(BytesAt(position_, 1));
    if (position_ == length_ || IsLeadByte(At(position_ + 1))) {
        AppendFrom(piece_.BasePointFromAnchor(centre, 4, 0, 0, 0));
        return;
    }
    // The left half ends at the centre, the right half begins there.
    AppendFrom(piece_.BasePointFromAnchor(centre, 5, 0, 0, 0));
    ++count_, ++position_;
    piece_.SetTextString(BytesAt(position_, 1));
    AppendFrom(piece_.BasePointFromAnchor(centre, 3, 0, 0, 0));
}

// A caret and a digit inside the text: two blank half-width cells.
void LayoutWalk::Blanks()
{
    HalfAdvance();
    piece_.SetTextString(" ");
    piece_.SetStart(running_);
    MoveAlong(cell_end_, running_, advance_);
    piece_.SetEnd(cell_end_);
    MoveAlong(running_, cell_end_, spacing_);
    Append();
    ++count_, ++position_;
    Place();
}

void LayoutWalk::Place()
{
    piece_.SetStart(running_);
    MoveAlong(cell_end_, running_, advance_);
    piece_.SetEnd(cell_end_);
    const std::string characters = piece_.GetTextString();
    if (!vertical_ || IsRotatedInColumn(characters)) {
        if (vertical_)
            piece_.SetAngle(angle_);
        MoveAlong(running_, cell_end_, spacing_);
        Append();
        return;
    }
    // Upright in a whole cell of the column, also a one-byte character.
    MoveAlong(cell_end_, running_, full_advance_);
    const TAngle upright = angle_ + TAngle(Pi / 2);
    piece_.SetAngle(upright);
    TBPoint start = cell_end_;
    if (IsRaisedInColumn(characters)) {
        const TBPoint corner(cell_end_.GetX() + text_element_.GetCharHeight() * raised_share,
                             cell_end_.GetY() + text_element_.GetCharWidth() * raised_share);
        start = TBPoint();
        corner.RotateAbout(cell_end_, upright, start);
    }
    piece_.SetStart(start);
    TBPoint end;
    start.PolarOffset(text_element_.GetCharHeight(), upright, end);
    piece_.SetEnd(end);
    if (characters.size() != 1) {
        MoveAlong(running_, cell_end_, spacing_);
        Append();
        return;
    }
    HalfWidthGroup();
}

// A run of half-width characters in vertical writing, set across the column
// as one horizontal text centred in a single cell.
void LayoutWalk::HalfWidthGroup()
{
    std::string group = piece_.GetTextString();
    for (long long next = position_ + 1; next <= length_; ++next) {
        const std::string_view byte(&text_[next - 1], 1);
        if (IsLeadByte(byte[0]) || IsRotatedInColumn(byte))
            break;
        group += byte;
    }
    // The cell's centre, a character height down the column and half a
    // character width across it.
    const TBPoint offset(running_.GetX() + text_element_.GetCharHeight(),
                         running_.GetY() + text_element_.GetCharWidth() * 0.5);
    TBPoint centre;
    offset.RotateAbout(running_, angle_, centre);
    const double half_width = TKMoji::MeasureStringWidth(group, full_advance_, full_spacing_) * 0.5;
    const TAngle across = angle_ + TAngle(Pi / 2);
    TBPoint start(0.0, 0.0, running_.GetTag()), end;
    centre.PolarOffset(-half_width, across, start);
    centre.PolarOffset(half_width, across, end);
    TKMoji run(start, end, text_element_.GetSize(), text_element_.GetKind(), across, text_element_.GetFontName(),
               group);
    TStatus status = text_element_.GetStatus();
    TBitFlg flags = status.GetFlg();
    flags.ClearBit(TKMoji::VerticalFlag);
    status.SetFlg(flags);
    run.SetStatus(status);
    for (TKMoji& piece : run.LayoutPieces())
        pieces_.push_back(std::move(piece));

    std::string displayed;
    TKMoji::StripControlCodes(group, displayed);
    position_ += static_cast<long long>(group.size()) - 1;
    count_ += static_cast<long long>(displayed.size()) - 1;
    MoveAlong(running_, cell_end_, full_spacing_);
}

void LayoutWalk::FullAdvance()
{
    advance_ = full_advance_;
    spacing_ = full_spacing_;
}

void LayoutWalk::HalfAdvance()
{
    advance_ = full_advance_ / 2;
    spacing_ = full_spacing_ / 2;
}

void LayoutWalk::TakeCharacter()
{
    if (IsDoubleByteAt(position_)) {
        piece_.SetTextString(BytesAt(position_, 2));
        ++count_, ++position_;
    } else {
        piece_.SetTextString(BytesAt(position_, 1));
    }
}

TZhdaMoji LayoutWalk::HalfSize() const
{
    TZhdaMoji size = piece_size_;
    size.SetWidth(piece_size_.GetWidth() / 2);
    size.SetHeight(piece_size_.GetHeight() / 2);
    return size;
}

TBPoint LayoutWalk::Along(const TBPoint& from, double distance) const
{
    TBPoint to;
    from.PolarOffset(distance, angle_, to);
    return to;
}

void LayoutWalk::AppendFrom(const TBPoint& start)
{
    piece_.SetStart(start);
    piece_.SetEnd(Along(start, advance_));
    Append();
}

} // namespace

int TKMoji::StripControlCodes(const std::string& text, std::string& stripped)
{
    std::string result = text;
    const bool whole_text_is_code = text.size() == 2;
    bool literal = false;
    for (std::size_t i = 0; i < result.size();) {
        if (IsLeadByte(result[i])) {
            i += 2;
            continue;
        }
        if (i + 1 < result.size() && !IsLeadByte(result[i + 1])) {
            // After a removal the bytes that moved up are tested again, so
            // a run of codes goes whole.
            const std::size_t code = CodeLengthAt(result, i, literal, whole_text_is_code);
            if (code > 0) {
                result.erase(i, code);
                continue;
            }
        }
        ++i;
    }

    // Endings: one half-width middle dot, "^m", or a caret and a digit.
    std::size_t n = result.size();
    if (n >= 1 && result[n - 1] == half_width_middle_dot && !IsTrailByteAt(result, n - 1)) {
        if (n > 2)
            result.erase(n - 1);
    } else if (n >= 2 && result[n - 2] == '^' && !IsTrailByteAt(result, n - 2)) {
        if (result[n - 1] == 'm' || (n > 2 && IsDigit1To9(result[n - 1])))
            result.erase(n - 2);
    }
    // Full-width middle dots at the end, clear of the first four bytes.
    static const std::string dot = sj(u8"・");
    for (n = result.size(); n > 4 && result.ends_with(dot) && !IsTrailByteAt(result, n - 2); n = result.size())
        result.erase(n - 2);
    // A caret and a digit left at the end stand for their two cells.
    if (n >= 2 && result[n - 2] == '^' && IsDigit1To9(result[n - 1]) && !IsTrailByteAt(result, n - 2))
        result.replace(n - 2, 2, "  ");

    int characters = 0;
    for (std::size_t i = 0; i < result.size(); i += CharLengthAt(result, i))
        ++characters;
    stripped = std::move(result);
    return characters;
}

int TKMoji::StripOwnControlCodes(std::string& stripped) const
{
    return StripControlCodes(text_, stripped);
}

int TKMoji::GetCharCount() const
{
    std::string stripped;
    return StripOwnControlCodes(stripped);
}

double TKMoji::MeasureStringWidth(const std::string& text, double width, double spacing)
{
    std::string stripped;
    StripControlCodes(text, stripped);
    return SumCharWidths(stripped, width, spacing);
}

std::vector<TKMoji> TKMoji::LayoutPieces() const
{
    return LayoutWalk(*this).Run();
}

TKMoji TKMoji::GetPiece(int index) const
{
    const std::vector<TKMoji> pieces = LayoutPieces();
    TKMoji piece;
    if (pieces.empty())
        return piece;
    if (index < 0 || index >= static_cast<int>(pieces.size()))
        index = 0;
    piece = pieces[index];
    return piece;
}
