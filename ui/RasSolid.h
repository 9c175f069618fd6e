#pragma once

// TfmRasSolid: the image loading options of a document's TInfoREG, i.e.
// releasing the images of hidden layers, and the monochrome image cache with
// its three conditions (load time, cache size, cache-to-image ratio) and the
// two lists that join them. The dialog only edits the values; what they mean
// is the image cache's business.
//
// The caller fills the form from the TInfoREG, places it under the button
// that opened it (PlaceUnderButton) and shows it modally; after OK it reads
// every control back, disabled ones included, since a disabled control keeps
// its value.
//
// Enter never closes the form: it moves the focus to the next control.

#include "render/Forward.h"

#include <QDialog>

#include <array>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QShowEvent;
namespace Ui {
class fmRasSolid;
}

class TfmRasSolid : public QDialog {
    Q_OBJECT
public:
    explicit TfmRasSolid(QWidget* parent = nullptr);
    ~TfmRasSolid() override;

    // Every control from its field. Values the controls cannot show are
    // brought into range: negative numbers become 0, a list index outside
    // the list its nearest item.
    void Fill(const TInfoREG& info);
    // Every field from its control: check boxes as 0 or 1, numbers as their
    // values (0 to INT_MAX), lists as their item indexes.
    void Read(TInfoREG& info) const;
    // The list that joins the conditions: 1 the first join, 2 the second.
    // Its enabling is the form's as it was last left.
    const QComboBox* Combine(int join) const;

    // Handlers.
    void FormShow();
    void cbRasMonoCacheClick();
    void cbRasLoadTimeClick();
    void cbRasSaveSizeClick();
    void cbRasRateClick();
    // True when the key was consumed.
    bool FormKeyDown(QKeyEvent* event);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // One condition: its check box and the controls it switches.
    struct TConditionRow {
        QCheckBox* box = nullptr;
        std::vector<QWidget*> controls;
    };
    enum { LoadTimeRow, SaveSizeRow, RateRow };

    bool CacheOn() const;
    void EnableAll();
    void EnableRow(const TConditionRow& row);
    void EnableJoins();

    std::unique_ptr<Ui::fmRasSolid> ui_;
    std::array<TConditionRow, 3> rows_;
};
