#include "CaminhoNaJanela.h"

#include <QStringList>
#include <QWidget>

QString CaminhoNaJanela(const QWidget& controle, const QWidget& janela)
{
    QStringList partes;
    for (const QWidget* w = &controle; w && w != &janela && partes.size() < 3; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            partes.prepend(w->objectName());
        else if (w == &controle)
            partes.prepend(QString::fromLatin1(w->metaObject()->className()));
    }
    return partes.join(QLatin1Char('/'));
}
