#include "screens/BotoesPagina.h"

#include <QToolButton>

#include "screens/TSaidaDeCampo.h"

QToolButton* BotaoDePagina(QWidget* Pai, const char* Nome, const char* Texto, const char* Dica, bool Cancela)
{
    auto* botao = new QToolButton(Pai);
    botao->setObjectName(QLatin1String(Nome));
    botao->setText(QString::fromUtf8(Texto));
    botao->setToolTip(QString::fromUtf8(Dica));
    botao->setAutoRaise(true);
    if (Cancela)
        botao->setProperty(TSaidaDeCampo::PropriedadeModalResult, TSaidaDeCampo::mrCancel);
    return botao;
}
