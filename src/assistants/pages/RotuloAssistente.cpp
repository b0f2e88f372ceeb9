#include "assistants/pages/RotuloAssistente.h"

#include <QLabel>

QLabel* RotuloAssistente(const QString& Texto, QWidget* Pai, const char* Nome)
{
    auto* rotulo = new QLabel(Texto, Pai);
    rotulo->setWordWrap(true);
    rotulo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (Nome)
        rotulo->setObjectName(QLatin1String(Nome));
    return rotulo;
}
