#include "exchange/import/TRegistroComprovante.h"

#include <array>

#include "exchange/import/CamposImportacao.h"
#include "model/values/TErro.h"

namespace {

struct TCampo {
    int Inicio;   // from 1
    int Tamanho;
    const char16_t* Rotulo;
};

constexpr std::array<TCampo, TRegistroComprovante::Campos> Tabela = {{
    {1, 11, u"Beneficiário"},
    {12, 15, u"Previdência Oficial"},
    {27, 15, u"Previdência Privada"},
    {42, 15, u"Pensão Alimentícia"},
    {57, 15, u"Aposentadoria"},
    {72, 15, u"Diarias"},
    {87, 15, u"Pensão Alimentícia"},
    {102, 15, u"Lucro de PJ"},
    {117, 15, u"Titular de Microempresa"},
    {132, 15, u"Indenizações"},
    {147, 60, u"Descrição de Outros Rendimentos Isentos"},
    {207, 15, u"Outros"},
    {222, 200, u"Informações Complementares"},
}};

}   // namespace

void TRegistroComprovante::SetLinha(const QString& Linha)
{
    FLinha = RetiraBrancosFinais(Linha);
}

bool TRegistroComprovante::CampoMonetario(int N)
{
    return (N >= 2 && N <= 10) || N == 12;
}

QString TRegistroComprovante::Rotulo(int N)
{
    if (N < 1 || N > Campos)
        return {};
    return QString::fromUtf16(Tabela[static_cast<std::size_t>(N - 1)].Rotulo);
}

QString TRegistroComprovante::Campo(int N) const
{
    if (N < 1 || N > Campos)
        return {};
    const TCampo& campo = Tabela[static_cast<std::size_t>(N - 1)];
    return FLinha.mid(campo.Inicio - 1, campo.Tamanho);
}

std::uint8_t TRegistroComprovante::LeValor(int N, TMonetario& Destino) const
{
    if (!CampoMonetario(N))
        return CodigoMensagem::ValorInvalido;
    TMonetario lido;
    if (const std::uint8_t codigo = lido.SetTextoSemSeparador(Campo(N)); codigo != 0)
        return codigo;
    try {
        Destino.VerificaLimite(lido.GetValor());
    } catch (const EMonetarioInvalido& e) {
        return e.Codigo();   // the line's message names it; the amount stays as it was
    }
    Destino.SetValor(lido.GetValor());
    return 0;
}

std::uint8_t TRegistroComprovante::CampoValor(int N, QString& Texto)
{
    Texto = Campo(N);
    if (!CampoMonetario(N))
        return 0;
    if (const std::uint8_t codigo = LeValor(N, FValor); codigo != 0)
        return codigo;
    Texto = FValor.GetTextoFormatado();
    return 0;
}
