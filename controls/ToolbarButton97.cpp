#include "controls/ToolbarButton97.h"

#include "controls/EdgePainting.h"
#include "controls/HookSubscription.h"
#include "controls/ToolbarTypes.h"
#include "platform/ui/FormSupport.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int minimum_arrow_width = 7;
constexpr QSize default_size(23, 22);

TToolbarButton97* mouse_in_control = nullptr;

// The face of a button that stays down: the face colour with the highlight
// on every pixel whose x and y have the same parity. Rebuilt when either
// colour changes.
const QImage& DitherPattern(const QColor& face, const QColor& highlight)
{
    static QImage pattern;
    static QColor built_face;
    static QColor built_highlight;
    if (pattern.isNull() || face != built_face || highlight != built_highlight) {
        pattern = QImage(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x)
                pattern.setPixelColor(x, y, (x % 2) == (y % 2) ? highlight : face);
        }
        built_face = face;
        built_highlight = highlight;
    }
    return pattern;
}

} // namespace

TToolbarButton97::TToolbarButton97(QWidget* parent)
    : QWidget(parent)
{
    resize(default_size);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    glyph_.SetColours(Colours());
    glyph_.SetOnChange([this] { Redraw(); });
}

TToolbarButton97::~TToolbarButton97()
{
    // The hot button is remembered across buttons; a destroyed one must not
    // be told later that the mouse left it.
    if (mouse_in_control == this)
        mouse_in_control = nullptr;
    glyph_.SetOnChange({});
}

TToolbarButton97* TToolbarButton97::ButtonMouseInControl()
{
    return mouse_in_control;
}

QSize TToolbarButton97::sizeHint() const
{
    return size();
}

TButtonColours TToolbarButton97::Colours() const
{
    const QPalette& colours = palette();
    return { colours.color(QPalette::Button), colours.color(QPalette::Light), colours.color(QPalette::Dark),
             colours.color(QPalette::ButtonText) };
}

TButtonState97 TToolbarButton97::RestingState() const
{
    return down_ && group_index_ != 0 ? bsExclusive : bsUp;
}

void TToolbarButton97::Redraw()
{
    update();
}

// ---------------------------------------------------------------------------
// Properties

void TToolbarButton97::SetAlignment(TAlignment alignment)
{
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    Redraw();
}

void TToolbarButton97::SetAllowAllUp(bool allow_all_up)
{
    if (allow_all_up == allow_all_up_)
        return;
    allow_all_up_ = allow_all_up;
    UpdateExclusive();
}

QColor TToolbarButton97::Color() const
{
    return palette().color(QPalette::Button);
}

void TToolbarButton97::SetColor(const QColor& colour)
{
    if (colour == Color())
        return;
    QPalette colours = palette();
    colours.setColor(QPalette::Button, colour);
    setPalette(colours);
}

void TToolbarButton97::SetCancel(bool cancel)
{
    if (cancel == cancel_)
        return;
    cancel_ = cancel;
    GrabShortcuts();
}

void TToolbarButton97::SetDefault(bool is_default)
{
    if (is_default == default_)
        return;
    default_ = is_default;
    GrabShortcuts();
}

void TToolbarButton97::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    GrabShortcuts();
    Redraw();
}

void TToolbarButton97::SetDisplayMode(TButtonDisplayMode mode)
{
    if (mode == display_mode_)
        return;
    display_mode_ = mode;
    Redraw();
}

void TToolbarButton97::SetDown(bool down)
{
    if (group_index_ == 0)
        down = false;
    if (down == down_ || (down_ && !allow_all_up_))
        return;
    down_ = down;
    state_ = !isEnabled() ? bsDisabled : down_ ? bsExclusive : bsUp;
    Redraw();
    if (down_)
        UpdateExclusive();
    if (action_ && action_->isCheckable() && action_->isChecked() != down_) {
        updating_action_ = true;
        action_->setChecked(down_);
        updating_action_ = false;
    }
}

void TToolbarButton97::UpdateExclusive()
{
    if (group_index_ == 0 || parentWidget() == nullptr)
        return;
    for (QObject* child : parentWidget()->children()) {
        auto* other = qobject_cast<TToolbarButton97*>(child);
        if (other == nullptr || other == this || other->group_index_ != group_index_)
            continue;
        if (down_ && other->down_) {
            other->down_ = false;
            other->state_ = other->isEnabled() ? bsUp : bsDisabled;
            other->Redraw();
        }
        other->allow_all_up_ = allow_all_up_;
    }
}

void TToolbarButton97::SetDropdownAlways(bool always)
{
    if (always == dropdown_always_)
        return;
    const bool used = UsesDropdown();
    dropdown_always_ = always;
    if (used != UsesDropdown() && (dropdown_arrow_ || dropdown_combo_))
        Redraw();
}

void TToolbarButton97::SetDropdownArrow(bool arrow)
{
    if (arrow == dropdown_arrow_)
        return;
    dropdown_arrow_ = arrow;
    Redraw();
}

void TToolbarButton97::SetDropdownArrowWidth(int width)
{
    width = std::max(width, minimum_arrow_width);
    if (width == dropdown_arrow_width_)
        return;
    if (dropdown_combo_)
        resize(std::max(1, this->width() + width - dropdown_arrow_width_), height());
    dropdown_arrow_width_ = width;
    Redraw();
}

void TToolbarButton97::SetDropdownCombo(bool combo)
{
    if (combo == dropdown_combo_)
        return;
    dropdown_combo_ = combo;
    const int part = dropdown_arrow_width_ + 2;
    resize(std::max(1, width() + (combo ? part : -part)), height());
    Redraw();
}

void TToolbarButton97::SetDropdownMenu(QMenu* menu)
{
    if (menu == dropdown_menu_)
        return;
    const bool used = UsesDropdown();
    dropdown_menu_ = menu;
    if (used != UsesDropdown() && (dropdown_arrow_ || dropdown_combo_))
        Redraw();
}

void TToolbarButton97::SetFlat(bool flat)
{
    if (flat == flat_)
        return;
    flat_ = flat;
    setAttribute(Qt::WA_OpaquePaintEvent, opaque_ || !flat_);
    Redraw();
}

void TToolbarButton97::SetOpaque(bool opaque)
{
    if (opaque == opaque_)
        return;
    opaque_ = opaque;
    setAttribute(Qt::WA_OpaquePaintEvent, opaque_ || !flat_);
    Redraw();
}

void TToolbarButton97::SetGlyph(const QImage& glyph)
{
    glyph_.AssignGlyph(glyph);
}

void TToolbarButton97::SetGlyphMask(const QImage& mask)
{
    glyph_.AssignGlyphMask(mask);
}

void TToolbarButton97::SetNumGlyphs(int count)
{
    count = std::clamp(count, 1, ButtonStateCount);
    if (count == glyph_.GlyphCount())
        return;
    glyph_.SetGlyphCount(count);
}

void TToolbarButton97::SetOldDisabledStyle(bool old_style)
{
    glyph_.SetOldDisabledStyle(old_style);
}

void TToolbarButton97::SetGroupIndex(int group_index)
{
    if (group_index == group_index_)
        return;
    group_index_ = group_index;
    UpdateExclusive();
}

void TToolbarButton97::SetHighlightWhenDown(bool highlight)
{
    if (highlight == highlight_when_down_)
        return;
    highlight_when_down_ = highlight;
    if (down_)
        Redraw();
}

void TToolbarButton97::SetHint(const QString& hint)
{
    hint_ = hint;
    ApplyHint(this, hint);
}

void TToolbarButton97::SetLayout(TButtonLayout layout)
{
    if (layout == layout_)
        return;
    layout_ = layout;
    Redraw();
}

void TToolbarButton97::SetMargin(int margin)
{
    if (margin == margin_ || margin < -1)
        return;
    margin_ = margin;
    Redraw();
}

void TToolbarButton97::SetNoBorder(bool no_border)
{
    if (no_border == no_border_)
        return;
    no_border_ = no_border;
    Redraw();
}

void TToolbarButton97::SetRepeating(bool repeating)
{
    repeating_ = repeating;
}

void TToolbarButton97::SetShowBorderWhenInactive(bool show)
{
    if (show == show_border_when_inactive_)
        return;
    show_border_when_inactive_ = show;
    Redraw();
}

void TToolbarButton97::SetSpacing(int spacing)
{
    if (spacing == spacing_)
        return;
    spacing_ = spacing;
    Redraw();
}

void TToolbarButton97::SetWordWrap(bool word_wrap)
{
    if (word_wrap == word_wrap_)
        return;
    word_wrap_ = word_wrap;
    Redraw();
}

// ---------------------------------------------------------------------------
// Action link

void TToolbarButton97::SetAction(QAction* action)
{
    if (action == action_)
        return;
    if (action_)
        disconnect(action_, nullptr, this, nullptr);
    action_ = action;
    if (action_ == nullptr)
        return;
    connect(action_, &QAction::changed, this, &TToolbarButton97::ActionChange);
    ActionChange();
}

void TToolbarButton97::ActionChange()
{
    if (!action_ || updating_action_)
        return;
    SetCaption(action_->text());
    setEnabled(action_->isEnabled());
    if (action_->isCheckable())
        SetDown(action_->isChecked());
    const QString status = action_->statusTip();
    SetHint(status.isEmpty() ? action_->toolTip() : action_->toolTip() + '|' + status);
}

// ---------------------------------------------------------------------------
// Hot tracking

void TToolbarButton97::TakeHotState()
{
    if (mouse_in_control == this)
        return;
    if (mouse_in_control != nullptr)
        mouse_in_control->MouseLeft();
    if (show_border_when_inactive_ || ApplicationIsActive()) {
        mouse_in_control = this;
        MouseEntered();
    }
}

void TToolbarButton97::MouseEntered()
{
    if (!isEnabled() || mouse_in_)
        return;
    mouse_in_ = true;
    if (state_ == bsUp)
        state_ = bsMouseIn;
    Redraw();
    emit mouseEntered();
}

void TToolbarButton97::MouseLeft()
{
    // Without this the same button could not become hot again: taking the
    // hot state skips the button that already holds it.
    if (mouse_in_control == this && !mouse_down_)
        mouse_in_control = nullptr;
    if (!isEnabled() || !mouse_in_ || mouse_down_)
        return;
    mouse_in_ = false;
    if (state_ == bsMouseIn || (state_ == bsDown && !in_click_))
        state_ = RestingState();
    Redraw();
    emit mouseExited();
}

void TToolbarButton97::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    last_mouse_pos_ = event->position().toPoint();
    TakeHotState();
}

void TToolbarButton97::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MouseLeft();
}

// ---------------------------------------------------------------------------
// Mouse

void TToolbarButton97::mousePressEvent(QMouseEvent* event)
{
    last_mouse_pos_ = event->position().toPoint();
    if (in_click_) {
        // A press on the button while its own menu is open: dropped, or,
        // when the dropdown handler wants the clicks kept, delivered once
        // the menu has closed.
        if (!remove_clicks_)
            kept_presses_.emplace_back(event->clone());
        return;
    }
    if (!isEnabled())
        return;
    TakeHotState();
    MouseEntered();
    if (event->button() != Qt::LeftButton)
        return;
    menu_down_ = UsesDropdown()
        && (!dropdown_combo_ || event->position().x() >= width() - dropdown_arrow_width_ - 2);
    if (!down_) {
        state_ = bsDown;
        Redraw();
    } else if (allow_all_up_) {
        Redraw();
    }
    if (!menu_down_)
        mouse_down_ = true;
    QPointer<TToolbarButton97> alive(this);
    if (menu_down_) {
        Click();
    } else if (repeating_) {
        Click();
        if (alive) {
            if (repeat_timer_ == nullptr) {
                repeat_timer_ = new QTimer(this);
                connect(repeat_timer_, &QTimer::timeout, this, &TToolbarButton97::RepeatTimerTick);
            }
            repeat_timer_->start(repeat_delay_);
        }
    }
    if (alive)
        menu_down_ = false;
}

void TToolbarButton97::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click presses the button like the first.
    QPointer<TToolbarButton97> alive(this);
    mousePressEvent(event);
    if (alive && event->button() == Qt::LeftButton && down_)
        emit dblClicked();
}

void TToolbarButton97::mouseMoveEvent(QMouseEvent* event)
{
    last_mouse_pos_ = event->position().toPoint();
    if (!mouse_down_) {
        if (!mouse_in_ && rect().contains(last_mouse_pos_))
            TakeHotState();
        return;
    }
    const bool inside = PointInButton(last_mouse_pos_);
    if (inside && repeat_timer_ != nullptr && !repeat_timer_->isActive())
        repeat_timer_->start(repeat_interval_);
    const TButtonState97 state = down_ ? bsExclusive : inside ? bsDown : bsUp;
    if (state != state_) {
        state_ = state;
        Redraw();
    }
}

void TToolbarButton97::mouseReleaseEvent(QMouseEvent* event)
{
    last_mouse_pos_ = event->position().toPoint();
    StopRepeatTimer();
    if (event->button() == Qt::RightButton && isEnabled()) {
        mouse_down_ = false;
        MouseLeft();
    }
    if (event->button() != Qt::LeftButton || !mouse_down_)
        return;
    mouse_down_ = false;
    if (!PointInButton(last_mouse_pos_) || repeating_)
        MouseLeft();
    else
        Click();
}

void TToolbarButton97::RepeatTimerTick()
{
    repeat_timer_->setInterval(repeat_interval_);
    if (repeating_ && mouse_down_ && PointInButton(last_mouse_pos_))
        Click();
    else if (repeat_timer_ != nullptr)
        repeat_timer_->stop();
}

void TToolbarButton97::StopRepeatTimer()
{
    delete repeat_timer_;
    repeat_timer_ = nullptr;
}

void TToolbarButton97::CancelMode()
{
    StopRepeatTimer();
    if (mouse_down_) {
        mouse_down_ = false;
        MouseLeft();
    }
}

bool TToolbarButton97::PointInButton(QPoint point) const
{
    const int right = IsCombo() ? width() - (dropdown_arrow_width_ + 2) : width();
    return point.x() >= 0 && point.x() < right && point.y() >= 0 && point.y() < height();
}

// ---------------------------------------------------------------------------
// Click

void TToolbarButton97::InheritedClick()
{
    QPointer<TToolbarButton97> alive(this);
    emit clicked();
    if (!alive || !action_)
        return;
    if (action_->isCheckable() && group_index_ != 0) {
        // The button has already settled its Down; the trigger toggles
        // Checked, so it starts from the opposite and ends equal to Down.
        updating_action_ = true;
        action_->setChecked(!down_);
        updating_action_ = false;
    }
    action_->trigger();
}

void TToolbarButton97::Click()
{
    if (repeating_ && !menu_down_) {
        InheritedClick();
        return;
    }
    // A click handler or a menu command may destroy the button.
    QPointer<TToolbarButton97> alive(this);
    in_click_ = true;
    if (group_index_ != 0 && !menu_down_)
        SetDown(!down_);
    const bool show_dropdown = UsesDropdown() && (!dropdown_combo_ || menu_down_);
    if (show_dropdown || ButtonsStayDown) {
        if (state_ == bsUp || state_ == bsMouseIn) {
            state_ = bsDown;
            Redraw();
        }
    } else if (state_ == bsDown) {
        state_ = RestingState();
        Redraw();
    }
    MouseLeft();
    if (!show_dropdown) {
        if (auto* dialog = qobject_cast<QDialog*>(window()); dialog != nullptr && modal_result_ != 0)
            ::SetModalResult(dialog, modal_result_);
        InheritedClick();
    } else {
        if (!dropdown_combo_)
            InheritedClick();
        if (alive)
            DropDown();
    }
    if (!alive)
        return;
    in_click_ = false;
    if (state_ == bsDown)
        state_ = bsUp;
    Redraw();
    MouseLeft();
    for (auto& press : kept_presses_)
        QCoreApplication::postEvent(this, press.release());
    kept_presses_.clear();
}

bool TToolbarButton97::DropDown()
{
    QPointer<TToolbarButton97> alive(this);
    bool show_menu = dropdown_menu_ != nullptr;
    bool remove_clicks = true;
    if (OnDropdown)
        OnDropdown(this, show_menu, remove_clicks);
    if (!alive)
        return false;
    remove_clicks_ = remove_clicks;
    if (!show_menu || !dropdown_menu_)
        return true;
    // Under the button; beside it on a toolbar docked at the left, and to
    // its left, right-aligned, on one docked at the right.
    const TGetToolbarDockPosType dock = GetToolbarDockPosProc != nullptr ? GetToolbarDockPosProc(parentWidget())
                                                                          : gtpNone;
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (dock == gtpLeft)
        at = mapToGlobal(QPoint(width(), 0));
    else if (dock == gtpRight)
        at = mapToGlobal(QPoint(0, 0)) - QPoint(dropdown_menu_->sizeHint().width(), 0);
    dropdown_menu_->exec(at);
    return alive != nullptr;
}

// ---------------------------------------------------------------------------
// Keyboard: the caption's mnemonic, Enter for the default button, Escape
// for the cancel button, in the button's window.

void TToolbarButton97::GrabShortcuts()
{
    for (const int id : shortcut_ids_)
        releaseShortcut(id);
    shortcut_ids_.clear();
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption_);
    if (!mnemonic.isEmpty())
        shortcut_ids_.push_back(grabShortcut(mnemonic));
    if (default_) {
        shortcut_ids_.push_back(grabShortcut(QKeySequence(Qt::Key_Return)));
        shortcut_ids_.push_back(grabShortcut(QKeySequence(Qt::Key_Enter)));
    }
    if (cancel_)
        shortcut_ids_.push_back(grabShortcut(QKeySequence(Qt::Key_Escape)));
}

bool TToolbarButton97::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        const bool by_mnemonic = shortcut->key() == QKeySequence::mnemonic(caption_);
        if (isEnabled() && isVisible() && !(by_mnemonic && display_mode_ == dmGlyphOnly)) {
            Click();
            return true;
        }
    }
    return QWidget::event(event);
}

void TToolbarButton97::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        EnabledChanged();
        break;
    case QEvent::ActivationChange:
        // The hot border goes with the application's activation, and a
        // held button lets go as the mouse capture is lost.
        if (!isActiveWindow()) {
            CancelMode();
            if (mouse_in_ && !show_border_when_inactive_)
                MouseLeft();
        }
        break;
    case QEvent::PaletteChange:
        glyph_.SetColours(Colours());
        Redraw();
        break;
    case QEvent::FontChange:
        Redraw();
        break;
    default:
        break;
    }
}

void TToolbarButton97::EnabledChanged()
{
    if (!isEnabled()) {
        state_ = bsDisabled;
        mouse_in_ = false;
        mouse_down_ = false;
        if (mouse_in_control == this)
            mouse_in_control = nullptr;
        CancelMode();
    } else if (state_ == bsDisabled) {
        state_ = RestingState();
    }
    Redraw();
}

// ---------------------------------------------------------------------------
// Painting

void TToolbarButton97::PaintFrame(QPainter& painter, const QRect& rect, bool sunken) const
{
    const TButtonColours colours = Colours();
    if (flat_) {
        if (sunken)
            DrawRing(painter, rect, colours.shadow, colours.highlight);
        else
            DrawRing(painter, rect, colours.highlight, colours.shadow);
        return;
    }
    const QColor dark_shadow = palette().color(QPalette::Shadow);
    const QColor midlight = palette().color(QPalette::Midlight);
    if (sunken) {
        DrawRing(painter, rect, colours.shadow, colours.highlight);
        DrawRing(painter, rect.adjusted(1, 1, -1, -1), dark_shadow, midlight);
    } else {
        DrawRing(painter, rect, colours.highlight, dark_shadow);
        DrawRing(painter, rect.adjusted(1, 1, -1, -1), midlight, colours.shadow);
    }
}

void TToolbarButton97::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setFont(font());
    const TButtonColours colours = Colours();
    glyph_.SetColours(colours);
    if (opaque_ || !flat_)
        painter.fillRect(rect(), colours.face);

    const bool down = state_ == bsDown || state_ == bsExclusive;
    const bool combo = IsCombo();
    const bool pushed = state_ == bsExclusive || (state_ == bsDown && !menu_down_);
    const bool border = !no_border_ && (!flat_ || down || (mouse_in_ && state_ != bsDisabled));

    QRect r = rect();
    const int arrow_part = dropdown_arrow_width_ + 2;
    if (combo) {
        if (border)
            PaintFrame(painter, QRect(width() - arrow_part, 0, dropdown_arrow_width_, height()), down && menu_down_);
        r.setRight(r.right() - arrow_part);
    }
    if (border)
        PaintFrame(painter, r, pushed);
    if (!no_border_) {
        const int inset = flat_ ? 1 : 2;
        r.adjust(inset, inset, -inset, -inset);
    }
    QPoint offset(0, 0);
    if (pushed) {
        if (state_ == bsExclusive && !(flat_ && mouse_in_) && !menu_down_ && highlight_when_down_)
            painter.fillRect(r, QBrush(DitherPattern(colours.face, colours.highlight)));
        offset = QPoint(1, 1);
    }

    TGlyphLayoutInput input;
    input.client = r;
    input.offset = offset;
    input.caption = caption_;
    input.layout = layout_;
    input.margin = margin_;
    input.spacing = spacing_;
    input.show_glyph = display_mode_ != dmTextOnly;
    input.show_caption = display_mode_ != dmGlyphOnly;
    input.word_wrap = word_wrap_;
    input.dropdown_arrow = UsesDropdown() && !dropdown_combo_ && dropdown_arrow_;
    input.arrow_width = dropdown_arrow_width_;
    glyph_.Draw(painter, input, state_, alignment_);

    if (combo)
        glyph_.DrawDropdownArrow(painter, width() - arrow_part, height() / 2 - 1, dropdown_arrow_width_, state_);
}
