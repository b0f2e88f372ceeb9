#include "platform/db/sqlite/TInsercao.h"

#include <cstring>

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

TInsercao::TInsercao(std::shared_ptr<TDatabase> Banco, const QString& NomeTabela, std::vector<TFieldDef> Campos,
                     const QString& Conflito)
    : FBanco(std::move(Banco))
    , FCampos(std::move(Campos))
{
    const QString nome = FBanco->NomeReal(NomeTabela);
    if (nome.isEmpty())
        throw EDatabaseError(QStringLiteral("Table '%1' does not exist").arg(NomeTabela));
    // Written in one text: a collection made for each declaration loaded writes it again.
    QString sql;
    sql.reserve(64 + static_cast<qsizetype>(FCampos.size()) * 16 + Conflito.size());
    sql += QStringLiteral("INSERT INTO ") + TEsquemaTabela::Aspas(nome) + QStringLiteral(" (");
    for (std::size_t i = 0; i < FCampos.size(); ++i) {
        if (i > 0)
            sql += QLatin1Char(',');
        TEsquemaTabela::AcrescentaAspas(sql, FCampos[i].Name);
    }
    sql += QStringLiteral(") VALUES ") + TEsquemaTabela::Marcadores(static_cast<int>(FCampos.size()));
    if (!Conflito.isEmpty())
        sql += QLatin1Char(' ') + Conflito;
    // A collection made again for each declaration loaded prepares the same text again: the
    // statement another one handed back serves, as the database keeps them for cursors.
    FComando = FBanco->ComandoDevolvido(sql);
    FLigado.assign(FCampos.size(), Ligado::Nada);
    FTextos.resize(FCampos.size());
    FInteiros.assign(FCampos.size(), 0);
}

TInsercao::~TInsercao()
{
    // Handed back unbound, for the next insert into the table.
    FBanco->DevolveComando(std::move(FComando));
}

namespace {

// Equal texts, told first by sharing the same characters: a load hands the same key over and
// over, and Qt's general comparison costs more than the bind it spares.
bool MesmoTexto(const QString& A, const QString& B)
{
    return A.size() == B.size()
        && (A.constData() == B.constData()
            || std::memcmp(A.constData(), B.constData(), static_cast<std::size_t>(A.size()) * sizeof(QChar)) == 0);
}

}   // namespace

void TInsercao::Texto(int Coluna, const QString& Valor)
{
    const auto c = static_cast<std::size_t>(Coluna);
    if (FLigado[c] == Ligado::Texto && MesmoTexto(FTextos[c], Valor))
        return;
    FLigado[c] = Ligado::Nada;   // until bound: a failed bind leaves the column unknown
    const int tamanho = FCampos[c].Size;
    FComando->LigaTexto(Coluna + 1, TFieldDef::Corta(Valor, tamanho));
    FTextos[c] = Valor;
    FLigado[c] = Ligado::Texto;
}

void TInsercao::LigaInteiro(std::size_t c, qint64 Valor)
{
    FLigado[c] = Ligado::Nada;
    FComando->LigaInteiro(static_cast<int>(c) + 1, Valor);
    FInteiros[c] = Valor;
    FLigado[c] = Ligado::Inteiro;
}

void TInsercao::Grava()
{
    FBanco->Escreve(*FComando);
}
