#include "reports/forms/TParteDecisaoJudicial.h"

#include "model/items/TPruvItem.h"
#include "platform/report/bands/TBanda.h"
#include "platform/report/elements/TRotulo.h"
#include "reports/forms/FormularioRelato.h"

namespace {

constexpr qreal LarguraColuna = 125;

}   // namespace

TParteDecisaoJudicial::TParteDecisaoJudicial(TBanda& Banda, const QString& Prefixo, qreal Topo, qreal Direita)
{
    static const char* const titulos[Colunas] = {"Rendimentos",       "Deduções",        "Imposto Retido",
                                                 "Depósito Judicial", "Comp. Ano Atual", "Comp. Anos Anteriores"};
    FRotulos.push_back(&Rotulo(Banda, Prefixo + QStringLiteral("TituloJudicial"),
                               QStringLiteral("Valores de Decisão Judicial"), 0, Topo + 16, 8, true));
    for (int i = 0; i < Colunas; ++i) {
        const qreal direita = Direita - (Colunas - 1 - i) * LarguraColuna;
        TRotulo& titulo = RotuloValor(Banda, Prefixo + QStringLiteral("Titulo%1").arg(i), direita, Topo,
                                      LarguraColuna - 5, 7, true);
        titulo.Texto = QString::fromUtf8(titulos[i]);
        FRotulos.push_back(&titulo);
        FValores[i] = &RotuloValor(Banda, Prefixo + QStringLiteral("Valor%1").arg(i), direita, Topo + 16,
                                   LarguraColuna - 5);
        FRotulos.push_back(FValores[i]);
    }
}

TParteDecisaoJudicial::TValores TParteDecisaoJudicial::DoItem(const TPruvItem& Item)
{
    const TSubJudice& sj = Item.GetSubJudice();
    const TCompensacao& comp = Item.GetCompensacao();
    return {ValorAnual(sj.Rendimentos()),       ValorAnual(sj.Deducoes()),
            ValorAnual(sj.Impostos()),          ValorAnual(sj.Depositos()),
            ValorAnual(comp.CompensacoesAno()), ValorAnual(comp.CompensacoesAnosAnteriores())};
}

TParteDecisaoJudicial::TValores TParteDecisaoJudicial::DoMes(const TPruvItem& Item, int Mes)
{
    const TSubJudice& sj = Item.GetSubJudice();
    const TCompensacao& comp = Item.GetCompensacao();
    return {sj.GetRendimento(Mes).GetValorPositivo(),       sj.GetDeducao(Mes).GetValorPositivo(),
            sj.GetImposto(Mes).GetValorPositivo(),          sj.GetDeposito(Mes).GetValorPositivo(),
            comp.GetCompensacaoAno(Mes).GetValorPositivo(), comp.GetCompensacaoAnosAnteriores(Mes).GetValorPositivo()};
}

bool TParteDecisaoJudicial::Zerados(const TValores& Valores)
{
    for (qint64 v : Valores)
        if (v != 0)
            return false;
    return true;
}

void TParteDecisaoJudicial::Preenche(const TValores& Valores)
{
    for (int i = 0; i < Colunas; ++i)
        FValores[i]->Texto = TextoValor(Valores[i]);
}

void TParteDecisaoJudicial::Mostra(bool Mostra)
{
    for (TRotulo* r : FRotulos)
        r->Habilitado = Mostra;
}

bool TParteDecisaoJudicial::MostraSeHouver(const TValores& Valores)
{
    const bool mostra = !Zerados(Valores);
    Preenche(Valores);
    Mostra(mostra);
    return mostra;
}

void Acumula(TParteDecisaoJudicial::TValores& A, const TParteDecisaoJudicial::TValores& B)
{
    for (std::size_t i = 0; i < A.size(); ++i)
        A[i] = SomaCentavos(A[i], B[i]);
}
