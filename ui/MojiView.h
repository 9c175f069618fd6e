#pragma once

// TfmMojiView: how texts are drawn, in one dialog: text frames, embedded
// text, an outline around the characters or a filled box around each
// string with their colours and sizes, texts hidden behind a coloured
// outline, a simplified outline, and texts drawn last.
//
// The dialog edits copies: the caller fills it from TInfoREG and the marks
// of the text display menu (Fill), shows it modally and, after "決定",
// reads it back (Read). The outline width has a value per unit, millimetres
// and percent of the text height; the edit shows the one of the unit
// chosen, and both are read back.
//
// Numbers typed are read as reals; text that is no finite number reads as
// 0, and leaving an edit clamps its value to the edit's range. Enter closes
// the dialog with "決定" after the edit with the focus was checked.

#include "render/Forward.h"

#include <QDialog>

#include <array>
#include <memory>

class QKeyEvent;
class QLabel;
class QShowEvent;
namespace Ui {
class fmMojiView;
}

// The marks of the text display menu the dialog shows as check boxes.
struct TTextDisplayMarks {
    bool frames = false;
    bool embedded = false;
    bool outline = false;
    bool range_box = false;
    bool last = false;
    bool operator==(const TTextDisplayMarks&) const = default;
};

class TfmMojiView : public QDialog {
    Q_OBJECT
public:
    explicit TfmMojiView(QWidget* parent = nullptr);
    ~TfmMojiView() override;

    void Fill(const TInfoREG& info, const TTextDisplayMarks& marks);
    void Read(TInfoREG& info, TTextDisplayMarks& marks) const;

    // Handlers.
    void FormShow();
    void UpdateControls();
    // `tag` 1 is the outline's box, 2 the range box's.
    void cbEdgeMojiClick(int tag);
    void cmbColorClick();
    void cmbColor2Click();
    void cmbTaniClick();
    void edEdgeMojiRangeExit();
    void edEdgeMojiRange2Exit();
    // `tag` 1 is the outline's swatch, 2 the range box's.
    void stColorClick(int tag);
    // True when the key was consumed.
    bool FormKeyDown(QKeyEvent* event);

    // The outline width in millimetres and in percent of the text height.
    double FixSize = 0;
    double RateSize = 0;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A swatch's colour: red + green * 256 + blue * 65536, kept as given.
    void SetSwatch(int tag, int colour);
    QLabel* Swatch(int tag) const;

    std::unique_ptr<Ui::fmMojiView> ui_;
    std::array<int, 2> colours_ {};
};
