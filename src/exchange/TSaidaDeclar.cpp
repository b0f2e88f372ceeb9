#include "exchange/TSaidaDeclar.h"

#include <QString>

#include "exchange/CalculaCRC.h"
#include "exchange/ResultadoEntrega.h"
#include "model/ArquivosTexto.h"

TSaidaDeclar::TSaidaDeclar(TArquivoTexto& Arquivo)
    : FArquivo(Arquivo)
{
}

bool TSaidaDeclar::Grava(const QByteArray& Linha)
{
    if (GravaLinha(FArquivo, QString::fromLatin1(Linha)))
        return true;
    Falha(ResultadoEntrega::ErroGravacao);
    return false;
}

void TSaidaDeclar::SomaCrc(const QByteArray& Linha)
{
    static const QByteArray FimDeLinha("\r\n");
    FCrc = CalculaCRC(Linha, static_cast<int>(Linha.size()), FCrc);
    FCrc = CalculaCRC(FimDeLinha, 2, FCrc);
}

void TSaidaDeclar::Falha(std::uint8_t Codigo)
{
    if (FResultado == 0)
        FResultado = Codigo;
}
