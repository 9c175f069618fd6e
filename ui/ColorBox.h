#pragma once

// TfmColorBox: the display colour of a monochrome image placed in the
// drawing. The caller puts the image's name (already shortened to the box's
// width), its full path and its colour into the form, sets the caption and
// shows it modally; after OK it reads SwatchColor(). Clicking the swatch (or
// its label) asks for another colour through DialogService(); "色の保存" writes
// the swatch's colour into the image's colour file and leaves the form open.
//
// Colours are packed as TRGB packs them (red in the low byte). A swatch shows
// only the low 24 bits of what it is given: anything above them (a negative
// value from a damaged colour file, say) is no colour of the screen.

#include "core/RGB.h"
#include "platform/LoadResult.h"

#include <QDialog>
#include <QFontMetrics>

#include <filesystem>
#include <memory>

namespace Ui {
class fmColorBox;
}

class TfmColorBox : public QDialog {
    Q_OBJECT
public:
    explicit TfmColorBox(QWidget* parent = nullptr);
    ~TfmColorBox() override;

    // Edit1's text, its hint (the full path, also where the colour file
    // goes) and the swatch. Without a full path there is no colour file to
    // write, and "色の保存" is disabled.
    void Fill(const QString& shown_name, const QString& full_path, int colour);

    // The font and width of Edit1, which a path is shortened to fit.
    QFontMetrics NameMetrics() const;
    int NameWidth() const;

    void SetSwatchColor(int colour);
    int SwatchColor() const;

    // Handlers.
    void FormShow();
    void StaticText1Click();
    void Button3Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefreshLabels();

    std::unique_ptr<Ui::fmColorBox> ui_;
    // The swatch's colour as of the last show, pick or save; the labels
    // show this one.
    TRGB rgb_;
    QString full_path_;
};

