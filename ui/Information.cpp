#include "ui/Information.h"

#include "ui_Information.h"

#include <QShowEvent>

TfmInformation::TfmInformation(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , ui_(std::make_unique<Ui::TfmInformation>())
{
    ui_->setupUi(this);
}

TfmInformation::~TfmInformation() = default;

QPlainTextEdit* TfmInformation::Memo1() const { return ui_->Memo1; }
QStatusBar* TfmInformation::StatusBar1() const { return ui_->StatusBar1; }

void TfmInformation::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous() || parentWidget() == nullptr)
        return;
    const QRect owner = parentWidget()->window()->frameGeometry();
    QRect placed = frameGeometry();
    placed.moveCenter(owner.center());
    move(placed.topLeft());
}
