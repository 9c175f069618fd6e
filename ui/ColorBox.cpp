#include "ui/ColorBox.h"

#include "platform/ui/DialogService.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "render/RasterMono.h"

#include "ui_ColorBox.h"

#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QShowEvent>

#include <string>

namespace {

constexpr int ScreenColourBits = 0xFFFFFF;

QColor ToQColor(int colour)
{
    const TRGB rgb(colour & ScreenColourBits);
    return QColor(rgb.GetRed(), rgb.GetGreen(), rgb.GetBlue());
}

int FromQColor(const QColor& colour)
{
    return TRGB().PackRGB(colour.red(), colour.green(), colour.blue());
}

} // namespace

TfmColorBox::TfmColorBox(QWidget* parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::fmColorBox>())
{
    ui_->setupUi(this);
    connect(ui_->Button1, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Accepted); });
    connect(ui_->Button2, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Rejected); });
    connect(ui_->Button3, &QPushButton::clicked, this, &TfmColorBox::Button3Click);
    // Labels have no click of their own.
    ui_->StaticText1->installEventFilter(this);
    ui_->Label2->installEventFilter(this);
    ui_->Button3->setEnabled(false);
    SetSwatchColor(0);
}

TfmColorBox::~TfmColorBox() = default;

void TfmColorBox::Fill(const QString& shown_name, const QString& full_path, int colour)
{
    ui_->Edit1->setText(shown_name);
    ui_->Edit1->setCursorPosition(0);
    // The path is the whole hint: a "|" in a file name splits nothing here.
    ui_->Edit1->setToolTip(full_path);
    full_path_ = full_path;
    ui_->Button3->setEnabled(!full_path.isEmpty());
    SetSwatchColor(colour);
}

QFontMetrics TfmColorBox::NameMetrics() const
{
    return ui_->Edit1->fontMetrics();
}

int TfmColorBox::NameWidth() const
{
    // Before the box is first shown its layout has placed nothing yet.
    if (layout() && !isVisible())
        layout()->activate();
    return ui_->Edit1->width();
}

void TfmColorBox::SetSwatchColor(int colour)
{
    QPalette palette = ui_->StaticText1->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    ui_->StaticText1->setPalette(palette);
}

int TfmColorBox::SwatchColor() const
{
    return FromQColor(ui_->StaticText1->palette().color(QPalette::Window));
}

void TfmColorBox::FormShow()
{
    rgb_.SetColor(SwatchColor());
    RefreshLabels();
}

void TfmColorBox::StaticText1Click()
{
    QColor colour = ToQColor(SwatchColor());
    if (!DialogService().ChooseColor(this, colour) || !colour.isValid())
        return;
    SetSwatchColor(FromQColor(colour));
    rgb_.SetColor(SwatchColor());
    RefreshLabels();
}

void TfmColorBox::Button3Click()
{
    // Without an image there is no file to name; the button is disabled then,
    // and a call from elsewhere must not write ".col" into the working folder.
    if (full_path_.isEmpty())
        return;
    rgb_.SetColor(SwatchColor());
    const std::filesystem::path image = PathFromText(full_path_);
    if (WriteColourFile(image, rgb_.GetColor()) != TSaveStatus::Saved)
        ShowMessage(this, QStringLiteral("%1 に書き込めません").arg(PathText(ColourFileBeside(image))),
                    QMessageBox::Warning);
}

void TfmColorBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

bool TfmColorBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ui_->StaticText1 && watched != ui_->Label2)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* label = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            StaticText1Click();
            return true;
        }
    }
    // The label's "&R" puts the focus on the swatch; the space bar then
    // picks a colour as a click does.
    if (watched == ui_->StaticText1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        StaticText1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfmColorBox::RefreshLabels()
{
    ui_->Label3->setText(QString::number(rgb_.GetColor()));
    ui_->Label4->setText(
        QString::asprintf("R:%3d G:%3d B:%3d", rgb_.GetRed(), rgb_.GetGreen(), rgb_.GetBlue()));
}

