#include "model/storage/ValoresArmazenados.h"

#include <algorithm>

#include "components/data/datasets/TdvTable.h"
#include "model/storage/OperacoesTabela.h"
#include "model/storage/TColecao.h"
#include "platform/db/sqlite/EDatabaseError.h"

namespace {

// SQLite's primary result code of a refused constraint (a key already taken).
constexpr int RestricaoViolada = 19;

}   // namespace

TFieldDef CampoTexto(const QString& Nome, int Tamanho)
{
    return {Nome, ftString, Tamanho, false};
}

TFieldDef CampoMonetario(const QString& Nome)
{
    return {Nome, ftCurrency, 0, false};
}

qint64 LeMonetario(const TdvTable& Tabela, int Coluna)
{
    return Tabela.Fields(Coluna)->AsFixed4();
}

void GravaMonetario(TField& Campo, qint64 Valor)
{
    Campo.SetAsFixed4(std::max<qint64>(Valor, 0));
}

void GravaMonetario(TdvTable& Tabela, int Coluna, qint64 Valor)
{
    GravaMonetario(*Tabela.Fields(Coluna), Valor);
}

void ExcluiLinhas(TColecao& Colecao)
{
    Colecao.Primeiro();
    while (!Colecao.Eof())
        Colecao.Exclui();
    Colecao.Grava();
}

bool ViolacaoDeChave(const EDatabaseError& Erro)
{
    const auto* motor = dynamic_cast<const EDBEngineError*>(&Erro);
    return motor && (motor->Codigo() & 0xFF) == RestricaoViolada;
}
