#include "RelatorioDePaginas.h"

#include "platform/report/elements/TDadoSistema.h"
#include "platform/report/pages/TFonte.h"

RelatorioDePaginas::RelatorioDePaginas(int total)
    : Total(total)
{
    TBanda& detalhe = R.CriaBanda(TTipoBanda::Detalhe, QStringLiteral("Detalhe"));
    detalhe.Altura = 30;
    detalhe.ForcaNovaPagina = true;
    auto& numero = detalhe.Adiciona<TDadoSistema>(QStringLiteral("Numero"));
    numero.Texto = QStringLiteral("Página ");
    numero.Fonte = TFonte::Cria(QStringLiteral("Liberation Sans"), 16);
    R.AntesDeGerar = [this](bool&) { Atual = 0; };
    R.PrecisaDados = [this] { return ++Atual <= Total; };
}
