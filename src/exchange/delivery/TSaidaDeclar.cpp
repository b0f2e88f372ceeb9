#include "exchange/delivery/TSaidaDeclar.h"

#include <QString>

#include "exchange/delivery/ResultadoEntrega.h"
#include "platform/compress/Compressao.h"
#include "platform/files/TArquivoTexto.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

constexpr char FimDeLinha[] = "\r\n";

}   // namespace

TSaidaDeclar::TSaidaDeclar(TArquivoTexto& Arquivo)
    : FArquivo(Arquivo)
{
    FBloco.reserve(TamanhoBloco + 1024);
}

bool TSaidaDeclar::Grava(QByteArrayView Linha)
{
    if (FGravacaoFalhou)
        return false;
    FBloco.append(Linha.data(), Linha.size());
    FBloco.append(FimDeLinha, 2);
    return FBloco.size() < TamanhoBloco || Descarrega();
}

bool TSaidaDeclar::Descarrega()
{
    if (FGravacaoFalhou)
        return false;
    if (FBloco.isEmpty())
        return true;
    // The file takes text a line at a time and ends each with CR LF: the block goes as one
    // line, its own last CR LF left to the file. Latin-1 keeps every byte as it is.
    const bool gravou = FArquivo.GravaLinha(QString::fromLatin1(QByteArrayView(FBloco).chopped(2)));
    FBloco.resize(0);   // keeps the capacity
    InterfaceUsuario::Atividade().MantemVivo();
    if (gravou)
        return true;
    FGravacaoFalhou = true;
    Falha(ResultadoEntrega::ErroGravacao);
    return false;
}

void TSaidaDeclar::SomaCrc(QByteArrayView Linha)
{
    FCrc = CalculaCRC32(Linha.data(), static_cast<quint32>(Linha.size()), FCrc);
    FCrc = CalculaCRC32(FimDeLinha, 2, FCrc);
}

void TSaidaDeclar::Falha(std::uint8_t Codigo, const QString& Texto)
{
    if (FResultado != 0)
        return;
    FResultado = Codigo;
    FTexto = Texto;
}
