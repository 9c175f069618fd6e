#include "platform/ui/FormFont.h"

#include "platform/FontFaces.h"
#include "platform/ShiftJis.h"

#include <QFont>
#include <QWidget>

void UseFormFont(QWidget* widget, int pixel_size)
{
    QFont font = widget->font();
    const std::string_view installed = SubstitutedFontFamily(Utf8ToSjis(font.family().toStdString()));
    if (!installed.empty())
        font.setFamilies({ QString::fromUtf8(installed.data(), static_cast<qsizetype>(installed.size())) });
    font.setPixelSize(pixel_size);
    widget->setFont(font);
}
