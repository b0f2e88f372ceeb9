#include "model/statements/TColecaoComprovantePF.h"

#include <vector>

#include "components/data/datasets/TdvTable.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/statements/TComprovantePF.h"
#include "model/storage/OperacoesTabela.h"
#include "model/storage/ValoresArmazenados.h"

namespace {

// The typed amounts and the column of each, in the table's order.
struct ValorTabela {
    const char* Coluna;
    TMonetario& (*Valor)(TComprovantePF& Comprovante);
};

const ValorTabela Valores[] = {
    {"Q3L2", [](TComprovantePF& c) -> TMonetario& { return c.GetQuadro3().GetLinha2(); }},
    {"Q3L3", [](TComprovantePF& c) -> TMonetario& { return c.GetQuadro3().GetLinha3(); }},
    {"Q3L4", [](TComprovantePF& c) -> TMonetario& { return c.GetQuadro3().GetLinha4(); }},
    {"Q4L1", [](TComprovantePF& c) -> TMonetario& { return c.GetQuadro4().GetLinha1(); }},
    {"Q4L2", [](TComprovantePF& c) -> TMonetario& { return c.GetQuadro4().GetLinha2(); }},
    {"Q4L3", [](TComprovantePF& c) -> TMonetario& { return c.GetQuadro4().GetLinha3(); }},
    {"Q4L4", [](TComprovantePF& c) -> TMonetario& { return c.GetQuadro4().GetLinha4(); }},
    {"Q4L5", [](TComprovantePF& c) -> TMonetario& { return c.GetQuadro4().GetLinha5(); }},
    {"Q4L7", [](TComprovantePF& c) -> TMonetario& { return c.GetQuadro4().GetLinha7(); }},
    {"Q4L8", [](TComprovantePF& c) -> TMonetario& { return c.GetQuadro4().GetLinha8(); }},
};

TComprovantePF& PF(TComprovante& Comprovante)
{
    return dynamic_cast<TComprovantePF&>(Comprovante);
}

}   // namespace

TColecaoComprovantePF::TColecaoComprovantePF(IDeclaracao& Declaracao)
    : TColecaoComprovantePFBasica(Declaracao)
{
    CriaTabelaColecao(QStringLiteral("ComprPf.db"));
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecao();
    FiltraDeclaracao();
}

std::vector<TFieldDef> TColecaoComprovantePF::Campos()
{
    std::vector<TFieldDef> campos{
        {QStringLiteral("E_PRUV_DK"), ftString, 5},
        {QStringLiteral("NR_PF"), ftString, 9},
        {QStringLiteral("Q2NT"), ftString, 255},
    };
    for (const ValorTabela& v : Valores)
        campos.push_back({QString::fromLatin1(v.Coluna), ftCurrency});
    campos.push_back({QStringLiteral("Q4L8DESCR"), ftString, 255});
    return campos;
}

std::vector<TIndexDef> TColecaoComprovantePF::Indices()
{
    return {{QString(), QStringLiteral("E_PRUV_DK;NR_PF"), TIndexOption::ixPrimary}};
}

void TColecaoComprovantePF::LeRegistro(TComprovante& Comprovante)
{
    TComprovantePF& pf = PF(Comprovante);
    if (!LeRegistroDe(pf))
        return;
    const TdvTable& tabela = Tabela();
    pf.GetBeneficiario().SetRaizSemExcecao(tabela.FieldByName(QStringLiteral("NR_PF"))->AsString());
    const QString natureza = tabela.FieldByName(QStringLiteral("Q2NT"))->AsString();
    if (!natureza.isEmpty())
        pf.GetNatureza().SetTexto(natureza);
    for (const ValorTabela& v : Valores)
        v.Valor(pf).SetValor(tabela.FieldByName(QString::fromLatin1(v.Coluna))->AsFixed4());
    pf.GetQuadro4().GetDescricaoLinha8().SetTexto(tabela.FieldByName(QStringLiteral("Q4L8DESCR"))->AsString());
}

void TColecaoComprovantePF::LimpaDados(TComprovante& Comprovante)
{
    TComprovantePF& pf = PF(Comprovante);
    for (const ValorTabela& v : Valores)
        v.Valor(pf).Limpa();
    pf.GetQuadro4().GetDescricaoLinha8().Limpa();
}

void TColecaoComprovantePF::Salva(TComprovante& Comprovante)
{
    TComprovantePF& pf = PF(Comprovante);
    EmTransacao(Tabela(), [&] {
        const bool encontrado = Localiza(pf);
        if (pf.GetChaveDeclaracao().isEmpty() || pf.GetBeneficiario().GetNiFormatado().isEmpty())
            return;
        EditaOuInsere(encontrado);
        TdvTable& tabela = Tabela();
        tabela.FieldByName(QStringLiteral("Q2NT"))
            ->SetAsString(pf.NaturezaPadrao() ? QString() : pf.GetNatureza().GetTexto());
        tabela.FieldByName(QStringLiteral("E_PRUV_DK"))->SetAsString(pf.GetChaveDeclaracao());
        tabela.FieldByName(QStringLiteral("NR_PF"))->SetAsString(pf.GetBeneficiario().GetRaiz());
        for (const ValorTabela& v : Valores)
            GravaMonetario(*tabela.FieldByName(QString::fromLatin1(v.Coluna)), v.Valor(pf).GetValor());
        tabela.FieldByName(QStringLiteral("Q4L8DESCR"))->SetAsString(pf.GetQuadro4().GetDescricaoLinha8().GetTexto());
        Grava();
    });
}
