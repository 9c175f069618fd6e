#pragma once

// TNumberEdit: a numeric edit (controls/NumericEdit.h) holding a 32-bit
// integer. With the focus it takes only digits, blanks and control keys.
// Leaving it reads the text back: text that is not a 32-bit integer
// (letters, an overflow) gives 0.

#include "controls/NumericEdit.h"

class TNumberEdit : public TNumericEdit {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue)
public:
    // Starts with an empty text and the value 0.
    explicit TNumberEdit(QWidget* parent = nullptr);

    int Value() const { return value_; }
    // With Abs a negative value is stored positive; the text is reformatted.
    void SetValue(int value);

    // Reads the text as a decimal integer (0 when it is not one) into Value.
    void SetText(const QString& text);

protected:
    void ShowValue() override { SetValue(value_); }
    QString PlainText() const override { return QString::number(value_); }
    bool TakesCharacter(char16_t code) const override { return code >= u'0' && code <= u'9'; }
    void ReadLeftText(const QString& text) override { SetText(text); }

private:
    int value_ = 0;
};
