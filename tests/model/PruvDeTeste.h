#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <initializer_list>
#include <memory>

#include "ImprimeQString.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TNi.h"
#include "model/schema/EsquemaPrograma.h"
#include "model/values/PastasPrograma.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"

// Valid numbers from their roots.
inline QString NumeroDe(const char* raiz)
{
    const QString r = QLatin1String(raiz);
    return r + CalculaDV(r);
}

// Rows of a table (all, or those whose column holds the value), through the database; 0 for a
// table not made yet.
inline qint64 Linhas(const char* tabela, const QString& coluna = {}, const QString& valor = {})
{
    auto banco = TDatabase::DaPasta(DiretorioDados());
    const QString nome = banco->NomeReal(QLatin1String(tabela));
    if (nome.isEmpty())
        return 0;   // not made yet
    QString sql = QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(nome);
    if (!coluna.isEmpty())
        sql += QStringLiteral(" WHERE \"%1\" = '%2'").arg(coluna, valor);
    TComando c(banco->Conexao(), sql);
    return c.Passo() ? c.Inteiro(0) : -1;
}

inline void Executa(const QString& sql)
{
    TDatabase::DaPasta(DiretorioDados())->Escreve(sql);
}

// A fresh data folder whose code table holds the codes the program ships, and the declarations
// collection over it; declarations are made complete (a head-office CNPJ of nature 0 with every
// person) and stored on demand.
class PruvDeTeste : public ::testing::Test {
protected:
    const QString Matriz = NumeroDe("112223330001");
    const QString Filial = NumeroDe("112223330002");
    const QString Outra = NumeroDe("998887770001");
    const QString CpfDeclarante = NumeroDe("111444777");
    const QString CpfResponsavel = NumeroDe("529982247");
    const QString CpfBeneficiario = NumeroDe("222333444");
    const QString Fundo = NumeroDe("556667770001");

    DialogosRoteirizados dialogos;
    std::unique_ptr<TColecaoPruv> colecao;

    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        colecao = std::make_unique<TColecaoPruv>();
    }

    // A declaration of the declarant and year, with the nature of that position when available.
    std::unique_ptr<TPruv> Nova(const QString& ni, const char* ano = "2002", int natureza = 0,
                                const char* nome = "EMPRESA ALFA LTDA")
    {
        auto pruv = std::make_unique<TPruv>();
        pruv->SetErros(&erros);
        pruv->GetDeclarante().SetNi(ni);
        pruv->GetDeclarante().Nome().SetTexto(QLatin1String(nome));
        pruv->SetAno(QLatin1String(ano));
        pruv->SetNaturezaSemExcecao(pruv->GetNaturezas().GetTodas()[natureza]);
        pruv->GetNiEstabResponsavel().SetNi(ni);
        if (ni.size() == 14)
            pruv->GetRespCnpj().SetNi(CpfResponsavel);
        TResponsavel& r = pruv->GetResponsavel();
        r.SetNi(CpfResponsavel);
        r.Nome().SetTexto(QStringLiteral("MARIA DA SILVA"));
        r.Fone().DDD().SetTexto(QStringLiteral("11"));
        r.Fone().Numero().SetTexto(QStringLiteral("32221234"));
        r.Fax().Numero().SetTexto(QStringLiteral("32221235"));
        return pruv;
    }

    std::unique_ptr<TPruv> Armazenada(const QString& ni, const char* ano = "2002", int natureza = 0)
    {
        auto pruv = Nova(ni, ano, natureza);
        colecao->Inclui(*pruv);
        return pruv;
    }

    // An annex of the declaration for the fund "FUNDO BETA" of that number; stored when Salva.
    static std::unique_ptr<TAnexoFC> NovoAnexo(TPruv& pruv, const QString& fundo, const char* chave = "",
                                               bool salva = false)
    {
        auto anexo = std::make_unique<TAnexoFC>(pruv);
        anexo->SetChave(QLatin1String(chave));
        anexo->GetDeclarante().SetNi(fundo);
        anexo->GetDeclarante().Nome().SetTexto(QStringLiteral("FUNDO BETA"));
        if (salva)
            pruv.GetColecaoAnexo().Salva(*anexo);
        return anexo;
    }

    // Funds of the administrator holding Beneficiarios people under five fund codes each,
    // PorFundo people a fund, stored straight into the tables as the program stores them (in
    // one transaction: thousands of funds in a moment). Fund numbers begin at the root Raiz.
    static void Fundos(TPruv& pruv, int Beneficiarios, int PorFundo, qint64 Raiz, int PrimeiraChave)
    {
        const auto banco = TDatabase::DaPasta(DiretorioDados());
        CriaTabelasPrograma(*banco);
        TTransacao transacao(*banco);
        const QString chave = pruv.GetChave();
        TComando anexo(banco->Conexao(),
                       QStringLiteral("INSERT INTO Anexo (E_PRUV_DK, ANEXO_DK, IN_PF_PJ, "
                                      "NR_PF_PJ, NM_EMPR) VALUES (?1, ?2, '2', ?3, 'FUNDO')"));
        TComando benef(banco->Conexao(),
                       QStringLiteral("INSERT OR IGNORE INTO Benef (E_PRUV_DK, IN_PF_PJ, NR_PF_PJ, "
                                      "NM_NM_EMPR) VALUES (?1, '1', ?2, 'JOSE DA SILVA')"));
        TComando item(banco->Conexao(),
                      QStringLiteral("INSERT INTO PruvItem (IN_ANEXO, \"E_PRUV/ANEXO_DK\", PRUV_ITEM_DK, E_PRUV_DK, "
                                     "TRIB_TRIBU, E_IN_PF_PJ, E_NR_PF_PJ, REND_01, IRRF_01) VALUES ('1', ?1, ?2, ?3, "
                                     "?4, '1', ?5, 10000000, 1000000)"));
        const auto escreve = [&banco](TComando& comando, std::initializer_list<QString> valores) {
            int i = 0;
            for (const QString& valor : valores)
                comando.LigaTexto(++i, valor);
            banco->Escreve(comando);
            comando.Reinicia();
        };
        const auto numero = [](qint64 n, int digitos) {
            return QStringLiteral("%1").arg(n, digitos, 10, QLatin1Char('0'));
        };
        QString fundo;
        int itens = 0;
        for (int b = 0; b < Beneficiarios; ++b) {
            if (b % PorFundo == 0) {
                fundo = numero(PrimeiraChave + b / PorFundo, 5);
                escreve(anexo, {chave, fundo, numero(Raiz + b / PorFundo, 8) + QStringLiteral("0001")});
                itens = 0;
            }
            const QString cpf = numero(300000000 + b * 7919, 9);
            escreve(benef, {chave, cpf});
            for (const char* codigo : {"0490", "0924", "5232", "6800", "6813"})
                escreve(item, {fundo, numero(++itens, 7), chave, QLatin1String(codigo), cpf});
        }
        transacao.Confirma();
    }
    // An item of the owner under the code, for the beneficiary, with income and tax of January;
    // stored.
    void Item(TPruv& pruv, TPruvAnexo& dono, const char* codigo, const QString& ni, qint64 reais = 1000)
    {
        TPruvItem item(pruv, dono);
        item.GetCodigoRetencao().SetCodigo(QLatin1String(codigo));
        pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
        item.GetBeneficiario().SetNi(ni);
        item.GetBeneficiario().Nome().SetTexto(QStringLiteral("JOSE DA SILVA"));
        item.GetValores().GetRendimento(1).SetValor(reais * TMonetario::Escala);
        item.GetValores().GetImposto(1).SetValor(reais * TMonetario::Escala / 10);
        ASSERT_EQ(dono.GetItens().Salva(item), TColecaoPruvItem::Inserido);
    }

    // An item of the owner under the code with every amount of every month, the 13th salary
    // included, at the largest one a month may hold: each total past it; stored.
    void ItemNoMaximo(TPruv& pruv, TPruvAnexo& dono, const char* codigo, const QString& ni)
    {
        TPruvItem item(pruv, dono);
        item.GetCodigoRetencao().SetCodigo(QLatin1String(codigo));
        pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
        item.GetBeneficiario().SetNi(ni);
        item.GetBeneficiario().Nome().SetTexto(QStringLiteral("JOSE DA SILVA"));
        TRendimentosTributaveis& v = item.GetValores();
        TSubJudice& s = item.GetSubJudice();
        TCompensacao& c = item.GetCompensacao();
        for (int mes = 1; mes <= 13; ++mes)
            for (TMonetario* valor :
                 {&v.GetRendimento(mes), &v.GetDeducao(mes), &v.GetImposto(mes), &s.GetRendimento(mes),
                  &s.GetDeducao(mes), &s.GetImposto(mes), &s.GetDeposito(mes), &c.GetCompensacaoAno(mes),
                  &c.GetCompensacaoAnosAnteriores(mes)})
                valor->SetTexto(QStringLiteral("99.999.999.999,99"));
        ASSERT_EQ(dono.GetItens().Salva(item), TColecaoPruvItem::Inserido);
    }

    TErros erros;
};
