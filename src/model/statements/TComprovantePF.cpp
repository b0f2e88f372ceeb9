#include "model/statements/TComprovantePF.h"

#include "model/items/TPruvItem.h"
#include "model/values/TErro.h"

namespace {

// The allowance per dependant: the difference between the declaration's deductions and the
// statement's must be a whole number of them.
constexpr qint64 DeducaoDependenteAte2001 = 900000;      // 90,00
constexpr qint64 DeducaoDependenteDesde2002 = 1060000;   // 106,00

const QString Cabecalho = QStringLiteral("Os rendimentos seguintes estão informados nas linhas 3.01 e/ou 5.02:");

// Destino += the sum of the amounts as they are, signs kept; notifies, as totals observe it.
// A box gathers the beneficiary's items, each within the money limit, so it may pass the limit
// and still print; only a sum past 64 bits is refused (165).
void SomaComSinal(TMonetario& Destino, std::initializer_list<qint64> Parcelas)
{
    qint64 soma = Destino.GetValor();
    for (const qint64 parcela : Parcelas)
        soma = TMonetario::SomaExata(soma, parcela);
    Destino.SetValor(soma);
}

}   // namespace

TComprovantePF::TComprovantePF(TBeneficiarioPruv& Beneficiario)
    : TComprovante(Beneficiario)
    , FQuadro4(GetAno())
{}

TRendimentoParcial& TComprovantePF::GetRendimentoParcial(int Indice)
{
    return *FParciais.at(static_cast<std::size_t>(Indice));
}

int TComprovantePF::LocalizaRendimentoParcial(const QString& Codigo) const
{
    for (int i = 0; i < QuantidadeRendimentosParciais(); ++i)
        if (FParciais[i]->GetCodigo() == Codigo)
            return i;
    return -1;
}

void TComprovantePF::AdicionaItem(const TPruvItem& Item)
{
    TComprovante::AdicionaItem(Item);
    const QString regime = Item.GetCodigoRetencao().GetRegime();
    if (regime == QLatin1String("F"))
        return;

    TTotaisPruvItem& t = *FTotais.emplace_back(std::make_unique<TTotaisPruvItem>(Item));
    // On equal income the item added first keeps box 2.
    if (!FPrincipal || t.GetRendimento().GetValor() > FPrincipal->GetRendimento().GetValor()) {
        FPrincipal = &t;
        FNatureza.SetTexto(t.GetCodigo().GetResumo());
    }

    if (regime == QLatin1String("C")) {
        SomaComSinal(FQuadro3.GetRendimentoProprio(),
                     {t.GetRendimento().GetValor(), t.GetRendimentoSubJudice().GetValor()});
        SomaComSinal(FQuadro3.GetImpostoProprio(), {t.GetImposto().GetValor(), t.GetDepositos().GetValor()});
        SomaComSinal(FQuadro3.GetDeducoesPruv(), {t.GetDeducoes().GetValor(), t.GetDeducoesSubJudice().GetValor()});
    } else if (regime == QLatin1String("E")) {
        SomaComSinal(FQuadro5.GetOutrosRendimentos(),
                     {t.GetRendimento().GetValor(), -t.GetDeducoes().GetValor(), -t.GetImposto().GetValor(),
                      t.GetRendimentoSubJudice().GetValor(), -t.GetDeducoesSubJudice().GetValor(),
                      -t.GetDepositos().GetValor()});
    } else if (regime == QLatin1String("P")) {
        AdicionaParcial(t);
    }
    SomaComSinal(FQuadro5.GetLinha1(), {t.GetLiquido13().GetValor(), t.GetLiquido13SubJudice().GetValor()});
}

void TComprovantePF::AdicionaParcial(TTotaisPruvItem& Totais)
{
    TRendimentoParcial& p = *FParciais.emplace_back(std::make_unique<TRendimentoParcial>(Totais));
    FQuadro3.GetLinha1().AdicionaSoma(p.GetRendimentoCompensavel());
    FQuadro3.GetTotal().AdicionaSoma(p.GetImpostoCompensavel());
    FQuadro5.GetLinha2().AdicionaSoma(p.GetRendimentoExclusivo());
    FQuadro5.GetLinha2().AdicionaSubtracao(p.GetImpostoExclusivo());
}

void TComprovantePF::AjustaRendimentoParcial(int Indice)
{
    if (Indice < 0 || Indice >= QuantidadeRendimentosParciais())
        return;
    TRendimentoParcial& p = *FParciais[Indice];
    TMonetario& rendimento = p.GetRendimentoCompensavel();
    TMonetario& imposto = p.GetImpostoCompensavel();
    const qint64 rendimentoItem = p.GetRendimentoTotal().GetValorPositivo();
    const qint64 impostoItem = p.GetImpostoTotal().GetValorPositivo();

    if (rendimento.GetValorPositivo() > rendimentoItem)
        rendimento.SetValor(rendimentoItem);
    if (imposto.GetValorPositivo() > impostoItem)
        imposto.SetValor(impostoItem);
    if (imposto.GetValorPositivo() > rendimento.GetValorPositivo())
        imposto.SetValor(rendimento.GetValorPositivo());
    const qint64 rendimentoRestante = p.GetRendimentoExclusivo().GetValor();
    const qint64 impostoRestante = p.GetImpostoExclusivo().GetValor();
    if (rendimentoRestante < impostoRestante)
        imposto.SetValor(imposto.GetValorPositivo() + (impostoRestante - rendimentoRestante));
    if (imposto.GetValorPositivo() > impostoItem)
        imposto.SetValor(impostoItem);
}

std::uint8_t TComprovantePF::VerificaDeducoes() const
{
    qint64 diferenca = FQuadro3.GetDeducoesPruv().GetValorPositivo() - FQuadro3.GetLinha2().GetValorPositivo()
        - FQuadro3.GetLinha3().GetValorPositivo() - FQuadro3.GetLinha4().GetValorPositivo();
    for (const auto& p : FParciais)
        if (p->GetRendimentoCompensavel().GetValorPositivo() > 0)
            diferenca += p->GetDeducoes().GetValorPositivo();
    if (diferenca < 0)
        return CodigoMensagem::DeducoesMaioresNoComprovante;
    const qint64 passo = GetAno() <= QLatin1String("2001") ? DeducaoDependenteAte2001 : DeducaoDependenteDesde2002;
    return diferenca % passo == 0 ? 0 : CodigoMensagem::DeducoesDiferentesNoComprovante;
}

void TComprovantePF::MontaInformacoesComplementares(QStringList& Linhas) const
{
    const qsizetype inicio = Linhas.size();
    TMonetario valor;   // formats each amount as every amount is shown
    for (const auto& t : FTotais) {
        if (t->GetRendimento().EhZero() && t->GetRendimentoSubJudice().EhZero() && t->GetDepositos().EhZero())
            continue;
        valor.SetValor(TMonetario::SomaExata(t->GetRendimento().GetValorPositivo(),
                                             t->GetRendimentoSubJudice().GetValorPositivo()));
        Linhas.append(QStringLiteral(" - ") + t->GetCodigo().GetResumo() + QStringLiteral(": R$ ")
                      + valor.GetTextoFormatado());
        if (!t->GetRendimentoSubJudice().EhZero())
            Linhas.append(QStringLiteral("      ** Parcela com exigibilidade suspensa: R$ ")
                          + t->GetRendimentoSubJudice().GetTextoFormatado()
                          + QStringLiteral("   Deposito Judicial: R$ ") + t->GetDepositos().GetTextoFormatado());
    }
    const qsizetype incluidas = Linhas.size() - inicio;
    if (incluidas == 1)
        Linhas.removeLast();
    else if (incluidas > 1)
        Linhas.insert(inicio, Cabecalho);
}

QString TComprovantePF::GetResumo() const
{
    return FPrincipal ? FPrincipal->GetCodigo().GetResumo() : QString();
}

bool TComprovantePF::NaturezaPadrao() const
{
    return TTexto::Apara(FNatureza.GetTexto()).toUpper() == GetResumo().toUpper();
}

bool TComprovantePF::PossuiValores() const
{
    return FQuadro3.PossuiValores() || FQuadro4.PossuiValores() || !NaturezaPadrao();
}

bool TComprovantePF::GetAlterado() const
{
    if (!FAlterado) {
        FAlterado = FQuadro3.GetAlterado() || FQuadro4.GetAlterado() || FQuadro5.GetAlterado()
            || GetInformacoesComplementares().GetAlterado() || FNatureza.GetAlterado();
        for (const auto& p : FParciais)
            FAlterado = FAlterado || p->GetAlterado();
    }
    return FAlterado;
}

void TComprovantePF::SetAlterado(bool Alterado)
{
    FQuadro3.SetAlterado(Alterado);
    FQuadro4.SetAlterado(Alterado);
    FQuadro5.SetAlterado(Alterado);
    GetInformacoesComplementares().SetAlterado(Alterado);
    FNatureza.SetAlterado(Alterado);
    for (const auto& p : FParciais)
        p->SetAlterado(Alterado);
    TComprovante::SetAlterado(Alterado);
}

void TComprovantePF::Limpa()
{
    FParciais.clear();   // first: they refer to the totals
    FPrincipal = nullptr;
    FTotais.clear();
    FQuadro3.Limpa();
    FQuadro4.Limpa();
    FQuadro5.Limpa();
    FNatureza.Limpa();
    TComprovante::Limpa();
}
