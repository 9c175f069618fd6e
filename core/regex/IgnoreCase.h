#pragma once

// Token filters run between scanning and standardisation. The only one the
// engine has makes ASCII letters match either case by rewriting each letter
// outside a class into a group of both cases: "a" becomes "(a|A)".

#include "core/regex/Scanner.h"

#include <span>

class TbmREDic {
public:
    virtual ~TbmREDic() = default;
    // Moves the filtered tokens of `source` into `destination` (emptied
    // first); `source` is left empty.
    virtual void Apply(TbmRETokens& source, TbmRETokens& destination) = 0;
};

// Hands the tokens to CopyTokens in blocks: a run of character tokens, or one
// class from its "[" or "[^" up to its "]". Every other token is moved as it
// is.
class TbmREDicFrame : public TbmREDic {
public:
    void Apply(TbmRETokens& source, TbmRETokens& destination) final;

protected:
    // Appends the block unchanged.
    virtual void CopyTokens(std::span<const TbmREToken> block, TbmRETokens& destination);
};

// Letters inside classes and all non-ASCII letters keep their case.
class TbmREAsciiIgnoreCaseDic : public TbmREDicFrame {
protected:
    void CopyTokens(std::span<const TbmREToken> block, TbmRETokens& destination) override;
};
