#pragma once
#include <QFont>

// The font the forms were laid out in (8 points at 96 pixels per inch): their design distances
// hold for it.
inline QFont FonteFormulario()
{
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPixelSize(11);
    return fonte;
}
