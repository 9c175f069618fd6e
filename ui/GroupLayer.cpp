#include "ui/GroupLayer.h"

#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/FormFont.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "render/InfoReg.h"
#include "ui/GroupLayerBars.h"
#include "ui/MainFeature.h"

#include "ui_GroupLayer.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

constexpr int thumbnail_count = 16;
constexpr int working_header = 16;
constexpr int form_font_pixels = 13;

// A thumbnail: it shows its cached picture and hands the mouse to the form.
class TThumbnail final : public QWidget {
public:
    TThumbnail(QWidget* parent, int tag, TfmGroupLayer& form)
        : QWidget(parent)
        , tag_(tag)
        , form_(form)
    {
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override { form_.PaintDraw(tag_, *this); }
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        form_.PaintMouseDown(tag_, event->button(), event->modifiers(), at.x(), at.y());
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        form_.PaintMouseUp(tag_, event->button(), at.x(), at.y());
    }

private:
    int tag_;
    TfmGroupLayer& form_;
};

// A thumbnail's label; while its marks are shown, the protection it holds
// is drawn over its first three characters (the marks and the digit).
class TThumbnailLabel final : public QLabel {
public:
    using QLabel::QLabel;
    int protect = 0;
    bool marks_shown = false;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!marks_shown || protect == 0)
            return;
        const QFontMetrics metrics(font());
        const int w = metrics.horizontalAdvance(text().left(3));
        const int h = metrics.height();
        QPainter painter(this);
        painter.setPen(QPen(Qt::red, 1));
        painter.drawLine(0, h, w, 0);
        if (protect == 2)
            painter.drawLine(0, 0, w, h);
    }
};

int MouseButtonNumber(Qt::MouseButton button)
{
    return button == Qt::LeftButton ? 0 : button == Qt::RightButton ? 1 : button == Qt::MiddleButton ? 2 : 3;
}

std::string TagLine(int tag, Qt::MouseButton button, int x, int y)
{
    char line[96];
    std::snprintf(line, sizeof line, "Tag:%d Button:%d X:%d Y:%d", tag, MouseButtonNumber(button), x, y);
    return line;
}

} // namespace

TfmGroupLayer::TfmGroupLayer(QWidget* parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::TfmGroupLayer>())
{
    ui_->setupUi(this);
    UseFormFont(this, form_font_pixels);
    InstallKeyPreview(this, [this](QKeyEvent* event) { return FormKeyDown(event); });
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, [this] { Timer1Timer(); });
    FormCreate();
}

TfmGroupLayer::~TfmGroupLayer() = default;

void TfmGroupLayer::FormCreate()
{
    headers_.resize(thumbnail_count + 1);
    thumbnails_.resize(thumbnail_count);
    rows_ = 4;
    columns_ = 4;
    const int cell_width = width() / columns_;
    const int cell_height = (height() - ui_->Panel1->height()) / rows_;
    for (int i = 0; i < thumbnail_count; ++i) {
        auto* panel = new QFrame(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(2);
        panel->setGeometry(0, cell_height * i + ui_->Panel1->y() + ui_->Panel1->height(), cell_width, cell_height);
        auto* paint_box = new TThumbnail(panel, i, *this);
        paint_box->setGeometry(panel->contentsRect());
        auto* label = new TThumbnailLabel(panel);
        QFont font = label->font();
        font.setPointSize(14);
        label->setFont(font);
        label->move(4, 4);
        label->setAutoFillBackground(true);
        panels_.push_back(panel);
    }
    FormResize();
}

QWidget* TfmGroupLayer::Panel(int index) const
{
    return panels_[static_cast<std::size_t>(index)];
}

QLabel* TfmGroupLayer::Label(int index) const
{
    return Panel(index)->findChild<QLabel*>();
}

bool TfmGroupLayer::MarksShown(int index) const
{
    return static_cast<const TThumbnailLabel*>(Label(index))->marks_shown;
}

QLabel* TfmGroupLayer::Label1() const
{
    return ui_->Label1;
}

const TZhdHead& TfmGroupLayer::ResultHeader() const
{
    return headers_[working_header];
}

void TfmGroupLayer::Prepare(int p, const TZhdHead& head, TMainWindowHost& host, TGroupLayerBars& bars)
{
    host_ = &host;
    bars_ = &bars;
    const QWidget& main_window = host.Window();
    resize(main_window.width() * 94 / 100, main_window.height() * 94 / 100);
    const int g = head.GetWriteGroup();
    const std::string digit_g(1, HexDigit(g));
    if (p == -1) {
        setWindowTitle(QtText(u8"グループ一覧"));
        ui_->Label1->setText(SjisText("[" + digit_g + "]" + head.GetGroup(g).GetName()));
        mode_ = 1;
        for (int i = 0; i < thumbnail_count; ++i) {
            headers_[i] = head;
            headers_[i].ShowGroupAlone(i);
        }
    } else {
        const int l = head.GetGroup(g).GetWriteLayer();
        setWindowTitle(QtText(u8"レイヤ一覧　　（[") + QChar::fromLatin1(HexDigit(p)) + QtText(u8"] グループ）"));
        // Piece by piece: GCC 12 warns falsely about "(" + a string.
        std::string label = "(";
        label += HexDigit(l);
        label += ')';
        label += head.GetLayer(g, l).GetName();
        ui_->Label1->setText(SjisText(label));
        mode_ = 2;
        for (int j = 0; j < thumbnail_count; ++j) {
            headers_[j] = head;
            headers_[j].ShowLayerAlone(g, j);
        }
    }
    headers_[working_header] = head;
    // A new opening draws its thumbnails anew from the drawing as it is.
    scratch_ = host.Document() ? std::make_unique<TZhdData>(*host.Document()) : nullptr;
    for (QImage& thumbnail : thumbnails_)
        thumbnail = QImage();
    FormResize();
}

void TfmGroupLayer::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TfmGroupLayer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfmGroupLayer::FormResize()
{
    ui_->Panel1->setGeometry(0, 0, width(), ui_->Panel1->height());
    ui_->Label1->setGeometry(8, 0, std::max(0, width() - 16), ui_->Panel1->height());
    if (panels_.size() < thumbnail_count)
        return;
    const int top = ui_->Panel1->y() + ui_->Panel1->height();
    const int cell_width = width() / columns_;
    const int cell_height = (height() - ui_->Panel1->height()) / rows_;
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            QFrame* panel = panels_[static_cast<std::size_t>(r * columns_ + c)];
            panel->setGeometry(cell_width * c, cell_height * r + top, cell_width, cell_height);
            panel->findChild<TThumbnail*>()->setGeometry(panel->contentsRect());
        }
    }
    UpdateLabels();
}

void TfmGroupLayer::FormShow()
{
    WriteDebugLog("<TfmGroupLayer::FormShow()>");
    UpdateLabels();
}

bool TfmGroupLayer::FormKeyDown(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    close();
    return true;
}

void TfmGroupLayer::UpdateLabels()
{
    const TZhdHead& head = headers_[working_header];
    const int row_height = (height() - ui_->Panel1->height()) / rows_;
    const int g = head.GetWriteGroup();
    const int target = mode_ == 2 ? head.GetGroup(g).GetWriteLayer() : g;
    for (int i = 0; i < thumbnail_count; ++i) {
        auto* label = static_cast<TThumbnailLabel*>(Label(i));
        QFont font = label->font();
        font.setPointSize(std::max(1, row_height / 12));
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, palette.color(i == target ? QPalette::Dark : QPalette::Button));
        palette.setColor(QPalette::WindowText, i == target ? Qt::white : Qt::black);
        label->setPalette(palette);
        std::string digit(1, HexDigit(i));
        std::string name;
        int state = 0;
        if (mode_ == 1) {
            label->setToolTip(QString::fromStdString("Group : " + digit));
            name = head.GetGroup(i).GetName();
            state = head.GetGroupState(i);
            label->protect = head.GetGroupProtect(i);
        } else {
            label->setToolTip(QString::fromStdString("Layer: " + digit));
            name = head.GetLayer(g, i).GetName();
            state = head.GetLayerState(g, i);
            label->protect = head.GetLayerProtect(g, i);
        }
        std::string open = " ";
        std::string close = " ";
        if (state > 1) {
            open = mode_ == 1 ? "[" : "(";
            close = mode_ == 1 ? "]" : ")";
        } else if (state == 0) {
            digit = " ";
        }
        label->setText(SjisText(open + digit + close + name));
        label->adjustSize();
        // A relabelled label shows no marks until the timer draws them.
        label->marks_shown = false;
        label->update();
    }
}

void TfmGroupLayer::GLProtect()
{
    WriteDebugLog("<TfmGroupLayer::GLProtect()>");
    for (int i = 0; i < thumbnail_count; ++i)
        DrawProtectMark(i);
}

void TfmGroupLayer::DrawProtectMark(int index)
{
    auto* label = static_cast<TThumbnailLabel*>(Label(index));
    if (label->protect == 0)
        return;
    label->marks_shown = true;
    label->update();
}

void TfmGroupLayer::Timer1Timer()
{
    WriteDebugLog("<TfmGroupLayer::Timer1Timer()>");
    GLProtect();
    timer_->stop();
}

QImage TfmGroupLayer::DrawThumbnail(int index, QSize size)
{
    ++thumbnails_drawn_;
    TZhdData& scratch = *scratch_;
    TInfoREG& info = scratch.GetInfoRegPtr();
    info.SetPixelWidth(size.width());
    info.SetPixelHeight(size.height());
    // Scale 0 fits the paper into the thumbnail.
    info.SetViewKeepPrevious(TZhdZoom(0.0));
    info.SetBairitsu(0, 0, scratch);
    info.SetMouseScreen(TBPoint(0, 0));
    scratch.SetHead(headers_[static_cast<std::size_t>(index)]);
    scratch.RefreshLayerStates();
    TImageCanvas canvas(size.width(), size.height());
    scratch.GetElemListPtr().Draw(canvas, scratch);
    return canvas.Image().copy();
}

void TfmGroupLayer::PaintDraw(int index, QWidget& paint_box)
{
    WriteDebugLog("<TfmGroupLayer::PaintDraw()>");
    QImage& thumbnail = thumbnails_[static_cast<std::size_t>(index)];
    if (scratch_ && (thumbnail.isNull() || thumbnail.size() != paint_box.size()) && !paint_box.size().isEmpty())
        thumbnail = DrawThumbnail(index, paint_box.size());
    QPainter painter(&paint_box);
    if (thumbnail.isNull())
        painter.fillRect(paint_box.rect(), Qt::white);
    else
        painter.drawImage(0, 0, thumbnail);
    timer_->start(200);
}

void TfmGroupLayer::PaintMouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    WriteDebugLog("<TfmGroupLayer::PaintMouseDown()>");
    WriteDebugLog(TagLine(index, button, x, y));
    if (!host_ || !bars_ || !host_->Document())
        return;
    host_->State().DoubleClickSuppression = 1;
    TZhdHead head = headers_[working_header];
    const int w = head.GetWriteGroup();
    const int kind = mode_ == 1 ? GroupKind : LayerKind;
    const int target = kind == GroupKind ? w : head.GetGroup(w).GetWriteLayer();
    if (button == Qt::RightButton || button == Qt::LeftButton) {
        if (index == target)
            DialogService().Beep();
        else if (button == Qt::RightButton)
            MoveWriteTarget(head, kind, index);
        else
            ClickGroupLayer(head, kind, index, shift);
    }
    headers_[working_header] = head;
    TZhdData& document = *host_->Document();
    document.SetHead(head);
    // Index -1 repaints the whole bar, every button with it.
    bars_->PaintGroupLayerButtons(document, kind, -1);
    if (kind == GroupKind && button == Qt::RightButton)
        bars_->PaintGroupLayerButtons(document, LayerKind, -1);
    WriteDebugLog("</TfmGroupLayer::PaintMouseDown()>");
}

void TfmGroupLayer::PaintMouseUp(int index, Qt::MouseButton button, int x, int y)
{
    WriteDebugLog("<TfmGroupLayer::PaintMouseUp()>");
    WriteDebugLog(TagLine(index, button, x, y));
    UpdateLabels();
    timer_->start(200);
    WriteDebugLog("</TfmGroupLayer::PaintMouseUp()>");
}
