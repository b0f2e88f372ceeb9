#include "components/controls/datetime/TdvDateTimeColors.h"

#include "components/controls/datetime/TdvMonthCalendar.h"
#include "platform/widgets/painting/SystemColors.h"

TdvDateTimeColors::TdvDateTimeColors(TdvMonthCalendar* owner)
    : FOwner(owner)
    , FColors{SystemColors::Window(), SystemColors::WindowText(), SystemColors::ActiveCaption(),
              QColor(Qt::white),      QColor(Qt::white),          SystemColors::InactiveCaptionText()}
{}

QColor TdvDateTimeColors::Color(int index) const
{
    return index >= 0 && index < static_cast<int>(FColors.size()) ? FColors[static_cast<std::size_t>(index)] : QColor();
}

void TdvDateTimeColors::SetColor(int index, const QColor& cor)
{
    if (index < 0 || index >= static_cast<int>(FColors.size()))
        return;
    FColors[static_cast<std::size_t>(index)] = cor;
    if (FOwner)
        FOwner->SetCalColor(index, cor);
}

void TdvDateTimeColors::Assign(const TdvDateTimeColors& origem)
{
    for (int i = Text; i <= TrailingText; ++i)
        SetColor(i, origem.Color(i));
}
