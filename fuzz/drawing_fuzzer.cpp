// Bytes in, loaded as a drawing twice: into a new document and into one that
// held a drawing before. Both must end as the same drawing (nothing of the
// earlier one may survive a load), and a drawing that loads completely must
// save, load again and save to the very same bytes.
#include "document/ZhdData.h"
#include "elements/KBlock.h"
#include "elements/KLine.h"
#include "platform/Stream.h"

#include <boost/make_shared.hpp>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

const TZhdData& EarlierDrawing()
{
    static const TZhdData drawing = [] {
        TZhdData document;
        document.GetElemListPtr().Append(boost::make_shared<TKLine>());
        auto block = boost::make_shared<TKBlock>();
        block->SetPenStyle(2);
        document.GetElemListPtr().Append(block);
        TKBlockDefine define;
        define.SetName("earlier");
        document.AppendBlockDefine(define);
        return document;
    }();
    return drawing;
}

std::vector<std::uint8_t> Saved(TZhdData& document)
{
    TMemoryStream stream;
    document.SaveToStream(stream);
    return stream.Bytes();
}

TLoadStatus Load(TZhdData& document, std::vector<std::uint8_t> bytes)
{
    TMemoryStream stream(std::move(bytes));
    return document.LoadFromStream(stream).status;
}

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    TZhdData fresh;
    const TLoadStatus status = Load(fresh, bytes);
    TZhdData reused(EarlierDrawing());
    Require(Load(reused, bytes) == status);
    const std::vector<std::uint8_t> saved = Saved(fresh);
    Require(Saved(reused) == saved);
    if (status == TLoadStatus::Loaded) {
        TZhdData reloaded;
        Require(Load(reloaded, saved) == TLoadStatus::Loaded);
        Require(Saved(reloaded) == saved);
    }
    return 0;
}
