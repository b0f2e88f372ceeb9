#pragma once
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QStringList>
#include <memory>

#include "ImprimeQString.h"
#include "ItensDeTeste.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePF.h"
#include "model/statements/TComprovantePJ.h"
#include "model/values/PastasPrograma.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TPastas.h"

inline const char* const CpfDeTeste = "111.444.777-35";
inline const char* const CnpjDeTeste = "11.222.333/0001-81";

// The rows of the statement tables as another connection to the database file sees them (only
// what is committed), one text per row, sorted.
inline QStringList LinhasGravadas(const char* tabela)
{
    QStringList linhas;
    sqlite3* conexao = nullptr;
    const QByteArray arquivo = (DiretorioDados() + QLatin1Char('/') + TDatabase::NomeArquivo()).toUtf8();
    if (sqlite3_open_v2(arquivo.constData(), &conexao, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        const QByteArray sql = QByteArray("SELECT * FROM ") + tabela;
        sqlite3_stmt* comando = nullptr;
        if (sqlite3_prepare_v2(conexao, sql.constData(), -1, &comando, nullptr) == SQLITE_OK) {
            while (sqlite3_step(comando) == SQLITE_ROW) {
                QStringList colunas;
                for (int i = 0; i < sqlite3_column_count(comando); ++i)
                    colunas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(comando, i)));
                linhas << colunas.join(QLatin1Char('|'));
            }
        }
        sqlite3_finalize(comando);
    }
    sqlite3_close(conexao);
    linhas.sort();
    return linhas;
}

inline QStringList TodasAsLinhas()
{
    QStringList linhas;
    for (const char* tabela : {"ComprPf", "ComprPj", "Compvel", "InfoComp"})
        linhas << QString::fromLatin1(tabela) << LinhasGravadas(tabela);
    return linhas;
}

// A declaration (key "00001", year 2002) with in-memory items and its statement tables in a fresh
// data folder; statements are made and assembled for one beneficiary each.
class ComprovantesDeTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        holder = std::make_unique<TColecaoComprovante>(declaracao, [this]() -> IItensBeneficiario& { return itens; });
    }

    // An item with January's income and tax, and February's income, in reais.
    TPruvItem& Item(const char* ni, const char* codigo, const char* regime, qint64 rend, qint64 imp = 0,
                    bool in4 = false)
    {
        TPruvItem& item = itens.Adiciona(ni, codigo, regime, nullptr, in4);
        item.GetValores().GetRendimento(1).SetValor(Reais(rend));
        item.GetValores().GetImposto(1).SetValor(Reais(imp));
        item.GetValores().GetRendimento(2).SetValor(Reais(rend));
        return item;
    }

    // A beneficiary of the declaration and its statement, loaded through the holder.
    template <class C> struct Carregado {
        TBeneficiarioPruv beneficiario;
        C comprovante{beneficiario};
        bool achou = false;
        Carregado(DeclaracaoDeTeste& declaracao, const char* ni)
            : beneficiario(&declaracao)
        {
            beneficiario.SetNi(QString::fromLatin1(ni));
        }
    };
    template <class C> std::unique_ptr<Carregado<C>> Carrega(const char* ni)
    {
        auto c = std::make_unique<Carregado<C>>(declaracao, ni);
        c->achou = holder->Carrega(c->comprovante);
        c->comprovante.SetAlterado(false);
        return c;
    }
    std::unique_ptr<Carregado<TComprovantePF>> CarregaPF(const char* ni = CpfDeTeste)
    {
        return Carrega<TComprovantePF>(ni);
    }
    std::unique_ptr<Carregado<TComprovantePJ>> CarregaPJ(const char* ni = CnpjDeTeste)
    {
        return Carrega<TComprovantePJ>(ni);
    }

    DeclaracaoDeTeste declaracao;
    ItensDeTeste itens{declaracao};
    std::unique_ptr<TColecaoComprovante> holder;
};
