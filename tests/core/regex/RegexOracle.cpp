#include "tests/core/regex/RegexOracle.h"

#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

struct Char {
    int code;
    int offset;
};

// Shift-JIS: a lead byte with a byte after it is one character.
std::vector<Char> Decode(const std::string& bytes)
{
    std::vector<Char> chars;
    for (std::size_t i = 0; i < bytes.size();) {
        const int byte = static_cast<unsigned char>(bytes[i]);
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        if (lead && i + 1 < bytes.size()) {
            chars.push_back({ byte * 256 + static_cast<unsigned char>(bytes[i + 1]), static_cast<int>(i) });
            i += 2;
        } else {
            chars.push_back({ byte, static_cast<int>(i) });
            i += 1;
        }
    }
    return chars;
}

enum class Kind { Set, Empty, Cat, Alt, Star, Plus, Opt, Caret, Dollar };

struct Node {
    explicit Node(Kind node_kind, int left_node = -1, int right_node = -1)
        : kind(node_kind), left(left_node), right(right_node)
    {
    }
    static Node Literal(int code)
    {
        Node node(Kind::Set);
        node.ranges.push_back({ code, code });
        return node;
    }

    Kind kind;
    int left = -1;
    int right = -1;
    std::vector<std::pair<int, int>> ranges;  // for Set
    bool negated = false;                     // for Set: everything else but line breaks
    bool anchored = false;                    // for Caret and Dollar
};

struct SyntaxError { };

class OracleParser {
public:
    OracleParser(const std::string& pattern, bool ignore_case, std::vector<Node>& nodes)
        : chars_(Decode(pattern)), ignore_case_(ignore_case), nodes_(nodes)
    {
    }

    int ParseAll()
    {
        const int root = Alternation();
        if (Peek() != -1)
            throw SyntaxError {};
        return root;
    }

    int Literals()
    {
        int node = Add(Node(Kind::Empty));
        for (const Char& c : chars_)
            node = Add(Node(Kind::Cat, node, Literal(c.code)));
        return node;
    }

private:
    int Peek(std::size_t ahead = 0) const { return pos_ + ahead < chars_.size() ? chars_[pos_ + ahead].code : -1; }
    int Take()
    {
        const int code = Peek();
        if (code == -1)
            throw SyntaxError {};
        ++pos_;
        return code;
    }
    int Add(Node node)
    {
        nodes_.push_back(std::move(node));
        return static_cast<int>(nodes_.size()) - 1;
    }
    bool AtSequenceEnd() const { return Peek() == '|' || Peek() == ')' || Peek() == -1; }

    int Alternation()
    {
        int node = Sequence();
        while (Peek() == '|') {
            ++pos_;
            node = Add(Node(Kind::Alt, node, Sequence()));
        }
        return node;
    }

    int Sequence()
    {
        int node = Add(Node(Kind::Empty));
        while (!AtSequenceEnd())
            node = Add(Node(Kind::Cat, node, Item()));
        return node;
    }

    int Item()
    {
        const int atom = Atom();
        switch (Peek()) {
        case '*': ++pos_; return Add(Node(Kind::Star, atom));
        case '+': ++pos_; return Add(Node(Kind::Plus, atom));
        case '?': ++pos_; return Add(Node(Kind::Opt, atom));
        default: return atom;
        }
    }

    int Atom()
    {
        const int code = Take();
        switch (code) {
        case '(': {
            const int inner = Alternation();
            if (Take() != ')')
                throw SyntaxError {};
            return inner;
        }
        case '[': return Class();
        case '.': {
            Node any(Kind::Set);
            any.negated = true;
            return Add(std::move(any));
        }
        case '^': return Add(Node(Kind::Caret));
        case '$': return Add(Node(Kind::Dollar));
        case '\\': return Literal(Escape());
        case '*':
        case '+':
        case '?': throw SyntaxError {};
        default: return Literal(code);
        }
    }

    int Literal(int code)
    {
        Node node = Node::Literal(code);
        if (ignore_case_ && ((code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z')))
            node.ranges.push_back({ code ^ 0x20, code ^ 0x20 });
        return Add(std::move(node));
    }

    int Class()
    {
        Node node(Kind::Set);
        if (Peek() == '^') {
            ++pos_;
            node.negated = true;
        }
        for (bool first = true;; first = false) {
            int lo = Take();
            if (lo == ']' && !first)
                break;
            if (lo == '\\')
                lo = Escape();
            int hi = lo;
            if (Peek() == '-' && Peek(1) != ']' && Peek(1) != -1) {
                pos_ += 1;
                hi = Take();
                if (hi == '\\')
                    hi = Escape();
                if (hi < lo)
                    throw SyntaxError {};
            }
            node.ranges.push_back({ lo, hi });
        }
        return Add(std::move(node));
    }

    int Number(int radix, int max_digits)
    {
        int value = 0;
        int digits = 0;
        for (; digits < max_digits; ++digits) {
            const int c = Peek();
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0 || digit >= radix || value * radix + digit > 0xFFFF)
                break;
            value = value * radix + digit;
            ++pos_;
        }
        if (digits == 0)
            throw SyntaxError {};
        return value;
    }

    int Escape()
    {
        const int code = Take();
        switch (code) {
        case 'a': return 7;
        case 'b': return 8;
        case 'f': return 12;
        case 'n': return 10;
        case 'r': return 13;
        case 't': return 9;
        case 'v': return 11;
        case 'x': return Number(16, 4);
        default: break;
        }
        if (code >= '0' && code <= '7') {
            --pos_;
            return Number(8, 6);
        }
        return code;
    }

    std::vector<Char> chars_;
    std::size_t pos_ = 0;
    bool ignore_case_;
    std::vector<Node>& nodes_;
};

class OracleMatcher {
public:
    OracleMatcher(std::vector<Node>& nodes, int root, const std::string& text)
        : nodes_(nodes), root_(root), chars_(Decode(text)), text_size_(static_cast<int>(text.size()))
    {
        MarkLineHeads(root_, true);
        MarkLineTails(root_, false, true);
    }

    OracleResult Match(int start_offset) const
    {
        OracleResult result;
        result.valid = true;
        const int count = static_cast<int>(chars_.size());
        int first = 0;
        while (first < count && chars_[first].offset < start_offset)
            ++first;
        if (start_offset > text_size_)
            return result;
        for (int start = first; start <= count; ++start) {
            const std::uint64_t ends = Ends(root_, std::uint64_t { 1 } << start);
            if (ends != 0) {
                const int last = 63 - std::countl_zero(ends);
                result.offset = OffsetOf(start);
                result.length = OffsetOf(last) - result.offset;
                return result;
            }
        }
        return result;
    }

private:
    int OffsetOf(int index) const { return index < static_cast<int>(chars_.size()) ? chars_[index].offset : text_size_; }

    bool Nullable(int n) const
    {
        const Node& node = nodes_[n];
        switch (node.kind) {
        case Kind::Empty:
        case Kind::Star:
        case Kind::Opt: return true;
        case Kind::Cat: return Nullable(node.left) && Nullable(node.right);
        case Kind::Alt: return Nullable(node.left) || Nullable(node.right);
        case Kind::Plus: return Nullable(node.left);
        default: return false;  // sets and anchors are positions
        }
    }

    // Whether the node can begin with a position.
    bool HasFirst(int n) const
    {
        const Node& node = nodes_[n];
        switch (node.kind) {
        case Kind::Empty: return false;
        case Kind::Cat: return HasFirst(node.left) || (Nullable(node.left) && HasFirst(node.right));
        case Kind::Alt: return HasFirst(node.left) || HasFirst(node.right);
        case Kind::Star:
        case Kind::Plus:
        case Kind::Opt: return HasFirst(node.left);
        default: return true;
        }
    }

    // "^" anchors when nothing needs to be matched before it.
    void MarkLineHeads(int n, bool at_start)
    {
        Node& node = nodes_[n];
        switch (node.kind) {
        case Kind::Cat:
            MarkLineHeads(node.left, at_start);
            MarkLineHeads(node.right, at_start && Nullable(node.left));
            break;
        case Kind::Alt:
            MarkLineHeads(node.left, at_start);
            MarkLineHeads(node.right, at_start);
            break;
        case Kind::Star:
        case Kind::Plus:
        case Kind::Opt: MarkLineHeads(node.left, at_start); break;
        case Kind::Caret: node.anchored = at_start; break;
        default: break;
        }
    }

    // "$" anchors when nothing at all can follow it.
    void MarkLineTails(int n, bool followed, bool can_end)
    {
        Node& node = nodes_[n];
        switch (node.kind) {
        case Kind::Cat:
            MarkLineTails(node.right, followed, can_end);
            MarkLineTails(node.left, HasFirst(node.right) || (Nullable(node.right) && followed),
                          Nullable(node.right) && can_end);
            break;
        case Kind::Alt:
            MarkLineTails(node.left, followed, can_end);
            MarkLineTails(node.right, followed, can_end);
            break;
        case Kind::Star:
        case Kind::Plus: MarkLineTails(node.left, followed || HasFirst(node.left), can_end); break;
        case Kind::Opt: MarkLineTails(node.left, followed, can_end); break;
        case Kind::Dollar: node.anchored = !followed && can_end; break;
        default: break;
        }
    }

    bool InSet(const Node& node, int code) const
    {
        bool member = false;
        for (const auto& [lo, hi] : node.ranges)
            member = member || (code >= lo && code <= hi);
        if (!node.negated)
            return member;
        return !member && code != '\n' && code != '\r' && code >= 0 && code <= 0xFFFF;
    }

    bool IsLineHead(int index) const
    {
        if (index == 0)
            return true;
        const int before = chars_[index - 1].code;
        if (before == '\r')
            return index == static_cast<int>(chars_.size()) || chars_[index].code != '\n';
        return before == '\n';
    }

    bool IsLineTail(int index) const
    {
        return index == static_cast<int>(chars_.size()) || chars_[index].code == '\n' || chars_[index].code == '\r';
    }

    // Every index of a character the set matches, moved one character on.
    std::uint64_t StepSet(const Node& node, std::uint64_t from) const
    {
        std::uint64_t to = 0;
        for (int i = 0; i < static_cast<int>(chars_.size()); ++i) {
            if ((from >> i & 1) != 0 && InSet(node, chars_[i].code))
                to |= std::uint64_t { 1 } << (i + 1);
        }
        return to;
    }

    std::uint64_t Closure(int child, std::uint64_t from) const
    {
        std::uint64_t reached = from;
        for (;;) {
            const std::uint64_t next = reached | Ends(child, reached);
            if (next == reached)
                return reached;
            reached = next;
        }
    }

    // The indexes at which the node can end when it starts at any index of
    // `from`.
    std::uint64_t Ends(int n, std::uint64_t from) const
    {
        const Node& node = nodes_[n];
        switch (node.kind) {
        case Kind::Set: return StepSet(node, from);
        case Kind::Empty: return from;
        case Kind::Cat: return Ends(node.right, Ends(node.left, from));
        case Kind::Alt: return Ends(node.left, from) | Ends(node.right, from);
        case Kind::Star: return Closure(node.left, from);
        case Kind::Plus: return Closure(node.left, Ends(node.left, from));
        case Kind::Opt: return from | Ends(node.left, from);
        // An anchor holds wherever the match stands at a line head or tail,
        // at its start as well as after characters it has consumed.
        case Kind::Caret:
            if (!node.anchored)
                return StepSet(Node::Literal('^'), from);
            return from & IndexesWhere([this](int i) { return IsLineHead(i); });
        case Kind::Dollar:
            if (!node.anchored)
                return StepSet(Node::Literal('$'), from);
            return from & IndexesWhere([this](int i) { return IsLineTail(i); });
        }
        return 0;
    }

    // The indexes from 0 to the end of the text at which `holds` is true.
    template <class Predicate>
    std::uint64_t IndexesWhere(Predicate holds) const
    {
        std::uint64_t indexes = 0;
        for (int i = 0; i <= static_cast<int>(chars_.size()); ++i) {
            if (holds(i))
                indexes |= std::uint64_t { 1 } << i;
        }
        return indexes;
    }

    std::vector<Node>& nodes_;
    int root_;
    std::vector<Char> chars_;
    int text_size_;
};

} // namespace

OracleResult OracleMatch(const std::string& pattern, const std::string& text, int start_offset, bool use_meta_chars,
                         bool ignore_case)
{
    std::vector<Node> nodes;
    int root = -1;
    try {
        OracleParser parser(pattern, ignore_case, nodes);
        root = use_meta_chars ? parser.ParseAll() : parser.Literals();
    } catch (const SyntaxError&) {
        return {};
    }
    return OracleMatcher(nodes, root, text).Match(start_offset);
}
