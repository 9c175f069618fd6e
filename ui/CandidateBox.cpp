#include "ui/CandidateBox.h"

#include "platform/ui/FormFont.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "ui/CandidateModel.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QToolTip>
#include <QTreeView>
#include <QVBoxLayout>

int TfmCandidateBox::SortColumn = 0;

namespace {

constexpr int form_width = 312;
constexpr int form_height = 153;
constexpr int form_font_pixels = 13;
constexpr int text_column_width = 222;
constexpr int count_column_width = 68;
// The gap between the edit and the box, below or above it.
constexpr int edit_gap = 4;

// One line of the clipboard text: the count without the list's blanks.
QString ClipboardLine(const TCountString& candidate)
{
    return SjisText(candidate.GetText()) + QLatin1Char('\t') + QString::number(candidate.GetCount())
        + QLatin1Char('\n');
}

} // namespace

TfmCandidateBox::TfmCandidateBox(TCandidateBoxSource source, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , source_(std::move(source))
{
    setObjectName(QStringLiteral("fmCandidateBox"));
    // The search edit keeps the keyboard while the box comes and goes.
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(form_width, form_height);
    QFont face = font();
    face.setFamily(QtText(u8"ＭＳ ゴシック"));
    setFont(face);
    UseFormFont(this, form_font_pixels);

    list_ = new QTreeView(this);
    list_->setObjectName(QStringLiteral("ListView1"));
    model_ = new TCandidateModel(source_.candidates, this);
    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsMovable(false);
    list_->header()->setSectionsClickable(true);
    list_->header()->resizeSection(TCandidateModel::TextColumn, text_column_width);
    list_->header()->resizeSection(TCandidateModel::CountColumn, count_column_width);
    connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int column) { ListView1ColumnClick(column); });
    list_->viewport()->setMouseTracking(true);
    list_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);

    BuildPopupMenu();
    InstallKeyPreview(this, [this](QKeyEvent* event) { return FormKeyDown(event); });
}

TfmCandidateBox::~TfmCandidateBox() = default;

void TfmCandidateBox::BuildPopupMenu()
{
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = popup_->addAction(QtText(u8"全てをクリップボードへコピー"));
    N1->setObjectName(QStringLiteral("N1"));
    N1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    N2 = popup_->addAction(QtText(u8"選択アイテムをクリップボードへコピー"));
    N2->setObjectName(QStringLiteral("N2"));
    N2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    for (const auto& [action, tag] : { std::pair { N1, 1 }, std::pair { N2, 2 } }) {
        // The shortcuts work while the list has the focus, as the menu's do.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        list_->addAction(action);
        connect(action, &QAction::triggered, this, [this, tag = tag] { N1Click(tag); });
    }
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(list_->viewport()->mapToGlobal(at)); });
}

void TfmCandidateBox::ShowAndRefill()
{
    show();
    Refill();
}

void TfmCandidateBox::CandidatesChanged()
{
    model_->Refill();
}

void TfmCandidateBox::Refill()
{
    PlaceUnderEdit();
    model_->Refill();
    ReturnFocusToEdit();
}

void TfmCandidateBox::PlaceUnderEdit()
{
    if (source_.edit == nullptr)
        return;
    const QRect edit(source_.edit->mapToGlobal(QPoint(0, 0)), source_.edit->size());
    const QScreen* screen = source_.edit->screen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(edit.topLeft(), size());
    move(PlaceFor(edit, size(), area));
    raise();
}

QPoint TfmCandidateBox::PlaceFor(const QRect& edit, const QSize& box, const QRect& screen)
{
    // Right and bottom just past the last pixel, as the window system's
    // rectangles have them.
    const int edit_right = edit.x() + edit.width();
    const int edit_bottom = edit.y() + edit.height();
    const int screen_right = screen.x() + screen.width();
    const int screen_bottom = screen.y() + screen.height();
    int y = edit_bottom + edit_gap;
    if (screen_bottom < edit_bottom + box.height() + edit_gap)
        y = edit.y() - box.height() - edit_gap;
    int x = edit.x();
    if (screen_right < x + box.width())
        x = edit_right - box.width();
    return { x, y };
}

void TfmCandidateBox::ReturnFocusToEdit()
{
    QLineEdit* edit = source_.edit;
    if (edit == nullptr)
        return;
    edit->window()->activateWindow();
    edit->setFocus(Qt::OtherFocusReason);
    edit->deselect();
    edit->end(false);
}

void TfmCandidateBox::ActivateList()
{
    if (!isVisible())
        show();
    activateWindow();
    raise();
    list_->setFocus(Qt::OtherFocusReason);
    FormActivate();
}

void TfmCandidateBox::FormActivate()
{
    // Qt makes the first row current (unselected) when the list gains the
    // focus without one, so a row counts as focused here only when it is
    // selected. This runs from ActivateList and not on every activation of
    // the window: a window manager that activates the box when it is shown
    // must not choose the row that the next Down or Up in the edit chooses.
    if (SelectedRow() < 0 && source_.selected_index != nullptr) {
        const QModelIndex row = model_->index(*source_.selected_index, 0);
        if (row.isValid())
            SelectRow(row.row());
    }
    if (list_->currentIndex().isValid())
        list_->scrollTo(list_->currentIndex());
}

bool TfmCandidateBox::FormKeyDown(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        Close();
        ReturnFocusToEdit();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ListView1DblClick();
        return true;
    case Qt::Key_Up:
        if (SelectedRow() == 0) {
            ReturnFocusToEdit();
            Close();
        }
        return false;
    case Qt::Key_Down:
        // The list's own Down then moves on from the first row.
        if (SelectedRow() >= 0 && SelectedRow() == model_->rowCount() - 1)
            SelectRow(0);
        return false;
    default:
        return false;
    }
}

void TfmCandidateBox::ListView1ColumnClick(int column)
{
    SortColumn = column;
    model_->SortByColumn(column);
}

void TfmCandidateBox::ListView1DblClick()
{
    const int candidate = model_->CandidateIndex(SelectedRow());
    if (candidate < 0)
        return;
    // A copy: the main window narrows again, refilling the vector, while it
    // takes the word.
    const std::string word = (*source_.candidates)[static_cast<std::size_t>(candidate)].GetText();
    if (source_.set_search_word)
        source_.set_search_word(word);
    Close();
}

void TfmCandidateBox::ListView1MouseMove(const QPoint& position)
{
    const QModelIndex index = list_->indexAt(position);
    if (!index.isValid())
        return;
    const QString text = model_->index(index.row(), TCandidateModel::TextColumn).data().toString();
    list_->setToolTip(text);
    QToolTip::showText(list_->viewport()->mapToGlobal(position), text, list_->viewport());
}

void TfmCandidateBox::N1Click(int tag)
{
    QGuiApplication::clipboard()->setText(ClipboardText(tag));
}

QString TfmCandidateBox::ClipboardText(int tag) const
{
    QString text;
    if (tag == 1 && source_.candidates != nullptr) {
        for (const TCountString& candidate : *source_.candidates)
            text += ClipboardLine(candidate);
    } else if (tag == 2) {
        // The candidate the selected row shows, also after a sort.
        const int candidate = model_->CandidateIndex(SelectedRow());
        if (candidate >= 0)
            text = ClipboardLine((*source_.candidates)[static_cast<std::size_t>(candidate)]);
    }
    return text;
}

bool TfmCandidateBox::ListHasFocus() const
{
    return list_->hasFocus();
}

bool TfmCandidateBox::Contains(const QWidget* widget) const
{
    // The pop-up menu is a window of its own, yet part of the box.
    return widget != nullptr
        && (widget == this || isAncestorOf(widget) || widget == popup_ || popup_->isAncestorOf(widget));
}

bool TfmCandidateBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != list_->viewport())
        return false;
    if (event->type() == QEvent::MouseMove) {
        ListView1MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        return false;
    }
    // The row hint is shown on moves; the item view's own tips would take
    // it away, the model having none.
    return event->type() == QEvent::ToolTip;
}

void TfmCandidateBox::Close()
{
    hide();
}

int TfmCandidateBox::SelectedRow() const
{
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TfmCandidateBox::SelectRow(int row)
{
    list_->selectionModel()->setCurrentIndex(model_->index(row, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
