#pragma once

// TEdit97: a single-line edit for toolbars that draws its own flat frame,
// three pixels on every side. Cold, the frame is two rings of the button
// face and one of the window colour, so the edit sits flat on its toolbar;
// hot (focused, or under the mouse while no other 97 control has the focus)
// it is a thin sunken frame. Its height follows its font: text height + 6.

#include <QLineEdit>

class TEdit97 : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit97(QWidget* parent = nullptr);
    ~TEdit97() override;

    // The owning form calls this once it has set the properties: the height
    // then follows the font the edit ended up with.
    void Loaded();
    // Height = text height of the font + 6.
    void NewAdjustHeight();

    // Whether the frame is drawn hot.
    bool IsHot() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ApplyEnabledColour();
    void DrawFrame(QPainter& painter) const;

    bool mouse_in_ = false;
};
