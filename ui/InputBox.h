#pragma once

// TfmInputBox: the prompt for one value. A message, one editor (text,
// integer or real number) and the unit after it; "決定" accepts, "取消"
// cancels. The form is made once and every caller sets it up in full: the
// caption, Label1 (the message), Label2 (the unit), which editor shows
// (ShowEditor) and that editor's properties; then it shows the form modally
// and, on QDialog::Accepted, reads the editor.
//
// The form sees the keys of its controls first: Enter and Esc move the focus
// on before they click "決定" or "取消", so that the editor's leave handling
// (a number edit reads and reformats its text there) has run when the value
// is read.

#include <QDialog>

#include <memory>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class TFloatEdit;
class TNumberEdit;

namespace Ui {
class TfmInputBox;
}

class TfmInputBox : public QDialog {
    Q_OBJECT
public:
    explicit TfmInputBox(QWidget* parent = nullptr);
    ~TfmInputBox() override;

    // The controls, for the caller to set up and read.
    QLabel* Label1() const;
    QLabel* Label2() const;
    QLineEdit* eBox() const;
    TNumberEdit* neBox() const;
    TFloatEdit* feBox() const;
    QPushButton* btnExec() const;
    QPushButton* btnCancel() const;

    // Shows the editor (one of eBox, neBox, feBox) and hides the other two.
    void ShowEditor(QLineEdit* editor);

    // Handlers.
    // The focus goes to the shown editor, tried in the order eBox, neBox,
    // feBox.
    void FormShow();
    // Enter and Esc; false lets the key pass on to the control.
    bool FormKeyDown(QKeyEvent* event);

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TfmInputBox> ui_;
};
