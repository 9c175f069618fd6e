#pragma once

// The regular-expression pattern object: the one face of the engine that the
// rest of the system uses.
//
//   TbmRExp pattern;                        // Shift-JIS, metacharacters on
//   pattern.SetPattern(word);               // ignore case off
//   int length = 0, position = 0;
//   if (pattern.Match(text, 1, length, position) > 0)
//       ...                                 // text bytes [position - 1, +length)
//
// A pattern compiles on its first use after any change of pattern, char code
// or option into an automaton that every later match reuses. Matches are
// leftmost-longest; positions are 1-based and positions and lengths count
// bytes (a double-byte character counts 2). Pattern errors raise EbmREToken
// (core/regex/Token.h), whose message is the name of the offending token's
// kind and whose token says where in the pattern it is; the object stays
// usable and keeps its pattern.
//
// Compiling and matching use scratch objects shared by all patterns of a
// thread: they are not reentrant, but never called back into.

#include "core/regex/Automaton.h"
#include "core/regex/CharCode.h"
#include "core/regex/Scanner.h"

#include <string>

class TbmRExpABC {
public:
    virtual ~TbmRExpABC() = default;
    virtual TbmCharCode GetCharCode() const = 0;
    virtual const TbmREDFATable& Compile() = 0;
};

class TbmRExp : public TbmRExpABC {
public:
    // Option indexes of SetOption.
    static constexpr int kUseMetaChars = 0;  // default on
    static constexpr int kIgnoreCase = 1;    // default off; ASCII letters outside classes only

    TbmRExp();

    TbmCharCode GetCharCode() const override { return char_code_; }
    // Compiles unless compiled; returns the automaton. Raises EbmREToken for
    // a pattern error, ZuviewError for a char code without a reader.
    const TbmREDFATable& Compile() override;

    void SetCharCode(TbmCharCode char_code);
    const std::string& GetPattern() const { return pattern_; }
    // An equal pattern keeps the automaton.
    void SetPattern(const std::string& pattern);
    // Any other index does nothing.
    void SetOption(int index, bool value);
    bool GetOption(int index) const;
    bool IsCompiled() const { return compiled_; }

    // The 1-based byte position of the first match at or after the 1-based
    // `start`, or 0 when there is none (also for a start below 1 or past the
    // text's length + 1); `position` receives the same value and `length` the
    // match's byte length (0 when there is none). Raises as Compile does.
    int Match(const std::string& text, int start, int& length, int& position);

private:
    // With ignore case on, the tokens rewritten by the shared ignore-case
    // filter; otherwise the tokens themselves.
    TbmRETokens& FilterTokens(TbmRETokens& tokens);

    TbmCharCode char_code_;
    std::string pattern_;
    TbmREDFATable automaton_;
    bool compiled_ = false;
    bool use_meta_chars_ = true;
    bool ignore_case_ = false;
};
