#pragma once

// TToolbarButton97: the flat push button of the toolbars. It paints itself:
// a flat face whose border lights up while the mouse is over it ("hot"),
// a sunken face while pressed or while it stays down as the chosen member of
// an exclusive group, a repeated click while held, and a popup menu dropped
// from the whole button or, as a combo, from a separate arrow part at its
// right. It takes no focus.
//
// States: up, mouse-in (hot) on enter and back on leave; down while the left
// button is pressed on it; exclusive while it stays Down in a group;
// disabled while disabled. One button at a time is hot
// (ButtonMouseInControl). The hot state follows Qt's enter and leave events
// and the mouse moves over the button, so a button that lost its hot look
// to a click lights up again at the next move.

#include "controls/ButtonGlyph.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QMouseEvent;
class QTimer;

enum TButtonDisplayMode { dmBoth, dmGlyphOnly, dmTextOnly };

class TToolbarButton97;
// Runs before the menu drops down: ShowMenu (whether the menu shows) and
// RemoveClicks (whether presses on the button while the menu is open are
// dropped) may be changed.
using TButtonDropdownEvent = std::function<void(TToolbarButton97* sender, bool& ShowMenu, bool& RemoveClicks)>;

class TToolbarButton97 : public QWidget {
    Q_OBJECT
public:
    explicit TToolbarButton97(QWidget* parent = nullptr);
    ~TToolbarButton97() override;

    // The button that shows the hot state now, or null.
    static TToolbarButton97* ButtonMouseInControl();
    // Whether a clicked button shows down until its click has run.
    static inline bool ButtonsStayDown = true;

    QAction* Action() const { return action_; }
    // Caption, Enabled, Down (from Checked) and Hint follow the action; a
    // click triggers it.
    void SetAction(QAction* action);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool AllowAllUp() const { return allow_all_up_; }
    void SetAllowAllUp(bool allow_all_up);
    QColor Color() const;
    void SetColor(const QColor& colour);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel);
    bool Default() const { return default_; }
    void SetDefault(bool is_default);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TButtonDisplayMode DisplayMode() const { return display_mode_; }
    void SetDisplayMode(TButtonDisplayMode mode);
    bool Down() const { return down_; }
    // Without a group index the value is taken as false; a down button of a
    // group without AllowAllUp stays down.
    void SetDown(bool down);
    bool DropdownAlways() const { return dropdown_always_; }
    void SetDropdownAlways(bool always);
    bool DropdownArrow() const { return dropdown_arrow_; }
    void SetDropdownArrow(bool arrow);
    int DropdownArrowWidth() const { return dropdown_arrow_width_; }
    // Values below 7 become 7.
    void SetDropdownArrowWidth(int width);
    bool DropdownCombo() const { return dropdown_combo_; }
    // The button grows by the arrow part when switched on, shrinks when off.
    void SetDropdownCombo(bool combo);
    QMenu* DropdownMenu() const { return dropdown_menu_; }
    void SetDropdownMenu(QMenu* menu);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    QImage Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const QImage& glyph);
    QImage GlyphMask() const { return glyph_.GlyphMask(); }
    void SetGlyphMask(const QImage& mask);
    int GroupIndex() const { return group_index_; }
    void SetGroupIndex(int group_index);
    bool HighlightWhenDown() const { return highlight_when_down_; }
    void SetHighlightWhenDown(bool highlight);
    QString Hint() const { return hint_; }
    // "tip|status".
    void SetHint(const QString& hint);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return margin_; }
    // -1 centres; values below -1 are ignored.
    void SetMargin(int margin);
    int ModalResult() const { return modal_result_; }
    void SetModalResult(int modal_result) { modal_result_ = modal_result; }
    bool NoBorder() const { return no_border_; }
    void SetNoBorder(bool no_border);
    int NumGlyphs() const { return glyph_.GlyphCount(); }
    // Clamped to 1 .. 5.
    void SetNumGlyphs(int count);
    bool OldDisabledStyle() const { return glyph_.OldDisabledStyle(); }
    void SetOldDisabledStyle(bool old_style);
    bool Opaque() const { return opaque_; }
    void SetOpaque(bool opaque);
    bool Repeating() const { return repeating_; }
    void SetRepeating(bool repeating);
    int RepeatDelay() const { return repeat_delay_; }
    void SetRepeatDelay(int milliseconds) { repeat_delay_ = milliseconds; }
    int RepeatInterval() const { return repeat_interval_; }
    void SetRepeatInterval(int milliseconds) { repeat_interval_ = milliseconds; }
    bool ShowBorderWhenInactive() const { return show_border_when_inactive_; }
    void SetShowBorderWhenInactive(bool show);
    int Spacing() const { return spacing_; }
    // -1 = automatic.
    void SetSpacing(int spacing);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool word_wrap);
    TButtonDropdownEvent OnDropdown;

    TButtonState97 State() const { return state_; }
    bool MouseIn() const { return mouse_in_; }

    // Runs the click: toggles a group button, drops the menu down or fires
    // clicked() and the action.
    void Click();
    // Releases the other buttons of the group on the same parent when this
    // one is down, and hands them this button's AllowAllUp.
    void UpdateExclusive();
    // Schedules a repaint.
    void Redraw();
    // Whether the point lies on the button, outside the arrow part of a combo.
    bool PointInButton(QPoint point) const;

    QSize sizeHint() const override;

signals:
    void clicked();
    void dblClicked();
    void mouseEntered();
    void mouseExited();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool UsesDropdown() const { return dropdown_always_ || dropdown_menu_ != nullptr; }
    bool IsCombo() const { return dropdown_combo_ && UsesDropdown(); }
    TButtonState97 RestingState() const;
    void TakeHotState();
    void MouseEntered();
    void MouseLeft();
    void CancelMode();
    void RepeatTimerTick();
    void StopRepeatTimer();
    void InheritedClick();
    // Shows the menu; false when the button was destroyed meanwhile.
    bool DropDown();
    void GrabShortcuts();
    void ActionChange();
    void EnabledChanged();
    TButtonColours Colours() const;
    void PaintFrame(QPainter& painter, const QRect& rect, bool sunken) const;

    TButtonGlyph glyph_;
    TButtonState97 state_ = bsUp;
    QString caption_;
    QString hint_;
    TAlignment alignment_ = taCenter;
    TButtonDisplayMode display_mode_ = dmBoth;
    TButtonLayout layout_ = blGlyphLeft;
    bool allow_all_up_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool down_ = false;
    bool dropdown_always_ = false;
    bool dropdown_arrow_ = true;
    int dropdown_arrow_width_ = 9;
    bool dropdown_combo_ = false;
    QPointer<QMenu> dropdown_menu_;
    QPointer<QAction> action_;
    bool flat_ = true;
    int group_index_ = 0;
    bool highlight_when_down_ = true;
    int margin_ = -1;
    int modal_result_ = 0;
    bool no_border_ = false;
    bool opaque_ = true;
    bool repeating_ = false;
    int repeat_delay_ = 400;
    int repeat_interval_ = 100;
    bool show_border_when_inactive_ = false;
    int spacing_ = 4;
    bool word_wrap_ = false;

    bool in_click_ = false;
    bool mouse_in_ = false;
    bool mouse_down_ = false;
    // The press started on the dropdown part.
    bool menu_down_ = false;
    bool remove_clicks_ = true;
    // Presses that came while the menu was open, to be delivered after it.
    std::vector<std::unique_ptr<QMouseEvent>> kept_presses_;
    // Set while the button itself changes its action's Checked.
    bool updating_action_ = false;
    QPoint last_mouse_pos_;
    QTimer* repeat_timer_ = nullptr;
    std::vector<int> shortcut_ids_;
};
