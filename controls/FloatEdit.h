#pragma once

// TFloatEdit: a numeric edit (controls/NumericEdit.h) holding a double.
// Without the focus it shows the value with Place decimals and a "+" before
// values of at least 0 when Sign (after the yen sign); with the focus it
// shows the plain shortest form and takes only digits, "+", "-", "." and
// control keys. Leaving it reads the text back; an empty text is 0.
//
// Text that is not a number (left in the edit or assigned to Text) changes
// nothing: the value stays, the edit shows it again formatted, and the user
// is told "'<text>' は浮動小数点数ではありません".

#include "controls/NumericEdit.h"

class TFloatEdit : public TNumericEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(int Place READ Place WRITE SetPlace)
    Q_PROPERTY(bool Sign READ Sign WRITE SetSign)
public:
    // Starts with an empty text and the value 0.
    explicit TFloatEdit(QWidget* parent = nullptr);

    double Value() const { return value_; }
    // With Abs a value below 0 is stored positive; the text is reformatted.
    void SetValue(double value);
    int Place() const { return place_; }
    // Stores the number of decimals without its sign.
    void SetPlace(int place);
    bool Sign() const { return sign_; }
    void SetSign(bool sign);

    // Reads the text as a number (empty: 0) into Value; for text that is no
    // number see above.
    void SetText(const QString& text);
    // Whether the text now in the edit will be taken on leaving it (a
    // number, or empty for 0); a form that acts on leaving can ask first.
    bool HoldsNumber() const;

protected:
    void ShowValue() override { SetValue(value_); }
    QString PlainText() const override;
    bool TakesCharacter(char16_t code) const override;
    void ReadLeftText(const QString& text) override;

private:
    // Value from the text; false, with the value shown again, when the text
    // is no number.
    bool ReadText(const QString& text);

    double value_ = 0;
    int place_ = 0;
    bool sign_ = false;
};

// "'<text>' は浮動小数点数ではありません".
QString FloatConversionMessage(const QString& text);
