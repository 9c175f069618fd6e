#pragma once

// TAboutBox: the program's name, version, copyright and description from
// its version texts (ui/Otversinfo.h), kept on the screen.

#include "ui/Otversinfo.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TAboutBox;
}

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    TOtVersInfo& OtVersInfo1() { return versions_; }
    // Fills the labels from the version texts.
    void FormShow();
    // Moves the box back onto its screen where it sticks out.
    void KeepOnScreen();

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    std::unique_ptr<Ui::TAboutBox> ui_;
    TOtVersInfo versions_;
};
