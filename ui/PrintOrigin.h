#pragma once

// TfmPrintOrigin: the choice of the print frame's reference point, the point
// of the frame by which it is placed and moved. Nine choices in the layout of
// the numeric keypad, each with its keypad digit as accelerator; a click on a
// choice (or its digit, typed with or without Alt) accepts it at once, Enter
// accepts the preselected one, Esc cancels.
//
// rgOrigin's items are numbered column by column, top to bottom:
//
//     0 "&7)左上"   3 "&8)中上"   6 "&9)右上"
//     1 "&4)左中"   4 "&5)中中"   7 "&6)右中"
//     2 "&1)左下"   5 "&2)中下"   8 "&3)右下"
//
// The frame numbers its reference points 0 to 8 from lower left to upper
// right, the keypad digit minus 1; ReferencePointOfItem and
// ItemOfReferencePoint translate.

#include <QDialog>

#include <memory>

class QAbstractButton;
class QKeyEvent;
class QPushButton;

namespace Ui {
class TfmPrintOrigin;
}

class TfmPrintOrigin : public QDialog {
    Q_OBJECT
public:
    explicit TfmPrintOrigin(QWidget* parent = nullptr);
    ~TfmPrintOrigin() override;

    // The reference point (0 to 8) of an item of rgOrigin, -1 for any other
    // index.
    static int ReferencePointOfItem(int item);
    // The item for a reference point; anything outside 0 to 8 gives the
    // item of the lower left point.
    static int ItemOfReferencePoint(int reference_point);

    // rgOrigin's selected item, -1 when none is.
    int ItemIndex() const;
    void SetItemIndex(int item);
    // The same, as the frame's reference point: what the caller fills in
    // before showing the form and reads back on QDialog::Accepted.
    int ReferencePoint() const;
    void SetReferencePoint(int reference_point);

    // rgOrigin's radio button for an item, nullptr for no item.
    QAbstractButton* rgOriginItem(int item) const;
    QPushButton* btnExec() const;
    QPushButton* btnCancel() const;

    // Handlers.
    void FormCreate();
    void FormShow();
    void rgOriginClick();
    // An accelerator digit or Esc; false lets the key pass on.
    bool FormKeyDown(QKeyEvent* event);

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TfmPrintOrigin> ui_;
};
