#include "ui/GroupLayerBars.h"

#include "controls/ResizableToolWindow97.h"
#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "render/InfoReg.h"
#include "ui/MainControls.h"
#include "ui/PaintBox.h"
#include "ui/StatusButtons.h"

#include <QCheckBox>
#include <QEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QToolButton>

#include <algorithm>
#include <climits>

namespace {

constexpr int ButtonWidth = 19;
constexpr int ButtonHeight = 21;
constexpr int ExtraButtonWidth = 24;

// A shape of the tool windows: taken by the first row whose client width is
// below `narrower_than` or whose height is above `taller_than`.
struct TShape {
    int narrower_than;
    int taller_than;
    QSize client;
    QRect digits;
    QRect extra;
};

const std::array<TShape, 5>& Shapes()
{
    static const std::array<TShape, 5> shapes = { {
        { 34, 366, { 24, 386 }, { 2, 0, 19, 338 }, { 0, 340, 24, 46 } },
        { 58, 198, { 38, 218 }, { 0, 0, 38, 170 }, { 7, 172, 24, 46 } },
        { 96, 93, { 76, 113 }, { 0, 0, 76, 86 }, { 14, 88, 48, 23 } },
        { 198, 44, { 178, 44 }, { 0, 0, 152, 46 }, { 154, 0, 24, 46 } },
        { INT_MAX, -1, { 354, 24 }, { 0, 0, 304, 23 }, { 306, 0, 48, 23 } },
    } };
    return shapes;
}

int Tag(const QWidget* button)
{
    return button->property("Tag").toInt();
}

// The bars are told apart by the third letter of the button's name, the
// "All" and special buttons by the letters after it.
int KindOf(const QString& name)
{
    return name.size() > 2 && name[2] == QLatin1Char('G') ? GroupKind : LayerKind;
}
bool IsAllButton(const QString& name)
{
    return name.mid(3, 3) == QLatin1String("All");
}
bool IsSpecialButton(const QString& name)
{
    return name.mid(3, 2) == QLatin1String("Sp");
}

std::string PositionLog(const char* label, int x, int y)
{
    return std::string(label) + " " + std::to_string(x) + " " + std::to_string(y);
}

template <class TItem>
void ClickItem(TItem& item, Qt::KeyboardModifiers shift)
{
    if (shift & Qt::ControlModifier)
        item.SetProtect(item.GetProtect() != 0 ? 0 : (shift & Qt::ShiftModifier) ? 2 : 1);
    else if (item.GetProtect() < 2)
        item.SetState((item.GetState() + 1) % 3);
}

} // namespace

bool MoveWriteTarget(TZhdHead& head, int kind, int slot)
{
    const int w = head.GetWriteGroup();
    TZhdGrp write_group = head.GetGroup(w);
    if (kind == GroupKind) {
        if (head.GetGroupProtect(slot) != 0)
            return false;
        write_group.SetState(LayerEditable);
        head.SetGroup(w, write_group);
        head.SetWriteGroup(slot);
        TZhdGrp group = head.GetGroup(slot);
        group.SetState(LayerWriteTarget);
        head.SetGroup(slot, group);
        return true;
    }
    if (write_group.GetLayer(slot).GetProtect() != 0)
        return false;
    const int l = write_group.GetWriteLayer();
    TZhdLay old_target = write_group.GetLayer(l);
    old_target.SetState(LayerEditable);
    write_group.SetLayer(l, old_target);
    write_group.SetWriteLayer(slot);
    TZhdLay layer = write_group.GetLayer(slot);
    layer.SetState(LayerWriteTarget);
    write_group.SetLayer(slot, layer);
    head.SetGroup(w, write_group);
    return true;
}

void ClickGroupLayer(TZhdHead& head, int kind, int slot, Qt::KeyboardModifiers shift)
{
    const int w = head.GetWriteGroup();
    TZhdGrp group = head.GetGroup(kind == GroupKind ? slot : w);
    if (kind == GroupKind) {
        ClickItem(group, shift);
    } else {
        TZhdLay layer = group.GetLayer(slot);
        ClickItem(layer, shift);
        group.SetLayer(slot, layer);
    }
    head.SetGroup(kind == GroupKind ? slot : w, group);
}

TGroupLayerBars::TGroupLayerBars(TMainWindowHost& host, TStatusButtons& status_buttons, TActions actions)
    : TMainFeature(host)
    , status_buttons_(status_buttons)
    , actions_(std::move(actions))
{
    TMainControls& c = host_.Controls();
    AttachButtonPictures();
    for (const int kind : { GroupKind, LayerKind }) {
        for (int i = 0; i < 16; ++i)
            Button(kind, i)->installEventFilter(this);
        ToolWindow(kind)->Client()->installEventFilter(this);
    }
    for (QToolButton* button : { c.tbGAll, c.tbGSp, c.tbLAll, c.tbLSp })
        button->installEventFilter(this);
    connect(c.tbGAll, &QToolButton::clicked, this, [this] { AllClick(GroupKind); });
    connect(c.tbLAll, &QToolButton::clicked, this, [this] { AllClick(LayerKind); });
    connect(c.tbGSp, &QToolButton::clicked, this, [this] { FlipClick(); });
    connect(c.tbLSp, &QToolButton::clicked, this, [this] { GroupWindowClick(); });
    BuildGroupLayerGlyphs(0);
}

// The pictures ask this feature for their cells: they go with it.
TGroupLayerBars::~TGroupLayerBars()
{
    for (auto& bar : pictures_) {
        for (QWidget* picture : bar)
            delete picture;
    }
}

TToolWindow97* TGroupLayerBars::ToolWindow(int kind) const
{
    TMainControls& c = host_.Controls();
    return kind == GroupKind ? c.ToolWindowGroup : c.ToolWindowLayer;
}

QToolButton* TGroupLayerBars::Button(int kind, int index) const
{
    TMainControls& c = host_.Controls();
    return (kind == GroupKind ? c.GroupButtons : c.LayerButtons)[static_cast<std::size_t>(index)];
}

bool TGroupLayerBars::TwoColumns(int kind) const
{
    return ToolWindow(kind)->ClientAreaWidth() == Shapes()[1].client.width();
}

int TGroupLayerBars::GetButtonSlot(int kind, int tag) const
{
    if (!TwoColumns(kind))
        return tag;
    const auto found = std::find(ButtonOrder.begin(), ButtonOrder.end(), tag);
    return found == ButtonOrder.end() ? tag : static_cast<int>(found - ButtonOrder.begin());
}

void TGroupLayerBars::SetGroupLayerButtonDown(int kind, int index)
{
    if (index < 0 || index > 15)
        return;
    Button(kind, index)->setChecked(true);
}

void TGroupLayerBars::PaintGroupLayerButtons(TZhdData& document, int kind, int index)
{
    const TZhdHead& head = document.GetHeadPtr();
    current_group_ = head.GetWriteGroup();
    const int bar = Bar(kind);
    if (index == -1 || bar_bitmaps_[bar].isNull()) {
        DrawBarBitmap(document, kind);
        for (QWidget* picture : pictures_[bar])
            picture->update();
    }
    const bool two_columns = TwoColumns(kind);
    const auto button_of = [two_columns](int slot) { return two_columns ? ButtonOrder[slot] : slot; };
    if (index >= 0 && index <= 15)
        pictures_[bar][button_of(index)]->update();
    const int target = kind == GroupKind ? current_group_ : head.GetGroup(current_group_).GetWriteLayer();
    if (target >= 0 && target <= 15)
        SetGroupLayerButtonDown(kind, button_of(target));
    BuildGroupLayerGlyphs(current_group_);
}

void TGroupLayerBars::PlaceButtons(int kind, const QRect& digits, const QRect& extra)
{
    TMainControls& c = host_.Controls();
    QWidget* digit_bar = kind == GroupKind ? c.tbGroup1 : c.tbLayer1;
    QWidget* extra_bar = kind == GroupKind ? c.tbGroup2 : c.tbLayer2;
    digit_bar->setGeometry(digits);
    extra_bar->setGeometry(extra);
    // The buttons flow in index order into rows as wide as their bar.
    const int per_row = std::max(1, digits.width() / ButtonWidth);
    for (int i = 0; i < 16; ++i)
        Button(kind, i)->move((i % per_row) * ButtonWidth, (i / per_row) * ButtonHeight);
    const int extra_per_row = std::max(1, extra.width() / ExtraButtonWidth);
    QToolButton* extra_buttons[] = { kind == GroupKind ? c.tbGAll : c.tbLAll, kind == GroupKind ? c.tbGSp : c.tbLSp };
    for (int i = 0; i < 2; ++i)
        extra_buttons[i]->move((i % extra_per_row) * ExtraButtonWidth, (i / extra_per_row) * ButtonHeight);
}

void TGroupLayerBars::ToolWindowResize(int kind)
{
    TToolWindow97* window = ToolWindow(kind);
    const QSize client(window->ClientAreaWidth(), window->ClientAreaHeight());
    const auto& shapes = Shapes();
    const auto exact = std::find_if(shapes.begin(), shapes.end(), [&](const TShape& shape) { return shape.client == client; });
    if (exact != shapes.end()) {
        PlaceButtons(kind, exact->digits, exact->extra);
        if (host_.Document())
            PaintGroupLayerButtons(*host_.Document(), kind, -1);
        return;
    }
    const auto shape = std::find_if(shapes.begin(), shapes.end(), [&](const TShape& candidate) {
        return client.width() < candidate.narrower_than || client.height() > candidate.taller_than;
    });
    window->BeginUpdate();
    PlaceButtons(kind, shape->digits, shape->extra);
    window->SetClientAreaSize(shape->client.width(), shape->client.height());
    window->EndUpdate();
}

bool TGroupLayerBars::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Resize) {
        // The client is resized while its window arranges itself, which
        // takes no new size then: the snap comes once that is done.
        for (const int kind : { GroupKind, LayerKind }) {
            if (watched != ToolWindow(kind)->Client() || resize_queued_[Bar(kind)])
                continue;
            resize_queued_[Bar(kind)] = true;
            QMetaObject::invokeMethod(
                this,
                [this, kind] {
                    resize_queued_[Bar(kind)] = false;
                    ToolWindowResize(kind);
                },
                Qt::QueuedConnection);
        }
        return false;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove
        && type != QEvent::MouseButtonRelease)
        return false;
    auto* button = qobject_cast<QToolButton*>(watched);
    if (!button)
        return false;
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    const QPoint at = mouse.position().toPoint();
    const QString name = button->objectName();
    // The digit buttons are pressed by the program alone: the write
    // target's stays down, whatever the mouse did.
    const bool digit = !IsAllButton(name) && !IsSpecialButton(name);
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        ButtonMouseDown(button, at.x(), at.y());
        return digit;
    case QEvent::MouseMove:
        ButtonMouseMove(button, at.x(), at.y());
        return false;
    default:
        if (digit && mouse.button() == Qt::LeftButton && button->rect().contains(at))
            ButtonClick();
        ButtonMouseUp(button, mouse.button(), mouse.modifiers(), at.x(), at.y());
        return digit;
    }
}

void TGroupLayerBars::ButtonMouseDown(QToolButton*, int x, int y)
{
    WriteDebugLog(PositionLog("<tbG0MouseDown>", x, y));
    press_position_ = QPoint(x, y);
    host_.State().GroupLayerRedrawPending = true;
}

void TGroupLayerBars::ButtonMouseMove(QToolButton*, int x, int y)
{
    if (QPoint(x, y) == press_position_)
        WriteDebugLog(PositionLog("<tbG0MouseMove>", x, y));
}

void TGroupLayerBars::ButtonClick()
{
    WriteDebugLog("<tbG0Click>");
}

void TGroupLayerBars::ButtonMouseUp(QToolButton* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                                    int y)
{
    WriteDebugLog(PositionLog("<tbG0MouseUp>", x, y));
    press_position_ = QPoint(x, y);
    const QString name = sender->objectName();
    const int kind = KindOf(name);
    if (IsAllButton(name)) {
        // The right button ends every time at editable: the click goes on
        // from the state before it.
        if (button == Qt::RightButton) {
            all_state_[Bar(kind)] = 1;
            AllClick(kind);
        }
        return;
    }
    if (IsSpecialButton(name) || !host_.Document())
        return;
    ChangeGroupOrLayer(kind, GetButtonSlot(kind, Tag(sender)), button, shift);
}

void TGroupLayerBars::ChangeGroupOrLayer(int kind, int slot, Qt::MouseButton button, Qt::KeyboardModifiers shift)
{
    TMainState& state = host_.State();
    state.DoubleClickSuppression = 1;
    TZhdData& document = *host_.Document();
    const unsigned serial = state.DrawingSerial;
    TZhdHead head = document.GetHeadPtr();
    const TInfoREG info = document.GetInfoRegPtr();
    const int w = head.GetWriteGroup();
    const int target = kind == GroupKind ? w : head.GetGroup(w).GetWriteLayer();
    if (button == Qt::RightButton) {
        if (slot == target) {
            if (actions_.show_overview)
                head = actions_.show_overview(kind == GroupKind ? -1 : w, head);
        } else if (MoveWriteTarget(head, kind, slot) && kind == GroupKind) {
            current_group_ = slot;
            const int unit = status_buttons_.DisplayUnit();
            status_buttons_.SetUnitFactor(unit == 0   ? head.GetGroupScale(slot)
                                          : unit == 1 ? head.GetGroupScale(slot) * 0.001
                                                      : 1.0);
        }
    } else if (button == Qt::LeftButton) {
        if (slot == target)
            SelectWriteTarget(kind, slot);
        else
            ClickGroupLayer(head, kind, slot, shift);
    }
    // The overview and the double-click wait let other events run: a
    // drawing opened meanwhile is not given this one's header and view.
    if (state.DrawingSerial != serial)
        return;
    document.SetInfoReg(info);
    document.SetHead(std::move(head));
    PaintGroupLayerButtons(document, kind, -1);
    // Index -1 repaints the whole bar, every button with it.
    if (kind == GroupKind && button == Qt::RightButton)
        PaintGroupLayerButtons(document, LayerKind, -1);
    RenarrowCandidates();
}

// The write target's contents shown selected over the view; a double click
// adds them to the selection there was.
void TGroupLayerBars::SelectWriteTarget(int kind, int slot)
{
    TMainState& state = host_.State();
    const unsigned serial = state.DrawingSerial;
    state.DoubleClickSuppression = 0;
    const int keep = actions_.wait_double_click ? actions_.wait_double_click(0.4) : 0;
    if (state.DrawingSerial != serial || !host_.Document())
        return;
    TZhdData& document = *host_.Document();
    if (kind == GroupKind)
        document.SelectGroup(slot, keep);
    else
        document.SelectLayer(document.GetHeadPtr().GetWriteGroup(), slot, keep);
    document.RefreshLayerStates();
    TPaintBox* paint_box = host_.Controls().PaintBox1;
    {
        TImageCanvas canvas(paint_box->Front());
        document.GetElemListPtr().DrawSelected(canvas, document);
        canvas.Finish();
    }
    paint_box->ShowFront();
    state.WriteTargetSelection = true;
}

void TGroupLayerBars::AllClick(int kind)
{
    int& all_state = all_state_[Bar(kind)];
    all_state = (all_state + 1) % 3;
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TZhdHead head = document->GetHeadPtr();
    const int w = head.GetWriteGroup();
    const auto apply = [all_state](auto& item) {
        if (item.GetProtect() < 2)
            item.SetState(all_state);
    };
    if (kind == GroupKind) {
        for (int i = 0; i < 16; ++i) {
            if (i == w)
                continue;
            TZhdGrp group = head.GetGroup(i);
            apply(group);
            head.SetGroup(i, group);
        }
    } else {
        TZhdGrp group = head.GetGroup(w);
        for (int j = 0; j < 16; ++j) {
            if (j == group.GetWriteLayer())
                continue;
            TZhdLay layer = group.GetLayer(j);
            apply(layer);
            group.SetLayer(j, layer);
        }
        head.SetGroup(w, group);
    }
    document->SetHead(std::move(head));
    // Index -1 repaints the whole bar, every button with it.
    PaintGroupLayerButtons(*document, kind, -1);
    RenarrowCandidates();
}

void TGroupLayerBars::FlipClick()
{
    TMainState& state = host_.State();
    TZhdData* document = host_.Document();
    if (!document)
        return;
    if (state.TemporaryFullView) {
        state.TemporaryFullView = false;
        host_.Redraw("GLFlip()");
    } else {
        state.TemporaryFullView = true;
        TZhdHead kept = document->GetHeadPtr();
        TZhdHead flipped = kept;
        for (int g = 0; g < 16; ++g) {
            TZhdGrp group = flipped.GetGroup(g);
            const bool shown = group.GetState() > 1;
            const bool group_protected = group.GetProtect() != 0;
            if (!shown)
                group.SetState(LayerEditable);
            for (int l = 0; l < 16; ++l) {
                TZhdLay layer = group.GetLayer(l);
                if (shown)
                    layer.SetState(layer.GetState() > 1 ? LayerHidden : LayerEditable);
                else
                    layer.SetState(group_protected || layer.GetProtect() != 0 ? LayerDisplayOnly : LayerEditable);
                group.SetLayer(l, layer);
            }
            flipped.SetGroup(g, group);
        }
        // Only the picture shows the flipped states.
        document->SetHead(std::move(flipped));
        host_.Redraw("GLFlip()");
        document->SetHead(std::move(kept));
    }
    RenarrowCandidates();
}

void TGroupLayerBars::GroupWindowClick()
{
    TToolWindow97* window = ToolWindow(GroupKind);
    window->setVisible(!window->Visible());
    RenarrowCandidates();
}

void TGroupLayerBars::RenarrowCandidates()
{
    if (host_.Controls().cbSearchNarrow->isChecked() && actions_.narrow_candidates)
        actions_.narrow_candidates();
}
