#include "platform/widgets/painting/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QColor DaPaleta(QPalette::ColorGroup grupo, QPalette::ColorRole papel)
{
    return QGuiApplication::palette().color(grupo, papel);
}

}   // namespace

namespace SystemColors {

QColor Window()
{
    return DaPaleta(QPalette::Active, QPalette::Base);
}

QColor WindowText()
{
    return DaPaleta(QPalette::Active, QPalette::Text);
}

QColor BtnFace()
{
    return DaPaleta(QPalette::Active, QPalette::Button);
}

// The palette has no title-bar colours: the selection colour is the desktop's accent.
QColor ActiveCaption()
{
    return DaPaleta(QPalette::Active, QPalette::Highlight);
}

QColor InactiveCaptionText()
{
    return DaPaleta(QPalette::Disabled, QPalette::Text);
}

QColor Highlight()
{
    return DaPaleta(QPalette::Active, QPalette::Highlight);
}

QColor HighlightText()
{
    return DaPaleta(QPalette::Active, QPalette::HighlightedText);
}

}   // namespace SystemColors
