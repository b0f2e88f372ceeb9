#include "model/values/PastasPrograma.h"

#include "model/values/CodigoMensagem.h"
#include "model/values/TErro.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TPastas.h"

QString DiretorioPrograma()
{
    return TPastas::Programa();
}

QString DiretorioDados()
{
    return TPastas::Dados();
}

QString DiretorioTemporario()
{
    return TPastas::Temporaria();
}

QString RetiraBarraFinal(const QString& Caminho)
{
    qsizetype fim = Caminho.size();
    while (fim > 0 && (Caminho[fim - 1] == QLatin1Char('/') || Caminho[fim - 1] == QLatin1Char('\\')))
        --fim;
    return Caminho.left(fim);
}

void VerificaEspacoEmDisco()
{
    const qint64 livres = TEspacoEmDisco::Livre(DiretorioDados());
    if (livres < EspacoMinimoEmDisco)
        throw EEspacoEmDiscoError(CodigoMensagem::SemEspacoParaOPrograma, QString(), TipoDialogo::Erro, Botao::Ok, 0);
}
