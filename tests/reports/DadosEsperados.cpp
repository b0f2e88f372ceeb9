#include "DadosEsperados.h"

#include <QDate>
#include <QRegularExpression>

#include "ConferenciaDados.h"

#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TPruv.h"
#include "model/items/RegrasDoItem.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/items/TPruvItem.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/people/TResponsavel.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePF.h"
#include "model/statements/TComprovantePJ.h"

namespace {

QStringList DatasDeHoje()
{
    const QDate hoje = QDate::currentDate();
    return {hoje.toString(QStringLiteral("dd/MM/yyyy")), hoje.addDays(1).toString(QStringLiteral("dd/MM/yyyy"))};
}

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
                                   RegrasDoItem::MantemDecimoTerceiro(item),
                                   {}};
        const TRendimentosTributaveis& r = item.GetValores();
        const TSubJudice& sj = item.GetSubJudice();
        const TCompensacao& c = item.GetCompensacao();
        for (int m = 1; m <= 13; ++m) {
            auto& v = lido.Meses[std::size_t(m)];
            v[DadosEsperados::Rend] = Centavos(r.GetRendimento(m));
            v[DadosEsperados::Ded] = Centavos(r.GetDeducao(m));
            v[DadosEsperados::Imp] = Centavos(r.GetImposto(m));
            v[DadosEsperados::CompAno] = Centavos(c.GetCompensacaoAno(m));
            v[DadosEsperados::CompAnt] = Centavos(c.GetCompensacaoAnosAnteriores(m));
            v[DadosEsperados::SjRend] = Centavos(sj.GetRendimento(m));
            v[DadosEsperados::SjDed] = Centavos(sj.GetDeducao(m));
            v[DadosEsperados::SjImp] = Centavos(sj.GetImposto(m));
            v[DadosEsperados::SjDep] = Centavos(sj.GetDeposito(m));
            for (int col = 0; col < DadosEsperados::Colunas; ++col)
                lido.Meses[0][std::size_t(col)] += v[std::size_t(col)];
        }
        dados.Descricoes.insert(lido.Codigo, item.GetCodigoRetencao().GetResumo());
        if (item.GetCodigoRetencao().GetIn4())
            dados.CodigosIN4.insert(lido.Codigo);
        dados.Itens.push_back(std::move(lido));
    }
    itens.EncerraLeitura();
}

// The sum of a column over months de to ate of an item.
qint64 Ano(const DadosEsperados::TItem& i, int coluna, std::size_t de = 1, std::size_t ate = 12)
{
    qint64 soma = 0;
    for (std::size_t m = de; m <= ate; ++m)
        soma += i.Meses[m][std::size_t(coluna)];
    return soma;
}

// The lines a person's statement adds to box 6: per code with income, suspended income or a
// deposit, the income with the suspended part; under it, the suspended part and the deposit. A
// single line is left out; more go under a heading.
QStringList LinhasPorCodigo(const std::vector<const DadosEsperados::TItem*>& itens, const DadosEsperados& dados)
{
    using D = DadosEsperados;
    QStringList linhas;
    for (const D::TItem* i : itens) {
        const qint64 rendimento = Ano(*i, D::Rend);
        const qint64 suspenso = Ano(*i, D::SjRend);
        const qint64 deposito = Ano(*i, D::SjDep);
        if (rendimento == 0 && suspenso == 0 && deposito == 0)
            continue;
        linhas << QStringLiteral(" - %1: R$ %2")
                      .arg(dados.Descricoes.value(i->Codigo), ConferenciaDados::Reais(rendimento + suspenso));
        if (suspenso != 0)
            linhas << QStringLiteral("      ** Parcela com exigibilidade suspensa: R$ %1   Deposito Judicial: R$ %2")
                          .arg(ConferenciaDados::Reais(suspenso), ConferenciaDados::Reais(deposito));
    }
    if (linhas.size() == 1)
        linhas.clear();
    else if (!linhas.isEmpty())
        linhas.prepend(QStringLiteral("Os rendimentos seguintes estão informados nas linhas 3.01 e/ou 5.02:"));
    return linhas;
}

void LeComprovante(TPruv& pruv, const DadosEsperados::TItem& item, DadosEsperados& dados)
{
    using D = DadosEsperados;
    if (dados.Comprovantes.count(item.Ni) > 0)
        return;
    TBeneficiarioPruv beneficiario(&pruv);
    beneficiario.SetNi(item.Ni);
    D::TComprovante esperado{item.Ni.size() == 14, true, item.Nome, {}, {}, {}, {}, {}, {}};
    // The beneficiary's items that a statement shows, in the order they were read.
    std::vector<const D::TItem*> itens;
    for (const D::TItem& i : dados.Itens)
        if (i.Ni == item.Ni && i.Regime != QLatin1String("F"))
            itens.push_back(&i);
    const auto regime = [](const D::TItem* i, const char* r) { return i->Regime == QLatin1String(r); };
    if (esperado.Pessoa) {
        TComprovantePF pf(beneficiario);
        pruv.GetColecaoComprovante().Carrega(pf);
        if (!pf.PossuiRendimentos())
            return;
        esperado.Imprime = pf.PodeImprimir();
        esperado.Natureza = pf.GetNatureza().GetTexto();
        esperado.Outros = pf.GetQuadro4().GetDescricaoLinha8().GetTexto();
        auto& q = esperado.Quadros;
        // Box 3 from the items of codes whose income is taxed in the year (suspended income and
        // deposits included), with the shares of partial income the user put there; box 5 from
        // the 13th salary of every item and the exclusive income of the others.
        qint64 rendimentos = 0;
        qint64 imposto = 0;
        qint64 decimo = 0;
        qint64 exclusivos = 0;
        for (const D::TItem* i : itens) {
            const qint64 impostoAno = Ano(*i, D::Imp) + Ano(*i, D::CompAno) + Ano(*i, D::CompAnt);
            if (regime(i, "C")) {
                rendimentos += Ano(*i, D::Rend) + Ano(*i, D::SjRend);
                imposto += impostoAno + Ano(*i, D::SjDep);
            } else if (regime(i, "E")) {
                exclusivos += Ano(*i, D::Rend) - Ano(*i, D::Ded) - impostoAno + Ano(*i, D::SjRend) - Ano(*i, D::SjDed)
                    - Ano(*i, D::SjDep);
            }
            const auto& m13 = i->Meses[13];
            decimo += m13[D::Rend] - m13[D::Ded] - m13[D::Imp] - m13[D::CompAno] - m13[D::CompAnt] + m13[D::SjRend]
                - m13[D::SjDed] - m13[D::SjDep];
        }
        q[QStringLiteral("3.01")] = rendimentos + Centavos(pf.GetQuadro3().GetLinha1())
            - Centavos(pf.GetQuadro3().GetRendimentoProprio());
        q[QStringLiteral("3.02")] = Centavos(pf.GetQuadro3().GetLinha2());
        q[QStringLiteral("3.03")] = Centavos(pf.GetQuadro3().GetLinha3());
        q[QStringLiteral("3.04")] = Centavos(pf.GetQuadro3().GetLinha4());
        q[QStringLiteral("3.05")] = imposto + Centavos(pf.GetQuadro3().GetTotal())
            - Centavos(pf.GetQuadro3().GetImpostoProprio());
        q[QStringLiteral("4.01")] = Centavos(pf.GetQuadro4().GetLinha1());
        q[QStringLiteral("4.02")] = Centavos(pf.GetQuadro4().GetLinha2());
        q[QStringLiteral("4.03")] = Centavos(pf.GetQuadro4().GetLinha3());
        q[QStringLiteral("4.04")] = Centavos(pf.GetQuadro4().GetLinha4());
        q[QStringLiteral("4.05")] = Centavos(pf.GetQuadro4().GetLinha5());
        q[QStringLiteral("4.06")] = Centavos(pf.GetQuadro4().GetLinha7());
        q[QStringLiteral("4.07")] = Centavos(pf.GetQuadro4().GetLinha8());
        // The net amounts may fall below zero; an amount prints its positive reading, as line 2
        // counts its own term.
        const auto positivo = [](qint64 v) { return std::max<qint64>(0, v); };
        q[QStringLiteral("5.01")] = positivo(decimo);
        q[QStringLiteral("5.02")] = positivo(positivo(exclusivos) + Centavos(pf.GetQuadro5().GetLinha2())
                                             - positivo(Centavos(pf.GetQuadro5().GetOutrosRendimentos())));
        const QString texto = pf.GetInformacoesComplementares().GetTexto();
        if (!texto.isEmpty())
            esperado.Caixa6 << texto.split(QLatin1Char('\n'));
        esperado.Caixa6 << LinhasPorCodigo(itens, dados);
    } else {
        TComprovantePJ pj(beneficiario);
        pruv.GetColecaoComprovante().Carrega(pj);
        if (!pj.PossuiRendimentos())
            return;
        esperado.Imprime = pj.PodeImprimir();
        // Each month with income of each code: income and tax ("03 1708" -> cents), described by
        // the code, or by the text the user gave that line.
        for (const D::TItem* i : itens)
            for (std::size_t m = 1; m <= 12; ++m) {
                if (i->Meses[m][D::Rend] == 0)
                    continue;
                const QString chave = QStringLiteral("%1 %2").arg(m, 2, 10, QLatin1Char('0')).arg(i->Codigo);
                esperado.Quadros[chave + QStringLiteral(" R")] += std::abs(i->Meses[m][D::Rend]);
                esperado.Quadros[chave + QStringLiteral(" I")] += std::abs(i->Meses[m][D::Imp]);
                const int linha = pj.LocalizaLinha(i->Codigo, int(m));
                esperado.Descricoes[chave] = linha >= 0 ? pj.GetLinha(linha).GetNatureza()
                                                        : dados.Descricoes.value(i->Codigo);
            }
        for (auto [texto, caixa] : {std::pair{pj.GetInformacoesComplementares().GetTexto(), &esperado.Caixa6},
                                    std::pair{pj.GetInformacoesComplementaresIN4().GetTexto(), &esperado.Caixa6IN4}})
            if (!texto.isEmpty())
                *caixa = texto.split(QLatin1Char('\n'));
    }
    dados.Comprovantes.emplace(item.Ni, std::move(esperado));
}

}   // namespace

DadosEsperados DadosEsperados::Le(TPruv& Pruv, const std::vector<TAnexoFC*>& Anexos)
{
    DadosEsperados dados;
    dados.Ni = Pruv.GetDeclarante().GetNiFormatado();
    dados.Nome = Pruv.GetDeclarante().Nome().GetTexto();
    dados.Ano = Pruv.GetAno();
    dados.Retificadora = Pruv.GetTipoDeclaracao() == QLatin1String("R");
    dados.Especial = Pruv.GetSituacaoEspecial();
    const ::TResponsavel& r = Pruv.GetResponsavel();
    const auto digitos = [](QString texto) { return texto.remove(QRegularExpression(QStringLiteral("\\D"))); };
    dados.Responsavel = {r.GetNiFormatado(),
                         r.Nome().GetTexto(),
                         digitos(r.Fone().DDD().GetTexto()),
                         digitos(r.Fone().Numero().GetTexto()),
                         digitos(r.Fone().Ramal().GetTexto()),
                         digitos(r.Fax().Numero().GetTexto()),
                         r.Email().GetTexto()};
    if (!dados.Pessoa())
        dados.RespCnpj = Pruv.GetRespCnpj().GetNiFormatado();
    // Stored as days since the last day of 1899.
    if (Pruv.GetDataGeracao() > 0)
        dados.Gravacao =
            QDate(1899, 12, 30).addDays(qint64(Pruv.GetDataGeracao())).toString(QStringLiteral("dd/MM/yyyy"));
    dados.Disquetes = Pruv.GetNrDisquetes();
    dados.Datas = DatasDeHoje();
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
