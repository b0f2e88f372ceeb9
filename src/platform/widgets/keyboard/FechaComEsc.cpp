#include "platform/widgets/keyboard/FechaComEsc.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

void FechaComEsc(QWidget& janela)
{
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), &janela);
    esc->setObjectName(QStringLiteral("FechaComEsc"));
    QObject::connect(esc, &QShortcut::activated, &janela, &QWidget::close);
}
