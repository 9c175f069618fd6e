// The matcher: leftmost-longest search with the automaton in one pass over
// the text, without backtracking.
//
// Every character position from the start offset up to and including the end
// of the text is a candidate start. A run is one candidate's walk through the
// automaton; the matcher reads the text once, character by character, and
// steps every live run on each character, remembering for each start the last
// offset at which its run was in an accepting state. The result is the
// smallest start with any match, even an empty one ("a*" in "baa" is the
// empty match at 0), with the longest end for that start.
//
// Two runs that stand in the same state at the same offset have the same
// future, so only the one with the earlier start is kept: the later one could
// only win if the earlier one never matched, and then neither does the later
// one after this point. The live runs are therefore at most the automaton's
// states, and the cost is the text length times the number of live runs,
// which for a search word is one or two: linear in the text, whatever the
// text holds. Runs of starts after the best match so far are dropped, and no
// new run starts once a match is known; the search ends as soon as no run of
// an earlier or the same start is left.
//
// Anchors are pseudo-characters. "^" is a transition on -2: at a line head
// (the text's start, after a line feed, or after a carriage return not
// followed by a line feed) every run, a new one as well as one that has just
// consumed the line break, moves to its state's line-head state, which also
// holds what follows the "^" (see Automaton.h). "$" is a transition on -3
// into an accepting state: a run in a state with such a transition just
// before a line feed, a carriage return or the end of the text has a match
// there.

#include "core/regex/Search.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

struct Run {
    int start;
    const TbmREState* state;
};

struct BestMatch {
    int start = -1;
    int end = -1;
};

// The live runs and the marks that find two runs in one state. Kept per
// thread and reused, so a search allocates only when an automaton bigger than
// any before needs more room.
class RunSet {
public:
    void Prepare(std::size_t state_count)
    {
        runs_.clear();
        runs_.reserve(state_count + 2);
        if (marks_.size() < state_count)
            marks_.resize(state_count, 0);
    }

    void Start(int start, const TbmREState* state) { runs_.push_back({ start, state }); }

    // Records the matches that end at `offset`, then moves every run over
    // `code`, dropping dead runs, runs that can no longer win, and runs that
    // meet an earlier start in the same state. At a line head each run first
    // takes its state's line-head state.
    void Step(int offset, int code, bool at_line_head, bool at_line_tail, BestMatch& best)
    {
        NextMark();
        std::size_t kept = 0;
        for (const Run& run : runs_) {
            if (best.start >= 0 && run.start > best.start)
                continue;
            const TbmREState* state = at_line_head ? run.state->LineHeadState() : run.state;
            if (state->Accepting() || (at_line_tail && state->NextState(kLineTailChar) != nullptr))
                best = { run.start, offset };
            const TbmREState* next = state->NextState(code);
            if (next == nullptr)
                continue;
            std::uint32_t& mark = marks_[next->Index()];
            if (mark == mark_)
                continue;
            mark = mark_;
            runs_[kept++] = { run.start, next };
        }
        runs_.resize(kept);
    }

    bool Empty() const { return runs_.empty(); }
    // Whether a run of `start` or an earlier start is still live.
    bool AnyStartingBy(int start) const { return !runs_.empty() && runs_.front().start <= start; }

private:
    void NextMark()
    {
        if (++mark_ == 0) {
            std::fill(marks_.begin(), marks_.end(), 0);
            mark_ = 1;
        }
    }

    std::vector<Run> runs_;  // ascending by start
    std::vector<std::uint32_t> marks_;
    std::uint32_t mark_ = 0;
};

RunSet& SharedRunSet()
{
    thread_local RunSet runs;
    return runs;
}

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

} // namespace

int RegexSearch(const char* text, int byte_length, int start_offset, TbmWchReader& reader, const TbmREDFATable& table,
                int& match_length)
{
    match_length = 0;
    const TbmREState* start = table.StartState();
    if (text == nullptr || start == nullptr || byte_length < 0 || start_offset < 0 || start_offset > byte_length)
        return -1;
    const int unit = reader.UnitSize();
    if (byte_length % unit != 0 || start_offset % unit != 0)
        return -1;

    const bool line_head = table.LineHeadAnchored();
    const bool line_tail = table.LineTailAnchored();
    // Unless the empty match is possible everywhere, a candidate whose first
    // byte cannot begin a match needs no run (byte-oriented char codes only).
    // The first bytes are those of the start state alone, so a line head
    // whose line-head state differs from the start state always gets a run.
    const bool filter_by_first_byte = unit == 1 && !start->Accepting();
    const bool start_differs_at_line_head = start->LineHeadState() != start;

    RunSet& runs = SharedRunSet();
    runs.Prepare(table.StateCount());
    reader.SetTextBuff(text, byte_length);
    reader.SetPosition(start_offset);
    bool at_line_head = line_head && StartsAtLineHead(reader, start_offset);
    BestMatch best;
    for (;;) {
        const int offset = reader.GetPosition();
        const int code = reader.ReadChar();
        if (best.start < 0
            && (!filter_by_first_byte || offset == byte_length || (at_line_head && start_differs_at_line_head)
                || table.MayStartWith(static_cast<unsigned char>(text[offset]))))
            runs.Start(offset, start);
        if (!runs.Empty())
            runs.Step(offset, code, at_line_head, line_tail && (IsLineBreak(code) || code == kEndOfText), best);
        if (code == kEndOfText || (best.start >= 0 && !runs.AnyStartingBy(best.start)))
            break;
        at_line_head = line_head && EndsLine(code, reader);
    }
    if (best.start < 0)
        return -1;
    match_length = best.end - best.start;
    return best.start;
}
