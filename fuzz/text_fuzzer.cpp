// Bytes in, a text out: the first bytes choose the writing, the style, the
// sizes and angle (sensible ones or any double at all) and how the view
// draws texts; the rest is the text itself, control codes, lone lead bytes
// and carets at the end included. The text is laid out, measured and drawn
// onto a recording and onto a small image. A layout never gives more pieces
// than the text has bytes.
#include "document/ZhdData.h"
#include "elements/KMoji.h"
#include "fuzz/FuzzSupport.h"
#include "platform/ImageCanvas.h"
#include "platform/RecordingCanvas.h"
#include "render/InfoReg.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int width = 64;
constexpr int height = 48;

class TInputReader {
public:
    TInputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

    // Mostly a size a drawing would hold; now and then any double, NaN and
    // infinities included.
    double Number(double unit)
    {
        const std::uint8_t choice = Byte();
        if (choice < 224)
            return (choice + 1) * unit;
        std::uint8_t raw[8] {};
        for (std::uint8_t& byte : raw)
            byte = Byte();
        double value = 0;
        std::memcpy(&value, raw, sizeof value);
        return value;
    }

    std::string Rest() const
    {
        return at_ < size_ ? std::string(reinterpret_cast<const char*>(data_ + at_), size_ - at_) : std::string();
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    UseFuzzScreen();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TInputReader input(data, size);
    const std::uint8_t view_flags = input.Byte();
    const int style = input.Byte() & 0x0F;
    const double char_width = input.Number(0.5);
    const double char_height = input.Number(0.5);
    const double spacing = input.Number(0.25) - 0.25;
    const double degrees = input.Number(15) - 15;
    const std::string characters = input.Rest();

    TKMoji text(TBPoint(10.0, 10.0, style), TBPoint(40.0, 10.0), TZhdaMoji(char_width, char_height, spacing, 1), 1,
                TAngle(degrees * 3.141592653589793 / 180), "", characters);
    if ((view_flags & 1) != 0) {
        TBitFlg flags = text.GetStatusFlg();
        flags.SetBit(TKMoji::VerticalFlag);
        text.SetStatusFlg(flags);
    }

    const std::vector<TKMoji> pieces = text.LayoutPieces();
    Require(pieces.size() <= characters.size());
    std::string stripped;
    TKMoji::StripControlCodes(characters, stripped);
    (void)text.GetTextWidth();
    (void)text.GetPiece(static_cast<int>(pieces.size() / 2));

    TZhdData document;
    TInfoREG& info = document.GetInfoRegPtr();
    info.SetPixelWidth(width);
    info.SetPixelHeight(height);
    TZhdZoom view(info.GetMMPerPixelX());
    view.SetXY(width / 2, height / 2);
    info.SetView(view);
    info.PrintPreview = (view_flags >> 1) & 1;
    info.MojiWaku = (view_flags >> 2) & 1;
    info.EdgeMoji = ((view_flags >> 3) & 3) % 3;
    info.EdgeMojiEasy = (view_flags >> 5) & 1;
    info.EmbedMoji = (view_flags >> 6) & 1;
    info.EdgeMojiRange = 0.5;

    TRecordingCanvas recording(width, height);
    text.Draw(recording, document);
    TImageCanvas image(width, height);
    text.Draw(image, document);
    return 0;
}
