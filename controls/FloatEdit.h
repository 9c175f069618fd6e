#pragma once

// TFloatEdit: an edit holding a double. Without the focus it shows the value
// with Place decimals (grouped when Comma), a "+" before values of at least
// 0 when Sign, after a yen sign when Yen; with the focus it shows the plain
// shortest form, selected, and takes only digits, "+", "-", "." and control
// keys. Leaving it reads the text back; an empty text is 0.
//
// Text that is not a number (left in the edit or assigned to Text) changes
// nothing: the value stays, the edit shows it again formatted, and the user
// is told "'<text>' は浮動小数点数ではありません".

#include <QLineEdit>

class TFloatEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(int Place READ Place WRITE SetPlace)
    Q_PROPERTY(bool Comma READ Comma WRITE SetComma)
    Q_PROPERTY(bool Yen READ Yen WRITE SetYen)
    Q_PROPERTY(bool Sign READ Sign WRITE SetSign)
    Q_PROPERTY(bool Abs READ Abs WRITE SetAbs)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
public:
    // Starts with an empty text and the value 0, right-aligned, without the
    // input method.
    explicit TFloatEdit(QWidget* parent = nullptr);

    double Value() const { return value_; }
    // With Abs a value below 0 is stored positive; the text is reformatted.
    void SetValue(double value);
    int Place() const { return place_; }
    // Stores the number of decimals without its sign.
    void SetPlace(int place);
    bool Comma() const { return comma_; }
    void SetComma(bool comma);
    bool Yen() const { return yen_; }
    void SetYen(bool yen);
    bool Sign() const { return sign_; }
    void SetSign(bool sign);
    bool Abs() const { return abs_; }
    void SetAbs(bool abs);
    bool AutoSelect() const { return auto_select_; }
    void SetAutoSelect(bool auto_select) { auto_select_ = auto_select; }

    // The text shown.
    QString Text() const { return text(); }
    // Reads the text as a number (empty: 0) into Value; for text that is no
    // number see above.
    void SetText(const QString& text);
    // Whether the text now in the edit will be taken on leaving it (a
    // number, or empty for 0); a form that acts on leaving can ask first.
    bool HoldsNumber() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Value from the text; false, with the value shown again, when the text
    // is no number.
    bool ReadText(const QString& text);

    double value_ = 0;
    int place_ = 0;
    bool comma_ = false;
    bool yen_ = false;
    bool sign_ = false;
    bool abs_ = false;
    bool auto_select_ = true;
};

// "'<text>' は浮動小数点数ではありません".
QString FloatConversionMessage(const QString& text);
