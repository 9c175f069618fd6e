#pragma once

// TfmCandidateBox: the search bar's candidate box. In narrowing mode the
// distinct texts of the drawing that begin with the typed word are listed
// here with their counts, in a small borderless window that stays on top
// under the search edit. Picking a row puts its text into the search edit;
// the box also copies the list to the clipboard. The keyboard focus stays in
// the search edit: the list is entered with Down and Up or the mouse.
//
// The box owns no copy of the candidates: its list is a model over the main
// window's candidate vector, refilled when the candidates change and each
// time the box is shown, never inside a paint. A click on a column header
// sorts the rows until the next refill, which gives the vector's order back.

#include "core/CountString.h"

#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QTreeView;
class TCandidateModel;

// What the box reads and calls of the main window.
struct TCandidateBoxSource {
    // The main window's search candidate list (Shift-JIS texts) and its
    // selected candidate index.
    const std::vector<TCountString>* candidates = nullptr;
    int* selected_index = nullptr;
    // The search edit (ebSearchWord): the box is placed by it and gives it
    // the focus back.
    QLineEdit* edit = nullptr;
    // The main window's SetSearchWord, with the picked candidate's text.
    std::function<void(const std::string& sjis_word)> set_search_word;
};

class TfmCandidateBox : public QWidget {
    Q_OBJECT
public:
    explicit TfmCandidateBox(TCandidateBoxSource source, QWidget* parent = nullptr);
    ~TfmCandidateBox() override;

    // The search bar's "show, then repaint": shown without taking the
    // focus, then placed, refilled and the focus given back to the edit.
    void ShowAndRefill();
    // The candidate vector was refilled: the list follows it (a model
    // reset), nothing else.
    void CandidatesChanged();
    // What a repaint does: PlaceUnderEdit, the list refilled from the
    // vector in its order, ReturnFocusToEdit.
    void Refill();
    // Under the edit, or above it near the bottom of its screen; right
    // edges aligned near the right edge of the screen.
    void PlaceUnderEdit();
    // Where a box of `box` size goes for an edit at `edit` (global
    // coordinates) on a screen of `screen` geometry.
    static QPoint PlaceFor(const QRect& edit, const QSize& box, const QRect& screen);
    // The edit's window active again, the edit focused, the caret after
    // the last character, nothing selected.
    void ReturnFocusToEdit();
    // Down and Up in the search edit: the box's window becomes active and
    // its list takes the focus (FormActivate).
    void ActivateList();
    // The row at the selected candidate index selected and focused when no
    // row is, then scrolled into view.
    void FormActivate();
    // Esc, Enter, Up on the first row and Down on the last; true when the
    // key was consumed.
    bool FormKeyDown(QKeyEvent* event);
    void ListView1ColumnClick(int column);
    // The pick: SetSearchWord with the selected row's text, then the box
    // closes. Nothing without a selected row.
    void ListView1DblClick();
    // The row under the mouse becomes the list's tip.
    void ListView1MouseMove(const QPoint& position);
    // Tag 1: every candidate; tag 2: the selected row's candidate.
    void N1Click(int tag);
    // The clipboard text of N1Click: "text\tcount\n" per candidate.
    QString ClipboardText(int tag) const;

    QTreeView* ListView1() const { return list_; }
    bool ListHasFocus() const;
    // Whether a widget is the box or lies in it.
    bool Contains(const QWidget* widget) const;
    // The column of the last header click, for the whole program.
    static int SortColumn;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPopupMenu();
    // The box is made once; closing hides it.
    void Close();
    // The selected row; -1 for none.
    int SelectedRow() const;
    // The row selected alone and made the focused one.
    void SelectRow(int row);

    TCandidateBoxSource source_;
    QTreeView* list_ = nullptr;
    TCandidateModel* model_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* N1 = nullptr;
    QAction* N2 = nullptr;
};
