#include "shell/common/ContextoAjuda.h"

#include <QVariant>
#include <QWidget>

void DefineHelpContext(QWidget& Controle, int HelpContext)
{
    Controle.setProperty(PropriedadeHelpContext, HelpContext);
}

int ObtemHelpContext(const QObject* Controle)
{
    constexpr int Nenhum = 10000;
    const auto* controle = qobject_cast<const QWidget*>(Controle);
    if (!controle)
        return Nenhum;
    for (; controle; controle = controle->parentWidget())
        if (const int contexto = controle->property(PropriedadeHelpContext).toInt(); contexto != 0)
            return contexto;
    return Nenhum;
}
