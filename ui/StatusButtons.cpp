// The status buttons: their captions from the displayed drawing's header
// and view, each as wide as its caption, laid out leftwards from the
// magnification.

#include "ui/StatusButtons.h"

#include "controls/Toolbar97.h"
#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"
#include "platform/ui/QtText.h"
#include "ui/MainControls.h"

#include <QToolButton>

#include <algorithm>

TStatusButtons::TStatusButtons(TMainWindowHost& host)
    : TMainFeature(host)
{
    const QToolButton* magnification = host_.Controls().sbtnBairitsu;
    right_edge_ = magnification->x() + magnification->width();
}

void TStatusButtons::UpdateStatusButtons(int kind)
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TMainControls& c = host_.Controls();
    const QFontMetrics metrics(c.sbtnUnit->font());
    constexpr int minimum_width = 40;
    constexpr int margin = 8;
    const TZhdHead head = document->GetHead();
    const int group = std::clamp(head.GetWriteGroup(), 0, 15);
    const auto set_caption = [&](QToolButton* button, const QString& caption) {
        button->setText(caption);
        button->resize(std::max(metrics.horizontalAdvance(caption), minimum_width) + margin, button->height());
    };
    if (kind == 0 || kind == 1) {
        static const char8_t* const captions[] = { u8"実寸mm", u8"実寸ｍ", u8"図寸mm" };
        static const char8_t* const labels[] = { u8" mm ", u8" ｍ ", u8" mm [図寸] " };
        const int unit = std::clamp(display_unit_, 0, 2);
        const double scale = head.GetGroupScale(group);
        unit_factor_ = unit == 0 ? scale : unit == 1 ? scale * 0.001 : 1.0;
        unit_label_ = Utf8ToSjis(reinterpret_cast<const char*>(labels[unit]));
        set_caption(c.sbtnUnit, QtText(captions[unit]));
    }
    if (kind == 0 || kind == 2)
        set_caption(c.sbtnPaper, SjisText(LookUp(SharedDefine().PaperNames, head.GetPaperSize())));
    if (kind == 0 || kind == 3)
        set_caption(c.sbtnScale, QString::fromStdString("S=1/" + FloatToStrGeneral(head.GetGroupScale(group))));
    if (kind == 0 || kind == 4) {
        static const char hex[] = "0123456789ABCDEF";
        const TZhdGrp group_record = head.GetGroup(group);
        const int layer = std::clamp(group_record.GetWriteLayer(), 0, 15);
        const std::string group_name = group_record.GetName();
        const std::string layer_name = head.GetLayer(group, layer).GetName();
        std::string caption = std::string("[") + hex[group] + "-" + hex[layer] + "]" + group_name;
        if (!group_name.empty() && !layer_name.empty())
            caption += " - ";
        caption += layer_name;
        set_caption(c.sbtnGroupLayer, SjisText(caption));
    }
    if (kind == 0 || kind == 5) {
        const double packed = document->GetInfoAngle().GetPackedDMS();
        set_caption(c.sbtnAxis, QtText(u8"∠") + QString::fromStdString(FloatToStrGeneral(packed, 5, 2)));
    }
    if (kind == 0 || kind == 6) {
        const TInfoREG& info = document->GetInfoRegPtr();
        set_caption(c.sbtnBairitsu,
                    QtText(u8"×") + QString::fromStdString(FloatToStrGeneral(info.GetView().GetScale(), 5, 2)));
        c.sbtnBairitsu->setToolTip(SjisText(info.GetStatusText()));
    }
    LayOut();
}

void TStatusButtons::LayOut()
{
    // Right to left from the magnification's right edge, each touching the
    // next.
    const TMainControls& c = host_.Controls();
    int right = right_edge_;
    for (QToolButton* button : { c.sbtnBairitsu, c.sbtnAxis, c.sbtnGroupLayer, c.sbtnScale, c.sbtnPaper, c.sbtnUnit }) {
        button->move(right - button->width(), button->y());
        right -= button->width();
    }
}

void TStatusButtons::NextDisplayUnit()
{
    display_unit_ = (display_unit_ + 1) % 3;
    UpdateStatusButtons(1);
}

void TStatusButtons::FitPanel()
{
    const TMainControls& c = host_.Controls();
    c.Panel3->resize(std::max(0, c.ToolbarPanel3->width() - 12), c.Panel3->height());
}

std::vector<TSettingsBlock> TStatusButtons::SettingsBlocks()
{
    TSettingKeys keys;
    keys.Choice("Other", "ViewUnit", 0, 2, BindNumber(display_unit_));
    return { keys.Block(TSettingsPart::Other) };
}
