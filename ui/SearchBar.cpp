// The text search toolbar: searching and stepping through the hits, the
// option items, narrowing with the candidate box, and the word history.

#include "ui/SearchBar.h"

#include "controls/HistoryComboBox.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "core/DebugLog.h"
#include "core/regex/Token.h"
#include "document/TextMatcher.h"
#include "document/ZhdData.h"
#include "elements/ZhdElem.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/IniFile.h"
#include "platform/ui/QtText.h"
#include "ui/CandidateBox.h"
#include "ui/DrawingOpener.h"
#include "ui/MainControls.h"
#include "ui/MouseGestures.h"
#include "ui/PaintBox.h"
#include "ui/PointingServices.h"
#include "ui/SearchHistory.h"
#include "ui/SearchNarrowing.h"
#include "ui/TipBox.h"
#include "ui/ViewChange.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QToolButton>

#include <chrono>
#include <cmath>

namespace {

const char8_t caption_prefix[] = u8"文字列検索 ... ";

// The option items of the menu with their bits and short names, in the order
// the configuration hint lists them.
struct TOptionItem {
    QAction* TMainControls::*item;
    int bit;
    const char8_t* short_name;
};
constexpr TOptionItem option_items[] = {
    { &TMainControls::ppmSCPerfect, SearchExactMatch, u8"完" },
    { &TMainControls::ppmSCZH, SearchFoldWidth, u8"全半" },
    { &TMainControls::ppmSCOK, SearchFoldCase, u8"大小" },
    { &TMainControls::ppmSCSPACE, SearchIgnoreBlanks, u8"スペース" },
    { &TMainControls::ppmSCKINWARI, SearchIgnoreEqualSpacing, u8"均割" },
    { &TMainControls::ppmSCSPST, SearchDuplicateChars, u8"同文字" },
    { &TMainControls::ppmSCRegular, SearchRegularExpression, u8"正規" },
    { &TMainControls::ppmSCNoSort, SearchDataOrder, u8"並替無" },
    { &TMainControls::ppmSCSortText, SearchAscending, u8"文字順" },
    { &TMainControls::ppmSCSortText2, SearchDescending, u8"文字逆順" },
};
// The five items a regular expression makes meaningless.
constexpr int items_off_under_regular_expression =
    SearchExactMatch | SearchFoldWidth | SearchFoldCase | SearchIgnoreBlanks | SearchIgnoreEqualSpacing;

// Qt disables a hidden item; the hidden items here (duplicates, ordering)
// count while checked, as no rule ever disables them.
bool IsOn(const QAction* item)
{
    return item->isChecked() && (item->isEnabled() || !item->isVisible());
}

QString HitCaption(const QString& word, const QString& result)
{
    return QtText(caption_prefix) + word + QStringLiteral(" = ") + result;
}

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TSearchBar::TSearchBar(TMainWindowHost& host, TTipBox& tip_box, TPointingServices& pointing, TDrawingOpener& opener)
    : TMainFeature(host)
    , tip_box_(tip_box)
    , pointing_(pointing)
    , opener_(opener)
{
    TMainControls& c = host_.Controls();
    candidate_box_ = std::make_unique<TfmCandidateBox>(
        TCandidateBoxSource { &candidates_, &selected_candidate_, c.ebSearchWord,
                              [this](const std::string& word) { SetSearchWord(word); } },
        &host_.Window());
    // Our rule adds a typed word to the history when the box is left.
    c.cbSearchWord->setInsertPolicy(QComboBox::NoInsert);
}

TSearchBar::~TSearchBar() = default;

void TSearchBar::InstallKeyFilters()
{
    TMainControls& c = host_.Controls();
    c.ebSearchWord->installEventFilter(this);
    c.cbSearchWord->installEventFilter(this);
    if (QLineEdit* edit = c.cbSearchWord->lineEdit())
        edit->installEventFilter(this);
}

bool TSearchBar::eventFilter(QObject* watched, QEvent* event)
{
    TMainControls& c = host_.Controls();
    const bool in_combo = watched == c.cbSearchWord || watched == c.cbSearchWord->lineEdit();
    if (event->type() == QEvent::KeyPress && (watched == c.ebSearchWord || in_combo)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == c.ebSearchWord && ebSearchWordKeyPress(key))
            return true;
        return ebSearchWordKeyDown(key);
    }
    // Leaving the combo box for its own list is not leaving it.
    if (event->type() == QEvent::FocusOut && in_combo
        && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        cbSearchWordExit();
    return false;
}

// --- Searching and stepping ---

void TSearchBar::btnSearchClick(bool backward)
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    if (document->GetElemListPtr().GetSelectedCount() == 0)
        new_search_ = true;
    if (new_search_)
        NewSearch();
    TMainControls& c = host_.Controls();
    if (hit_count_ != 0 && !new_search_ && (c.cbPanView->isChecked() || c.cbPanPrt->isChecked()))
        StepToHit(backward);
    CloseCandidateBox();
    FocusSearchWord();
}

void TSearchBar::NewSearch()
{
    TZhdData& document = *host_.Document();
    TMainControls& c = host_.Controls();
    const int options = GetSearchOptions();
    const std::optional<std::string> word = Utf8ToSjisExactly(word_.toStdString());
    // The matcher compiles a pattern before any mark changes: one that does
    // not compile leaves the marks as they were.
    std::optional<TTextMatcher> matcher;
    if (word) {
        try {
            matcher.emplace(*word, options);
        } catch (const EbmREToken&) {
            ShowCaption(HitCaption(word_, QtText(u8"正規表現エラー")));
            return;
        }
    }
    host_.State().SearchHit = false;
    opener_.RestoreDefaultPrintTitle();
    document.ClearSelection();
    host_.Redraw("Search()");
    // A word Shift-JIS cannot hold is in no drawing text.
    hit_count_ = matcher ? document.SearchText(*matcher, c.cbTargetLayer->currentIndex()) : 0;
    UpdateSearchButtons();
    c.ToolbarSearch->SetCaption(HitCaption(word_, QString::number(hit_count_) + QtText(u8" 文字")));
    document.RefreshLayerStates();
    {
        TImageCanvas canvas(c.PaintBox1->Front());
        document.GetElemListPtr().DrawSelected(canvas, document);
        canvas.Finish();
    }
    c.PaintBox1->ShowFront();
    ShowCaption(c.ToolbarSearch->Caption());
    new_search_ = false;
    hit_number_ = 0;
}

const TZhdElem* TSearchBar::MarkedElement(int number) const
{
    int count = 0;
    for (const TZhdElemPtr& elem : host_.Document()->GetElemListPtr().GetItemsPtr()) {
        if (!elem->GetElemFlg().IsSet(TZhdElem::SelectedMark))
            continue;
        if (count == number)
            return elem.get();
        ++count;
    }
    return nullptr;
}

void TSearchBar::StepToHit(bool backward)
{
    TZhdData& document = *host_.Document();
    TMainControls& c = host_.Controls();
    if (backward) {
        hit_number_ -= 2;
        if (hit_number_ < 0)
            hit_number_ = hit_count_ - 1;
    } else if (hit_number_ == hit_count_) {
        hit_number_ = 0;
    }
    UpdateSearchButtons();
    const TZhdElem* hit = MarkedElement(hit_number_);
    if (!hit) {
        // The marks were cleared meanwhile (Home, say) while the selected
        // count stayed: the hits are searched again.
        new_search_ = true;
        NewSearch();
        hit = hit_count_ != 0 ? MarkedElement(hit_number_) : nullptr;
        if (!hit)
            return;
    }
    TInfoREG& info = document.GetInfoRegPtr();
    const TBPoint anchor = hit->GetKeyPoint(c.cbKiten->currentIndex());
    const auto centre_on = [&info](const TBPoint& point) {
        TZhdZoom view = info.GetView();
        view.SetXY(point.GetX(), point.GetY());
        InstallView(info, view);
    };
    if (c.cbPanView->isChecked())
        centre_on(anchor);
    if (c.cbPanPrt->isChecked()) {
        TZhdHead& head = document.GetHeadPtr();
        TZhdZoomF area = head.GetPrinterArea();
        const TBPoint frame_centre = info.GetPrintFrameCentre(area.GetCode() / 10, anchor, document);
        if (host_.State().CommandMode == FrameMode) {
            TImageCanvas canvas(c.PaintBox1->Front());
            info.DrawPrintFrame(canvas, frame_centre, document);
            canvas.Finish();
            c.PaintBox1->ShowFront();
        }
        host_.State().SearchHit = true;
        opener_.SetPrintTitleFromText(hit->GetText(0));
        area.SetXY(frame_centre.GetX(), frame_centre.GetY());
        head.SetPrinterArea(area);
        if (c.cbPanView->isChecked())
            centre_on(frame_centre);
    }
    ++hit_number_;
    c.ToolbarSearch->SetCaption(
        HitCaption(word_, QString::number(hit_number_) + QStringLiteral(" / ") + QString::number(hit_count_)
                              + QtText(u8" 文字")));
    host_.Redraw("SearchNext()");
    const TBPoint pixel = info.WorldToScreen(anchor);
    if (std::isfinite(pixel.GetX()) && std::isfinite(pixel.GetY()))
        pointing_.DrawMarker(static_cast<int>(std::lround(pixel.GetX())), static_cast<int>(std::lround(pixel.GetY())),
                             true, true);
    ShowCaption(c.ToolbarSearch->Caption());
}

void TSearchBar::ShowCaption(const QString& caption)
{
    TMainControls& c = host_.Controls();
    c.ToolbarSearch->SetCaption(caption);
    if (c.ToolbarSearch->DockedTo() != nullptr)
        tip_box_.ShowTip(Utf8ToSjis(caption.toStdString()), 10, 20, false);
}

// --- Narrowing ---

int TSearchBar::NarrowCandidates()
{
    const auto start = std::chrono::steady_clock::now();
    candidates_.clear();
    TZhdData* document = host_.Document();
    TMainControls& c = host_.Controls();
    const std::optional<std::string> word = Utf8ToSjisExactly(word_.toStdString());
    if (document && word) {
        std::vector<std::string> texts;
        document->CollectTexts(texts, c.cbTargetLayer->currentIndex());
        NarrowTexts(texts, *word, GetSearchOptions(), candidates_);
    }
    candidate_box_->CandidatesChanged();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ShowCaption(QtText(caption_prefix) + QtText(u8"絞込候補：") + QString::number(candidates_.size()) + " ("
                + QString::asprintf("%.8f", seconds) + QtText(u8"秒)"));
    return static_cast<int>(candidates_.size());
}

void TSearchBar::NarrowAgainIfNarrowing()
{
    if (host_.Controls().cbSearchNarrow->isChecked())
        NarrowCandidates();
}

void TSearchBar::EmptyCandidates()
{
    candidates_.clear();
    candidate_box_->CandidatesChanged();
}

void TSearchBar::SetSearchWord(const std::string& sjis_word)
{
    const QString word = SjisText(sjis_word);
    host_.Controls().ebSearchWord->setText(word);
    word_ = word;
}

// --- The candidate box ---

void TSearchBar::CloseCandidateBox()
{
    if (candidate_box_->isVisible())
        candidate_box_->hide();
}

void TSearchBar::CloseCandidateBoxToEdit()
{
    CloseCandidateBox();
    host_.Controls().ebSearchWord->setFocus();
}

// No candidates: the box closes and the edit keeps the focus.
void TSearchBar::ShowCandidateBoxOrRefocus()
{
    if (candidates_.empty()) {
        CloseCandidateBoxToEdit();
        return;
    }
    candidate_box_->ShowAndRefill();
}

TCandidateBoxActions TSearchBar::CandidateBoxActions()
{
    TCandidateBoxActions actions;
    actions.visible = [this] { return candidate_box_->isVisible(); };
    actions.list_has_focus = [this] { return candidate_box_->ListHasFocus(); };
    actions.close = [this] { CloseCandidateBox(); };
    actions.pick = [this] { candidate_box_->ListView1DblClick(); };
    actions.contains = [this](const QWidget* widget) { return candidate_box_->Contains(widget); };
    actions.activate = [this] { candidate_box_->ActivateList(); };
    return actions;
}

void TSearchBar::DialogKey(int key)
{
    if (key != Qt::Key_Escape || !candidate_box_->isVisible())
        return;
    CloseCandidateBoxToEdit();
}

// --- Typing and keys ---

void TSearchBar::ebSearchWordChange()
{
    word_ = host_.Controls().ebSearchWord->text();
    SearchClear();
    NarrowCandidates();
    selected_candidate_ = 0;
    ShowCandidateBoxOrRefocus();
}

void TSearchBar::cbSearchWordChange()
{
    word_ = host_.Controls().cbSearchWord->currentText();
    SearchClear();
}

void TSearchBar::cbSearchWordExit()
{
    QComboBox& box = *host_.Controls().cbSearchWord;
    const QString text = box.currentText();
    if (!text.isEmpty() && box.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        const QSignalBlocker quiet(box);
        box.addItem(text);
        box.setEditText(text);
    }
}

bool TSearchBar::ebSearchWordKeyPress(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || !candidate_box_->isVisible())
        return false;
    CloseCandidateBoxToEdit();
    return true;
}

bool TSearchBar::ebSearchWordKeyDown(QKeyEvent* event)
{
    TMainControls& c = host_.Controls();
    const int key = event->key();
    if (key == Qt::Key_Down || key == Qt::Key_Up) {
        if (candidate_box_->isVisible()) {
            selected_candidate_ = key == Qt::Key_Down ? 0 : static_cast<int>(candidates_.size()) - 1;
            candidate_box_->ActivateList();
            return true;
        }
        if (QApplication::focusWidget() == c.ebSearchWord) {
            selected_candidate_ = 0;
            ShowCandidateBoxOrRefocus();
            return true;
        }
        return false;
    }
    if (!IsEnter(key))
        return false;
    if (!c.btnSearch->isEnabled())
        return true;
    if ((event->modifiers() & Qt::ShiftModifier) && c.btnSearch2->isEnabled()) {
        c.btnSearch2->setFocus();
        btnSearchClick(true);
    } else {
        c.btnSearch->setFocus();
        btnSearchClick(false);
    }
    return true;
}

// --- State resets ---

void TSearchBar::SearchClear()
{
    TMainControls& c = host_.Controls();
    const bool has_word = !word_.isEmpty();
    c.btnSearch->setEnabled(has_word);
    new_search_ = has_word;
    c.ToolbarSearch->SetCaption(QtText(u8"文字列検索"));
    ApplyHint(c.btnSearch, QtText(u8"検索を行います．"));
    c.btnSearch->setText(QtText(u8"検索"));
    c.btnSearch2->setEnabled(false);
    if (has_word)
        return;
    host_.State().SearchHit = false;
    opener_.RestoreDefaultPrintTitle();
    // Without a selection the picture shows no hits and there is nothing to
    // tell: a full redraw at every emptying of the word would only cost
    // time, and a tip would stay over a picture drawn anew (at start-up,
    // when the settings empty the word before the first drawing).
    TZhdData* document = host_.Document();
    if (!document || document->ClearSelection() == 0)
        return;
    host_.Redraw("SearchClear()");
    ShowCaption(c.ToolbarSearch->Caption());
}

void TSearchBar::UpdateSearchButtons()
{
    TMainControls& c = host_.Controls();
    if (new_search_) {
        ApplyHint(c.btnSearch, QtText(u8"検索を行います．"));
        c.btnSearch2->setEnabled(false);
        return;
    }
    ApplyHint(c.btnSearch, QtText(u8"次検索を行います．"));
    c.btnSearch->setText(QtText(u8"次索"));
    ApplyHint(c.btnSearch2, QtText(u8"前検索を行います．"));
    c.btnSearch2->setEnabled(true);
}

void TSearchBar::UpdateSearchPanControls()
{
    TMainControls& c = host_.Controls();
    c.cbKiten->setEnabled(c.cbPanView->isChecked() || c.cbPanPrt->isChecked());
    const TZhdData* document = host_.Document();
    if (c.cbKiten->isEnabled() && document && document->GetElemListPtr().GetSelectedCount() != 0) {
        ApplyHint(c.btnSearch, QtText(u8"次検索を行います．"));
        c.btnSearch->setText(QtText(u8"次索"));
        ApplyHint(c.btnSearch2, QtText(u8"前検索を行います．"));
        c.btnSearch2->setEnabled(c.btnSearch->isEnabled());
    } else {
        ApplyHint(c.btnSearch, QtText(u8"検索を行います．"));
        c.btnSearch2->setEnabled(false);
    }
    FocusSearchWord();
}

void TSearchBar::cbSearchNarrowClick()
{
    ApplySearchNarrowMode();
    SearchClear();
}

void TSearchBar::ApplySearchNarrowMode()
{
    TMainControls& c = host_.Controls();
    const bool narrowing = c.cbSearchNarrow->isChecked();
    QWidget* shown = narrowing ? static_cast<QWidget*>(c.ebSearchWord) : c.cbSearchWord;
    QWidget* hidden = narrowing ? static_cast<QWidget*>(c.cbSearchWord) : c.ebSearchWord;
    shown->setGeometry(0, shown->y(), 220, shown->height());
    hidden->hide();
    shown->show();
    c.ppmSCRegular->setEnabled(!narrowing);
    if (narrowing) {
        word_ = c.ebSearchWord->text();
        NarrowCandidates();
    } else {
        word_ = c.cbSearchWord->currentText();
    }
    ApplyHint(c.tbtn97SearchConfig, BuildSearchConfigHint());
    FocusSearchWord();
}

void TSearchBar::cbTargetLayerClick()
{
    SearchClear();
    FocusSearchWord();
    NarrowAgainIfNarrowing();
}

void TSearchBar::ppmSCSortText2Click()
{
    TMainControls& c = host_.Controls();
    ApplyHint(c.tbtn97SearchConfig, BuildSearchConfigHint());
    SearchClear();
    FocusSearchWord();
}

void TSearchBar::FocusSearchWord()
{
    TMainControls& c = host_.Controls();
    if (!c.ToolbarSearch->Visible())
        return;
    QLineEdit* edit = c.ebSearchWord->isHidden() ? c.cbSearchWord->lineEdit() : c.ebSearchWord;
    QWidget* control = c.ebSearchWord->isHidden() ? static_cast<QWidget*>(c.cbSearchWord) : c.ebSearchWord;
    control->setFocus();
    // As a Right key after the selection made on entry: the caret at its end.
    if (edit) {
        const int end = edit->hasSelectedText() ? edit->selectionEnd() : static_cast<int>(edit->text().size());
        edit->deselect();
        edit->setCursorPosition(end);
    }
    host_.State().SearchFocusFlag = true;
}

// --- Options ---

void TSearchBar::EnableOptionItems()
{
    TMainControls& c = host_.Controls();
    const bool regular_expression = IsOn(c.ppmSCRegular);
    for (const TOptionItem& option : option_items) {
        if (option.bit & items_off_under_regular_expression)
            (c.*option.item)->setEnabled(!regular_expression);
    }
}

QString TSearchBar::BuildSearchConfigHint()
{
    EnableOptionItems();
    TMainControls& c = host_.Controls();
    QStringList names;
    for (const TOptionItem& option : option_items) {
        if (IsOn(c.*option.item))
            names.push_back(QtText(option.short_name));
    }
    return QtText(u8"検索設定を行います．") + QLatin1Char('\n') + QtText(u8"現在の設定： ")
        + (names.isEmpty() ? QtText(u8"なし") : names.join(QtText(u8"｜")));
}

int TSearchBar::GetSearchOptions()
{
    EnableOptionItems();
    TMainControls& c = host_.Controls();
    int options = 0;
    for (const TOptionItem& option : option_items) {
        if (IsOn(c.*option.item))
            options |= option.bit;
    }
    return options;
}

// --- History ---

void TSearchBar::SearchHistorySaveClick()
{
    QComboBox& box = *host_.Controls().cbSearchWord;
    const QString name = DialogService().SaveFileName(&host_.Window(), QtText(u8"検索文字列リストの保存"), QString(),
                                                      QtText(u8"テキストファイル(*.txt);;全てのファイル(*.*)"));
    if (name.isEmpty())
        return;
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items.push_back(box.itemText(i));
    if (!WriteSearchHistoryLines(PathFromText(name), items))
        ShowMessage(&host_.Window(), name + QtText(u8" に保存できません．"), QMessageBox::Warning);
}

void TSearchBar::SearchHistoryLoadClick()
{
    const QString name = DialogService().OpenFileName(
        &host_.Window(), QtText(u8"検索文字列リストの読込"), QString(),
        QtText(u8"テキストファイル(*.txt);;SIMA座標ファイル(*.sim);;全てのファイル(*.*)"));
    if (name.isEmpty())
        return;
    const std::filesystem::path path = PathFromText(name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    QComboBox& box = *host_.Controls().cbSearchWord;
    {
        const QSignalBlocker quiet(box);
        const QString text = box.currentText();
        bool item_selected = box.currentIndex() >= 0;
        if (IsSimaFile(path)) {
            const int room = std::max(0, MaxSearchHistoryItems - box.count());
            box.addItems(ReadSimaPointNames(path).mid(0, room));
        } else {
            box.clear();
            box.addItems(ReadSearchHistoryLines(path));
            item_selected = false;
        }
        // Adding to an empty box selects its first item by itself: the
        // selection and the text are set here, by the rule.
        if (!item_selected && box.count() > 0) {
            box.setCurrentIndex(0);
            word_ = box.currentText();
        } else {
            box.setEditText(text);
        }
    }
    SearchClear();
}

void TSearchBar::SearchHistoryClearClick()
{
    QComboBox& box = *host_.Controls().cbSearchWord;
    {
        const QSignalBlocker quiet(box);
        box.clear();
        box.setEditText(QString());
    }
    word_.clear();
    SearchClear();
}

// --- Settings ---

std::vector<TSettingsBlock> TSearchBar::SettingsBlocks()
{
    return { { TSettingsPart::Search, [this](const TIniFile& file) { LoadSearchKeys(file); },
               [this](TIniFile& file) { SaveSearchKeys(file); } } };
}

namespace {

TSettingKeys NarrowKey(TMainControls& c)
{
    TSettingKeys keys;
    keys.Flag("Search", "Narrow", BindChecked(c.cbSearchNarrow));
    return keys;
}

TSettingKeys OtherSearchKeys(TMainControls& c)
{
    TSettingKeys keys;
    keys.Flag("Search", "PanView", BindChecked(c.cbPanView));
    keys.Flag("Search", "PanPrt", BindChecked(c.cbPanPrt));
    keys.Choice("Search", "TargetLayer", 0, c.cbTargetLayer->count() - 1, BindIndex(c.cbTargetLayer));
    keys.Choice("Search", "PanOrigin", 0, c.cbKiten->count() - 1, BindIndex(c.cbKiten));
    keys.Flag("Search", "FullAgreement", BindChecked(c.ppmSCPerfect));
    keys.Flag("Search", "ZHSame", BindChecked(c.ppmSCZH));
    keys.Flag("Search", "OKSame", BindChecked(c.ppmSCOK));
    keys.Flag("Search", "SPACE", BindChecked(c.ppmSCSPACE));
    keys.Flag("Search", "KINWARI", BindChecked(c.ppmSCKINWARI));
    keys.Flag("Search", "SamePosText", BindChecked(c.ppmSCSPST));
    keys.Flag("Search", "Regular", BindChecked(c.ppmSCRegular));
    keys.Flag("Search", "NoSort", BindChecked(c.ppmSCNoSort));
    keys.Flag("Search", "SortText", BindChecked(c.ppmSCSortText));
    keys.Flag("Search", "SortText2", BindChecked(c.ppmSCSortText2));
    return keys;
}

} // namespace

// The narrowing mode comes first: the other keys are read into the bar it
// set up.
void TSearchBar::LoadSearchKeys(const TIniFile& file)
{
    TMainControls& c = host_.Controls();
    NarrowKey(c).Load(file);
    ApplySearchNarrowMode();
    UpdateSearchPanControls();
    SearchClear();
    OtherSearchKeys(c).Load(file);
    ApplyHint(c.tbtn97SearchConfig, BuildSearchConfigHint());
}

void TSearchBar::SaveSearchKeys(TIniFile& file) const
{
    TMainControls& c = host_.Controls();
    NarrowKey(c).Save(file);
    OtherSearchKeys(c).Save(file);
}
