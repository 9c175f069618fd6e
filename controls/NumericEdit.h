#pragma once

// TNumericEdit: what the integer edit (TNumberEdit) and the decimal edit
// (TFloatEdit) do alike. Without the focus the edit shows its value
// formatted: grouped with the locale's separator when Comma, after a yen
// sign when Yen; Abs keeps the value non-negative. With the focus it shows
// the plain value, selected when AutoSelect, and takes only the characters
// its kind of number may hold, blanks and control keys; Enter inserts
// nothing and presses no default button. Leaving it reads the text back.
//
// Texts are Unicode here, so the prefix is the yen sign itself rather than
// the backslash byte that Japanese fonts drew as one.

#include <QLineEdit>

class TNumericEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool Comma READ Comma WRITE SetComma)
    Q_PROPERTY(bool Yen READ Yen WRITE SetYen)
    Q_PROPERTY(bool Abs READ Abs WRITE SetAbs)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
public:
    bool Comma() const { return comma_; }
    void SetComma(bool comma);
    bool Yen() const { return yen_; }
    void SetYen(bool yen);
    bool Abs() const { return abs_; }
    // With Abs a negative value is stored positive; the text is reformatted.
    void SetAbs(bool abs);
    bool AutoSelect() const { return auto_select_; }
    void SetAutoSelect(bool auto_select) { auto_select_ = auto_select; }

    // The text shown.
    QString Text() const { return text(); }

signals:
    // The focus left the edit and its text was read back.
    void Left();

protected:
    // Starts with an empty text, right-aligned, without the input method.
    explicit TNumericEdit(QWidget* parent);

    // Stores the value it holds again, under the flags now set, and shows it.
    virtual void ShowValue() = 0;
    // The value as the edit shows it while it has the focus.
    virtual QString PlainText() const = 0;
    // Whether a printable ASCII character may be typed.
    virtual bool TakesCharacter(char16_t code) const = 0;
    // Reads the text the user left in the edit.
    virtual void ReadLeftText(const QString& text) = 0;

    // The formatted value, after the yen sign when Yen.
    QString WithYen(QString shown) const;

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool IsRefusedKey(const QKeyEvent& event) const;

    bool comma_ = false;
    bool yen_ = false;
    bool abs_ = false;
    bool auto_select_ = true;
};
