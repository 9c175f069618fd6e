#pragma once

// TNumberEdit: an edit holding a 32-bit integer. Without the focus it shows
// the value formatted (grouped with the locale's separator when Comma, after
// a yen sign when Yen); with the focus it shows the plain digits, selected,
// and takes only digits, blanks and control keys. Leaving it reads the text
// back: text that is not a 32-bit integer (letters, an overflow) gives 0.

#include <QLineEdit>

class TNumberEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_PROPERTY(bool Comma READ Comma WRITE SetComma)
    Q_PROPERTY(bool Yen READ Yen WRITE SetYen)
    Q_PROPERTY(bool Abs READ Abs WRITE SetAbs)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
public:
    // Starts with an empty text and the value 0, right-aligned, without the
    // input method.
    explicit TNumberEdit(QWidget* parent = nullptr);

    int Value() const { return value_; }
    // With Abs a negative value is stored positive; the text is reformatted.
    void SetValue(int value);
    bool Comma() const { return comma_; }
    void SetComma(bool comma);
    bool Yen() const { return yen_; }
    void SetYen(bool yen);
    bool Abs() const { return abs_; }
    void SetAbs(bool abs);
    bool AutoSelect() const { return auto_select_; }
    void SetAutoSelect(bool auto_select) { auto_select_ = auto_select; }

    // The text shown.
    QString Text() const { return text(); }
    // Reads the text as a decimal integer (0 when it is not one) into Value.
    void SetText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int value_ = 0;
    bool comma_ = false;
    bool yen_ = false;
    bool abs_ = false;
    bool auto_select_ = true;
};
