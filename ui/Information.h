#pragma once

// TfmInformation: the window of the printer and data file report. Memo1
// fills it (both scroll bars, no wrapping, tab characters kept) above
// StatusBar1. It has no behaviour of its own: the report writes Memo1's
// lines and shows the window, which comes up centred on the window that owns
// it.

#include <QWidget>

#include <memory>

class QPlainTextEdit;
class QStatusBar;

namespace Ui {
class TfmInformation;
}

class TfmInformation : public QWidget {
    Q_OBJECT
public:
    explicit TfmInformation(QWidget* parent = nullptr);
    ~TfmInformation() override;

    QPlainTextEdit* Memo1() const;
    QStatusBar* StatusBar1() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TfmInformation> ui_;
};
