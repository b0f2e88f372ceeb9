#pragma once
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>
#include <vector>

#include "assistants/verification/TFrPruvVerifica.h"
#include "assistants/verification/TabelaVerifica.h"
#include "components/data/datasets/TdvTable.h"
#include "model/PruvDeTeste.h"
#include "model/items/TPruvItem.h"

// Stored declarations with items that pass, that give a warning (84: income above 100.000 Reais)
// or an error (90: nothing in any month), and the verification frame in a window.
class VerificacaoDeTeste : public PruvDeTeste {
protected:
    struct TLinha {
        QString AQuemPertence;
        QString QuemEh;
        int Objeto;
        int Gravidade;
        QString Descricao;
    };

    QWidget janela;
    TFrPruvVerifica* frame = new TFrPruvVerifica(&janela);

    VerificacaoDeTeste()
    {
        auto* disposicao = new QVBoxLayout(&janela);
        disposicao->addWidget(frame);
    }

    void Limpo(TPruv& pruv) { ItemNoMes(pruv, "0561", 1, 1000, 100); }
    void Aviso(TPruv& pruv) { ItemNoMes(pruv, "0561", 1, 200000, 20000); }
    void Erro(TPruv& pruv) { ItemNoMes(pruv, "0561", 1, 0, 0); }

    // An item for a new person beneficiary, with income and tax in that month; stored.
    void ItemNoMes(TPruv& pruv, const char* codigo, int mes, qint64 reais, qint64 imposto)
    {
        TPruvItem item(pruv, pruv);
        item.GetCodigoRetencao().SetCodigo(QLatin1String(codigo));
        pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
        item.GetBeneficiario().SetNi(NumeroDe(QByteArray::number(222333400 + ++beneficiarios).constData()));
        item.GetBeneficiario().Nome().SetTexto(QStringLiteral("JOSE DA SILVA"));
        item.GetValores().GetRendimento(mes).SetValor(reais * TMonetario::Escala);
        item.GetValores().GetImposto(mes).SetValor(imposto * TMonetario::Escala);
        ASSERT_EQ(pruv.GetItens().Salva(item), TColecaoPruvItem::Inserido);
    }

    static QString Chave(const TPruv& pruv) { return pruv.GetAno() + pruv.GetDeclarante().GetRaiz(); }

    // Verifies the keys; answers the number of beneficiaries verified.
    int Verifica(const QStringList& chaves)
    {
        frame->Chaves = chaves;
        int quantidade = -1;
        frame->Verifica(quantidade);
        return quantidade;
    }

    std::vector<TLinha> Linhas() const
    {
        TdvTable& tabela = frame->Tabela();
        std::vector<TLinha> linhas;
        for (tabela.First(); !tabela.Eof(); tabela.Next())
            linhas.push_back({Campo(tabela, TabelaVerifica::A_QUEM_PERTENCE), Campo(tabela, TabelaVerifica::QUEM_EH),
                              Numero(tabela, TabelaVerifica::OBJETO), Numero(tabela, TabelaVerifica::GRAVIDADE),
                              Campo(tabela, TabelaVerifica::DESCRICAO)});
        return linhas;
    }
    // The code of each row ("" for a blank one).
    QStringList Codigos() const
    {
        QStringList codigos;
        for (const TLinha& l : Linhas())
            codigos << l.Descricao.left(2);
        return codigos;
    }

    static QString Campo(TdvTable& t, const char* nome) { return t.FieldByName(QLatin1String(nome))->AsString(); }
    static int Numero(TdvTable& t, const char* nome) { return t.FieldByName(QLatin1String(nome))->AsInteger(); }

    int beneficiarios = 0;
};
