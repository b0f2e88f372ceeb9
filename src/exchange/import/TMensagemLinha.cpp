#include "exchange/import/TMensagemLinha.h"

#include "model/values/ErrosDeLinha.h"

QString TMensagemLinha::Inicio(int Numero)
{
    return QStringLiteral("Linha: ") + QString::number(Numero) + QStringLiteral(" - ");
}

void TMensagemLinha::Adiciona(const QString& Mensagem)
{
    FTexto = FTexto.isEmpty() ? Inicio(FNumero) + Mensagem : FTexto + QStringLiteral("; ") + Mensagem;
}

void TMensagemLinha::AdicionaCodigo(std::uint8_t Codigo, const QString& Parametro)
{
    Adiciona(MensagemDaLinha(Codigo, Parametro));
}

void TMensagemLinha::AdicionaTrecho(const QString& Trecho)
{
    if (FTexto.isEmpty())
        FTexto = Inicio(FNumero).chopped(1);   // the text brings its own blank
    FTexto += Trecho;
}
