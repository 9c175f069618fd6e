#include "controls/Edit97.h"
#include "controls/FloatEdit.h"
#include "controls/HistoryComboBox.h"
#include "controls/NumberEdit.h"
#include "tests/support/WidgetShot.h"

#include <QLabel>
#include <QLocale>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(ControlsScreenshotTest, OneOfEachControl)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    {
        QWidget form;
        form.setWindowTitle("Controls");
        form.resize(260, 170);
        const auto place = [&form](QWidget* control, int row) {
            if (auto* edit97 = qobject_cast<TEdit97*>(control))
                edit97->Loaded();
            auto* label = new QLabel(control->objectName(), &form);
            label->setGeometry(8, 8 + row * 30, 100, 22);
            control->move(112, 8 + row * 30);
            control->resize(140, control->height());
        };

        auto* number = new TNumberEdit(&form);
        number->setObjectName("neBox");
        number->SetComma(true);
        number->SetYen(true);
        number->SetValue(1234567);
        number->resize(number->width(), 22);
        place(number, 0);

        auto* real = new TFloatEdit(&form);
        real->setObjectName("feBox");
        real->SetPlace(2);
        real->SetSign(true);
        real->SetValue(3.14159);
        real->resize(real->width(), 22);
        place(real, 1);

        auto* history = new THistoryComboBox(&form);
        history->setObjectName("hcbHistory");
        history->SetSaveMode(hsManual);
        history->addItems({ "30", "45-30-00" });
        history->resize(history->width(), 22);
        place(history, 2);

        auto* flat = new TEdit97(&form);
        flat->setObjectName("Edit97");
        flat->setText("flat");
        place(flat, 3);

        auto* disabled = new TEdit97(&form);
        disabled->setObjectName("Edit97Off");
        disabled->setText("disabled");
        disabled->setEnabled(false);
        place(disabled, 4);

        // The flat edit shows its hot frame; the numeric edits show their
        // formatted values.
        flat->setFocus();
        CheckScreenshot(form, "controls_small", { "neBox", "feBox", "hcbHistory", "Edit97", "Controls" });
        EXPECT_EQ(flat->height(), flat->fontMetrics().height() + 6);
    }
    QLocale::setDefault(saved);
}

} // namespace
