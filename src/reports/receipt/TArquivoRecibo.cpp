#include "reports/receipt/TArquivoRecibo.h"

#include "exchange/layout/CalculaCRC.h"
#include "model/values/TratamentoTexto.h"
#include "platform/files/TArquivoTexto.h"
#include "platform/transmit/ICarregadorTransmissao.h"

namespace {

constexpr int QuantidadeLinhas = 3;

// Positions are 1-based, as the file's layout gives them.
QString Campo(const QString& linha, int inicio, int tamanho = -1)
{
    return linha.mid(inicio - 1, tamanho);
}

QString DoisDigitos(int n)
{
    return ZerosAEsquerda(n, 2);
}

}   // namespace

QString TRecepcao::Texto() const
{
    return QStringLiteral("em %1/%2/%3 às %4:%5:%6")
        .arg(Dia)
        .arg(Mes)
        .arg(Ano)
        .arg(DoisDigitos(Hora), DoisDigitos(Minuto), DoisDigitos(Segundo));
}

TArquivoRecibo::TArquivoRecibo(const QString& caminho)
{
    TArquivoTexto arquivo;
    if (!arquivo.Abre(caminho))
        return;
    QString linha;
    while (FLinhas.size() < QuantidadeLinhas && arquivo.LeLinha(linha))
        FLinhas << linha;
}

QString TArquivoRecibo::CodigoControle(const QString& texto)
{
    const quint32 crc = ~CalculaCRC(texto, static_cast<int>(texto.size()), 0xFFFFFFFFu);
    return ZerosAEsquerda(crc, 10);
}

void TArquivoRecibo::LeRecepcao()
{
    const QString& linha = FLinhas.at(1);
    FRecepcao = TRecepcao{};
    FRecepcao.NumeroRecibo = Campo(linha, 60, 10);
    FRecepcao.Ni = Campo(linha, 3, 14).trimmed();
    const struct {
        int inicio, tamanho;
        int* parte;
    } partes[] = {
        {17, 2, &FRecepcao.Dia},  {19, 2, &FRecepcao.Mes},    {21, 4, &FRecepcao.Ano},
        {25, 2, &FRecepcao.Hora}, {27, 2, &FRecepcao.Minuto}, {29, 2, &FRecepcao.Segundo},
    };
    // The first part that is not a number leaves itself and the rest at 0.
    for (const auto& p : partes) {
        const QString texto = Campo(linha, p.inicio, p.tamanho);
        if (texto.isEmpty() || !SoNumeros(texto))
            break;
        *p.parte = texto.toInt();
    }
}

bool TArquivoRecibo::CodigosConferem() const
{
    return CodigoControle(Campo(FLinhas.at(0), 1, 16)) == Campo(FLinhas.at(0), 17, 10)
        && CodigoControle(Campo(FLinhas.at(1), 1, 89)) == Campo(FLinhas.at(1), 90)
        && CodigoControle(Campo(FLinhas.at(2), 1, 48)) == Campo(FLinhas.at(2), 49, 10);
}

TSituacaoRecibo TArquivoRecibo::Verifica(const QString& crcDeclaracao,
                                         const std::function<IBibliotecaAssinatura*()>& assinatura)
{
    const char* marcas[QuantidadeLinhas] = {"HC", "RC", "TC"};
    if (FLinhas.size() < QuantidadeLinhas)
        return TSituacaoRecibo::Invalido;
    for (int i = 0; i < QuantidadeLinhas; ++i)
        if (!FLinhas.at(i).startsWith(QLatin1String(marcas[i])))
            return TSituacaoRecibo::Invalido;
    LeRecepcao();

    IBibliotecaAssinatura* biblioteca = assinatura ? assinatura() : nullptr;
    if (biblioteca == nullptr)
        return TSituacaoRecibo::SemAssinatura;
    const TRecepcao& r = FRecepcao;
    if (!biblioteca->VA5(r.NumeroRecibo, r.Ni, crcDeclaracao, r.Dia, r.Mes, r.Ano, r.Hora, r.Minuto, r.Segundo))
        return TSituacaoRecibo::Invalido;
    if (!CodigosConferem() || !r.Data().isValid())
        return TSituacaoRecibo::Invalido;
    return TSituacaoRecibo::Certificado;
}
