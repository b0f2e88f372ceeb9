#include "assistants/import/TAmostraDeclaracao.h"

#include <QFile>

#include "exchange/import/CamposImportacao.h"
#include "exchange/import/TLeitorLinhas.h"
#include "model/people/TNi.h"

namespace {

using namespace CamposEntrega;

constexpr std::uint8_t FormatoAnoDoisDigitos = 2;
constexpr int PosicaoAno = 28;
constexpr int PosicaoEspecie = 34;
constexpr int PosicaoNatureza = 35;
constexpr int PosicaoCpf = 13;
constexpr int PosicaoNiAdministradora = 151;

// A CNPJ of those 14 positions when valid, else a CPF of their last 11 when valid; empty.
QString NiValido(const QString& Linha, int Inicio)
{
    const QString cnpj = CampoLinha(Linha, Inicio, TamanhoNi);
    if (ValidaCnpj(cnpj, false, false) == 0)
        return cnpj;
    const QString cpf = CampoLinha(Linha, Inicio + 3, TamanhoNi - 3);
    return ValidaCpf(cpf, false) == 0 ? cpf : QString();
}

bool DeDados(QChar Tipo)
{
    return Tipo == QLatin1Char('1') || Tipo == QLatin1Char('2') || Tipo == QLatin1Char('4') || Tipo == QLatin1Char('5');
}

bool DeValores(QChar Tipo)
{
    return Tipo == QLatin1Char('2') || Tipo == QLatin1Char('5');
}

}   // namespace

QStringList TAmostraDeclaracao::Colunas(const QString& Linha)
{
    QStringList colunas{CampoLinha(Linha, 1, 8),
                        CampoLinha(Linha, PosicaoTipo, 1),
                        CampoLinha(Linha, PosicaoNi, TamanhoNi),
                        CampoLinha(Linha, PosicaoCodigo, 4),
                        CampoLinha(Linha, PosicaoTipoBenef, 1),
                        CampoLinha(Linha, PosicaoNiBenef, TamanhoNi),
                        RetiraBrancosFinais(CampoLinha(Linha, PosicaoNome, TamanhoNome))};
    for (int periodo = 1; periodo <= Periodos; ++periodo)
        for (int coluna = 1; coluna <= 3; ++coluna)
            colunas << Valor(Linha, periodo, coluna);
    return colunas;
}

bool TAmostraDeclaracao::Le(const QString& Arquivo, std::uint8_t Formato)
{
    *this = {};
    QFile arquivo(Arquivo);
    if (Arquivo.isEmpty() || !arquivo.open(QIODevice::ReadOnly))
        return false;
    TLeitorLinhas leitor(arquivo);
    QString linha;
    bool lida = leitor.LeLinha(linha);
    if (lida && linha.startsWith(QStringLiteral("PRUV")))
        lida = leitor.LeLinha(linha);
    while (lida && !DeDados(CaractereLinha(linha, PosicaoTipo)))
        lida = leitor.LeLinha(linha);
    if (!lida)
        return !leitor.Falhou();

    Tipo = CaractereLinha(linha, PosicaoTipo);
    const int recuo = Formato == FormatoAnoDoisDigitos ? 2 : 0;
    if (Tipo == QLatin1Char('1')) {
        Ano = recuo ? QStringLiteral("19") + CampoLinha(linha, PosicaoAno, 2) : CampoLinha(linha, PosicaoAno, 4);
        Especie = CaractereLinha(linha, PosicaoEspecie - recuo);
        Natureza = CaractereLinha(linha, PosicaoNatureza - recuo);
        Nome = CampoLinha(linha, PosicaoNome, TamanhoNome).trimmed();
        if (Especie == QLatin1Char('1'))
            Ni = CampoLinha(linha, PosicaoCpf, TamanhoNi - (PosicaoCpf - PosicaoNi));
        else if (Especie == QLatin1Char('2'))
            Ni = CampoLinha(linha, PosicaoNi, TamanhoNi);
    } else if (Tipo == QLatin1Char('2')) {
        Ni = NiValido(linha, PosicaoNi);
    } else if (Tipo == QLatin1Char('4')) {
        Ni = NiValido(linha, PosicaoNiAdministradora);
    }

    for (; lida && static_cast<int>(Amostras.size()) < MaximoAmostras; lida = leitor.LeLinha(linha))
        if (DeValores(CaractereLinha(linha, PosicaoTipo)))
            Amostras.push_back(Colunas(linha));
    return !leitor.Falhou();
}
