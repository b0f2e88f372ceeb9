#include "DadosEsperados.h"

#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TPruv.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/items/TPruvItem.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePF.h"
#include "model/statements/TComprovantePJ.h"

namespace {

qint64 Centavos(const TMonetario& m)
{
    return m.GetValor() / (TMonetario::Escala / 100);
}

void LeItens(TPruv& pruv, TPruvAnexo& dono, const QString& fundo, DadosEsperados& dados)
{
    TColecaoPruvItem& itens = dono.GetItens();
    TPruvItem item(pruv, dono);
    itens.IniciaLeitura();
    while (itens.LeProximo(item)) {
        DadosEsperados::TItem lido{fundo,
                                   item.GetCodigoRetencao().GetCodigo(),
                                   item.GetBeneficiario().GetNiFormatado(),
                                   item.GetBeneficiario().Nome().GetTexto(),
                                   item.GetCodigoRetencao().GetRegime(),
                                   {}};
        const TRendimentosTributaveis& r = item.GetValores();
        const TSubJudice& sj = item.GetSubJudice();
        const TCompensacao& c = item.GetCompensacao();
        for (int m = 1; m <= 13; ++m) {
            auto& v = lido.Meses[std::size_t(m)];
            v[DadosEsperados::Rend] = Centavos(r.GetRendimento(m));
            v[DadosEsperados::Ded] = Centavos(r.GetDeducao(m));
            v[DadosEsperados::Imp] = Centavos(r.GetImposto(m));
            if (m <= 12) {
                v[DadosEsperados::CompAno] = Centavos(c.GetCompensacaoAno(m));
                v[DadosEsperados::CompAnt] = Centavos(c.GetCompensacaoAnosAnteriores(m));
                v[DadosEsperados::SjRend] = Centavos(sj.GetRendimento(m));
                v[DadosEsperados::SjDed] = Centavos(sj.GetDeducao(m));
                v[DadosEsperados::SjImp] = Centavos(sj.GetImposto(m));
                v[DadosEsperados::SjDep] = Centavos(sj.GetDeposito(m));
            }
            for (int col = 0; col < DadosEsperados::Colunas; ++col)
                lido.Meses[0][std::size_t(col)] += v[std::size_t(col)];
        }
        dados.Descricoes.insert(lido.Codigo, item.GetCodigoRetencao().GetResumo());
        dados.Itens.push_back(std::move(lido));
    }
    itens.EncerraLeitura();
}

void LeComprovante(TPruv& pruv, const DadosEsperados::TItem& item, DadosEsperados& dados)
{
    if (dados.Comprovantes.count(item.Ni) > 0)
        return;
    TBeneficiarioPruv beneficiario(&pruv);
    beneficiario.SetNi(item.Ni);
    DadosEsperados::TComprovante esperado{item.Ni.size() == 14, true, item.Nome, {}};
    if (esperado.Pessoa) {
        TComprovantePF pf(beneficiario);
        pruv.GetColecaoComprovante().Carrega(pf);
        if (!pf.PossuiRendimentos())
            return;
        esperado.Imprime = pf.PodeImprimir();
        auto& q = esperado.Quadros;
        // Line 01 from the items themselves, suspended income included, and the shares of partial
        // income the user put there.
        qint64 rendimentos = 0;
        for (const DadosEsperados::TItem& i : dados.Itens)
            if (i.Ni == item.Ni && i.Regime == QLatin1String("C"))
                for (std::size_t m = 1; m <= 12; ++m)
                    rendimentos += i.Meses[m][DadosEsperados::Rend] + i.Meses[m][DadosEsperados::SjRend];
        q[QStringLiteral("3.01")] = rendimentos + Centavos(pf.GetQuadro3().GetLinha1())
            - Centavos(pf.GetQuadro3().GetRendimentoProprio());
        q[QStringLiteral("3.02")] = Centavos(pf.GetQuadro3().GetLinha2());
        q[QStringLiteral("3.03")] = Centavos(pf.GetQuadro3().GetLinha3());
        q[QStringLiteral("3.04")] = Centavos(pf.GetQuadro3().GetLinha4());
        q[QStringLiteral("3.05")] = Centavos(pf.GetQuadro3().GetTotal());
        q[QStringLiteral("4.01")] = Centavos(pf.GetQuadro4().GetLinha1());
        q[QStringLiteral("4.02")] = Centavos(pf.GetQuadro4().GetLinha2());
        q[QStringLiteral("4.03")] = Centavos(pf.GetQuadro4().GetLinha3());
        q[QStringLiteral("4.04")] = Centavos(pf.GetQuadro4().GetLinha4());
        q[QStringLiteral("4.05")] = Centavos(pf.GetQuadro4().GetLinha5());
        q[QStringLiteral("4.06")] = Centavos(pf.GetQuadro4().GetLinha7());
        q[QStringLiteral("4.07")] = Centavos(pf.GetQuadro4().GetLinha8());
        q[QStringLiteral("5.01")] = Centavos(pf.GetQuadro5().GetLinha1());
        q[QStringLiteral("5.02")] = Centavos(pf.GetQuadro5().GetLinha2());
    } else {
        TComprovantePJ pj(beneficiario);
        pruv.GetColecaoComprovante().Carrega(pj);
        if (!pj.PossuiRendimentos())
            return;
        esperado.Imprime = pj.PodeImprimir();
        // Each month and code's line: income and tax ("03 1708" -> cents).
        for (int i = 0; i < pj.QuantidadeLinhas(); ++i) {
            const TRendimentoMensalPJ& l = pj.GetLinha(i);
            const QString chave = QStringLiteral("%1 %2").arg(l.GetMes(), 2, 10, QLatin1Char('0')).arg(l.GetCodigo());
            esperado.Quadros[chave + QStringLiteral(" R")] += Centavos(l.GetRendimento());
            esperado.Quadros[chave + QStringLiteral(" I")] += Centavos(l.GetImposto());
        }
    }
    dados.Comprovantes.emplace(item.Ni, std::move(esperado));
}

}   // namespace

DadosEsperados DadosEsperados::Le(TPruv& Pruv, const std::vector<TAnexoFC*>& Anexos)
{
    DadosEsperados dados;
    dados.Ni = Pruv.GetDeclarante().GetNiFormatado();
    dados.Nome = Pruv.GetDeclarante().Nome().GetTexto();
    LeItens(Pruv, Pruv, QString(), dados);
    for (TAnexoFC* anexo : Anexos) {
        TAnexoFC& dono = *anexo;
        const QString fundo = dono.GetDeclarante().GetNiFormatado();
        dados.Fundos.insert(fundo, dono.GetDeclarante().Nome().GetTexto());
        LeItens(Pruv, dono, fundo, dados);
    }
    if (Pruv.GetAno() >= QLatin1String("2001"))
        for (const TItem& item : dados.Itens)
            LeComprovante(Pruv, item, dados);
    return dados;
}

std::vector<const DadosEsperados::TItem*> DadosEsperados::DoGrupo(const QString& Dono, const QString& Codigo) const
{
    std::vector<const TItem*> grupo;
    for (const TItem& i : Itens)
        if (i.Dono == Dono && (Codigo.isEmpty() || i.Codigo == Codigo))
            grupo.push_back(&i);
    return grupo;
}

const DadosEsperados::TItem* DadosEsperados::Item(const QString& Dono, const QString& Codigo,
                                                  const QString& NiItem) const
{
    for (const TItem& i : Itens)
        if (i.Dono == Dono && i.Codigo == Codigo && i.Ni == NiItem)
            return &i;
    return nullptr;
}
