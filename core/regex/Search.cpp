// The matcher: leftmost-longest search with the automaton, one forward scan
// per candidate start and no backtracking.
//
// Candidate starts are tried in order, one whole character apart, from the
// start offset up to and including the end of the text. From each candidate
// the scanning reader runs the automaton forward and remembers the last
// offset at which it was in an accepting state; the scan stops as soon as no
// transition exists. The first candidate with any match wins, even an empty
// one, and its longest match is the result: "a*" in "baa" is the empty match
// at 0.
//
// Anchors are pseudo-characters. "^" is a transition on -2 out of the start
// state; at a candidate that is a line head (the text's start, after a line
// feed, or after a carriage return not followed by a line feed) a second run
// starts in the state after -2 and is scanned in step with the first.
// "$" is a transition on -3 into an accepting state: a run that is in a
// state with such a transition just before a line feed, a carriage return or
// the end of the text has a match there.
//
// Cost: no allocation; at most the text length times the longest scan from
// one candidate, which for the short texts of a drawing is a few characters.

#include "core/regex/Search.h"

namespace {

bool IsLineBreak(int code)
{
    return code == '\n' || code == '\r';
}

// Whether the candidate at `offset`, where the reader stands, is a line head.
// The reader is left where it was.
bool StartsAtLineHead(TbmWchReader& reader, int offset)
{
    if (offset == 0)
        return true;
    reader.StepBack();
    const int before = reader.ReadChar();
    reader.SetPosition(offset);
    if (before == '\n')
        return true;
    if (before != '\r')
        return false;
    const int after = reader.ReadChar();
    reader.SetPosition(offset);
    return after != '\n';  // between a carriage return and its line feed is no line head
}

// Whether the character just read ends a line, so the next candidate is a
// line head. Peeks at the next character and steps back over it.
bool EndsLine(int code, TbmWchReader& reader)
{
    if (code == '\n')
        return true;
    if (code != '\r')
        return false;
    const int next = reader.ReadChar();
    reader.StepBack();
    return next != '\n';
}

// One step of a run: records a match that ends before `code`, then follows
// the transition on `code`.
void StepRun(const TbmREState*& state, int consumed, int code, bool at_line_tail, int& length)
{
    if (state == nullptr)
        return;
    if (state->Accepting())
        length = consumed;
    if (at_line_tail && state->NextState(kLineTailChar) != nullptr)
        length = consumed;
    state = state->NextState(code);
}

} // namespace

int RegexSearch(const char* text, int byte_length, int start_offset, TbmWchReader& scanning_reader,
                TbmWchReader& position_reader, const TbmREDFATable& table, int& match_length)
{
    match_length = 0;
    const TbmREState* start = table.StartState();
    if (text == nullptr || start == nullptr || byte_length < 0 || start_offset < 0 || start_offset > byte_length)
        return -1;
    const int unit = position_reader.UnitSize();
    if (scanning_reader.UnitSize() != unit || byte_length % unit != 0 || start_offset % unit != 0)
        return -1;

    const bool line_head = table.LineHeadAnchored();
    const bool line_tail = table.LineTailAnchored();
    const TbmREState* after_line_head = start->NextState(kLineHeadChar);
    // Unless the empty match is possible everywhere, a candidate whose first
    // byte cannot begin a match needs no scan (byte-oriented char codes only).
    const bool filter_by_first_byte = unit == 1 && !start->Accepting();

    position_reader.SetTextBuff(text, byte_length);
    position_reader.SetPosition(start_offset);
    const TbmREState* head_run = line_head && StartsAtLineHead(position_reader, start_offset) ? after_line_head : nullptr;

    int length = -1;
    for (;;) {
        const int candidate = position_reader.GetPosition();
        if (!filter_by_first_byte || head_run != nullptr || candidate == byte_length
            || table.MayStartWith(static_cast<unsigned char>(text[candidate]))) {
            scanning_reader.SetTextBuff(text + candidate, byte_length - candidate);
            const TbmREState* run = start;
            while (run != nullptr || head_run != nullptr) {
                const int consumed = scanning_reader.GetPosition();
                const int code = scanning_reader.ReadChar();
                const bool at_line_tail = line_tail && (IsLineBreak(code) || code == kEndOfText);
                StepRun(run, consumed, code, at_line_tail, length);
                StepRun(head_run, consumed, code, at_line_tail, length);
            }
            if (length != -1) {
                match_length = length;
                return candidate;
            }
        }
        const int code = position_reader.ReadChar();
        if (code == kEndOfText)
            return -1;
        head_run = line_head && EndsLine(code, position_reader) ? after_line_head : nullptr;
    }
}
