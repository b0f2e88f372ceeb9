#include "model/items/TPruvItem.h"

#include <QStringList>
#include <algorithm>
#include <stdexcept>
#include <string>

#include "model/codes/ICodigosRetencao.h"
#include "model/codes/RegrasDosCodigos.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/interfaces/IDeclaracao.h"
#include "model/interfaces/TNaturezas.h"
#include "model/items/RegrasDoItem.h"
#include "model/people/TConferenciaContribuinte.h"
#include "model/values/CamposEntrega.h"
#include "model/values/TratamentoTexto.h"
#include "model/values/CodigoMensagem.h"

namespace {

const QString SubJudiceTexto = QStringLiteral(" Exigibilidade Suspensa ");
const QString CompensacaoTexto = QStringLiteral(" Compensação ");

// "Jan" to "Dez", and "13º" for the 13th salary.
QString MesAbreviado(int Mes)
{
    return Meses(Mes).left(3);
}

// A one-letter flag of a code or an item is that letter: asked of every item verified, without a
// call into the string library.
bool Letra(const QString& Texto, char16_t Letra)
{
    return Texto.size() == 1 && Texto.front() == Letra;
}

bool AnoAPartirDe(const QString& Ano, const char* Limite)
{
    return Ano >= QLatin1String(Limite);
}

}   // namespace

TPruvItem::TPruvItem(IDeclaracao& Declaracao, TPruvAnexo& Dono)
    : FDeclaracao(Declaracao)
    , FDono(Dono)
    , FInAnexo(Dono.EhAnexo() ? QStringLiteral("1") : QStringLiteral("0"))
    , FBeneficiario(&Declaracao)
{
    if (FDeclaracao.Erros())
        SetErros(FDeclaracao.Erros());
    // Three terms each, room made once: items are made for every declaration loaded.
    for (int m = 1; m <= TSerieMensal::Meses; ++m) {
        TMonetarioTotal& total = FTotaisMes[m - 1];
        total.ReservaParcelas(3);
        total.AdicionaSoma(FValores.GetImposto(m));
        total.AdicionaSoma(FCompensacao.GetCompensacaoAno(m));
        total.AdicionaSoma(FCompensacao.GetCompensacaoAnosAnteriores(m));
    }
    FTotalImposto.ReservaParcelas(3);
    FTotalImposto.AdicionaSoma(FValores.GetTotalImposto());
    FTotalImposto.AdicionaSoma(FCompensacao.GetTotalCompensacaoAno());
    FTotalImposto.AdicionaSoma(FCompensacao.GetTotalCompensacaoAnosAnteriores());
    // Building the totals is no change of the item.
    for (TMonetarioTotal& total : FTotaisMes)
        total.SetAlterado(false);
    FTotalImposto.SetAlterado(false);
}

void TPruvItem::Limpa()
{
    FChave.clear();
    FValores.Limpa();
    FCompensacao.Limpa();
    FSubJudice.Limpa();
    FBeneficiario.Limpa();
    FCodigo.Limpa();
}

void TPruvItem::Copia(TPruvItem& Destino) const
{
    Destino.FChave = FChave;
    FBeneficiario.AtribuiA(Destino.FBeneficiario);
    FCodigo.CopiaPara(Destino.FCodigo);
    FValores.Copia(Destino.FValores);
    FCompensacao.Copia(Destino.FCompensacao);
    FSubJudice.Copia(Destino.FSubJudice);
}

void TPruvItem::SetErros(TErros* Erros)
{
    FErros = Erros;
    FBeneficiario.SetErros(Erros);
    FValores.SetErros(Erros);
    FSubJudice.SetErros(Erros);
    FCompensacao.SetErros(Erros);
}

void TPruvItem::AtribuiCodigoRetencao(const TCodigoRetencao& Codigo)
{
    if (&Codigo != &FCodigo)
        Codigo.CopiaPara(FCodigo);
    FAlterado = true;
}

TMonetarioTotal& TPruvItem::GetTotalImpostoMes(int Mes)
{
    if (Mes < 1 || Mes > TSerieMensal::Meses)
        throw std::out_of_range("Mes fora de 1 a 13: " + std::to_string(Mes));
    return FTotaisMes[Mes - 1];
}

void TPruvItem::CalculaLiquido(int Mes, TMonetario& Destino) const
{
    // ImpostoDoMes sums what the month's total holds, without the limit a total's reading has.
    Destino.SetValor(FValores.GetRendimento(Mes).GetValorPositivo() - FValores.GetDeducao(Mes).GetValorPositivo()
                     - ImpostoDoMes(Mes));
}

bool TPruvItem::GetAlterado() const
{
    if (!FAlterado)
        FAlterado = FBeneficiario.GetAlterado() || FValores.GetAlterado() || FCompensacao.GetAlterado()
            || FSubJudice.GetAlterado();
    return FAlterado;
}

void TPruvItem::SetAlterado(bool Alterado)
{
    FAlterado = Alterado;
    FBeneficiario.SetAlterado(Alterado);
    FValores.SetAlterado(Alterado);
    FCompensacao.SetAlterado(Alterado);
    FSubJudice.SetAlterado(Alterado);
}

// ---- what the checks read

std::uint8_t TPruvItem::NumeroObjeto(std::uint8_t Objeto) const
{
    return FDono.EhAnexo() ? static_cast<std::uint8_t>(Objeto + DeslocamentoAnexo) : Objeto;
}

void TPruvItem::Pendencia(TErros& Erros, std::uint8_t Codigo, const QString& Parametro, TipoDialogo Tipo,
                          std::uint8_t Objeto) const
{
    Erros.Add(
        EPruvItemError(Codigo, Parametro, Tipo, Botao::Ok, 0, FDono.GetChave(), Identidade(), NumeroObjeto(Objeto)));
}

QString TPruvItem::Identidade() const
{
    return Identidade(FChave, FCodigo.GetCodigo(), FBeneficiario.GetRaiz());
}

QString TPruvItem::Identidade(const QString& Chave, const QString& Codigo, const QString& Raiz)
{
    return Chave + QLatin1Char(';') + Codigo + QLatin1Char(';') + Raiz;
}

bool TPruvItem::TomaIdentidade(const QString& Texto)
{
    const QStringList partes = Texto.split(QLatin1Char(';'));
    if (partes.size() != 3 || partes[0].trimmed().isEmpty())
        return false;
    if (partes[1].isEmpty() || partes[2].trimmed().isEmpty()) {
        // An item whose number or code could not be read names itself by its key alone.
        FChave = partes[0].trimmed();
        return true;
    }
    FChave.clear();
    FCodigo.SetCodigo(partes[1]);
    FBeneficiario.SetRaizSemExcecao(partes[2].trimmed());
    return true;
}

QString TPruvItem::Ano() const
{
    return FDeclaracao.GetAno();
}

bool TPruvItem::PessoaFisica() const
{
    return FBeneficiario.TipoAtual() == TNiContribuinte::Cpf;
}

bool TPruvItem::PessoaJuridica() const
{
    return FBeneficiario.TipoAtual() == TNiContribuinte::Cnpj;
}

bool TPruvItem::RegraAde() const
{
    // Asked for every month of every item verified: the code first, as few codes fall under the
    // act, and the beneficiary and the year only for those.
    return RegrasDosCodigos::MensagemAde(FCodigo.GetCodigo(), [this] { return PessoaFisica(); }) != 0
        && RegrasDosCodigos::AdeNasVerificacoes(Ano());
}

std::uint8_t TPruvItem::MensagemAde() const
{
    return RegrasDosCodigos::MensagemAde(FCodigo.GetCodigo(), [this] { return PessoaFisica(); });
}

qint64 TPruvItem::SomaValores(int Mes) const
{
    return FValores.Rendimentos().Positivo(Mes) + FValores.Deducoes().Positivo(Mes) + FValores.Impostos().Positivo(Mes);
}

qint64 TPruvItem::SomaSubJudiceSemDeposito(int Mes) const
{
    return FSubJudice.Rendimentos().Positivo(Mes) + FSubJudice.Deducoes().Positivo(Mes)
        + FSubJudice.Impostos().Positivo(Mes);
}

qint64 TPruvItem::SomaDeposito(int Mes) const
{
    return FSubJudice.Depositos().Positivo(Mes);
}

qint64 TPruvItem::SomaSubJudice(int Mes) const
{
    return SomaSubJudiceSemDeposito(Mes) + SomaDeposito(Mes);
}

qint64 TPruvItem::SomaCompensacoes(int Mes) const
{
    return FCompensacao.CompensacoesAno().Positivo(Mes) + FCompensacao.CompensacoesAnosAnteriores().Positivo(Mes);
}

qint64 TPruvItem::ImpostoDoMes(int Mes) const
{
    return FValores.Impostos().Positivo(Mes) + SomaCompensacoes(Mes);
}

// ---- checks before a save

std::uint8_t TPruvItem::Verifica()
{
    if (FDono.GetChave().isEmpty() || FDeclaracao.GetChave().isEmpty())
        return CodigoMensagem::ChaveInvalida;
    if (const std::uint8_t codigo = FBeneficiario.VerificaNi(); codigo != 0)
        return codigo;
    if (const std::uint8_t codigo = VerificaCodigo(); codigo != 0)
        return codigo;
    return TipoBeneficiarioDoCodigo();   // VerificaCodigo has just found and loaded the code
}

std::uint8_t TPruvItem::ValoresValidos() const
{
    if (!RegraAde())
        return 0;
    for (int m = 2; m <= TSerieMensal::Meses; ++m)
        if (SomaValores(m) > 0 || SomaSubJudice(m) > 0 || SomaCompensacoes(m) > 0)
            return MensagemAde();
    return 0;
}

std::uint8_t TPruvItem::VerificaCodigo()
{
    if (!FDeclaracao.GetColecaoCodigoRetencao().BuscaCodigo(FCodigo, FInAnexo))
        return CodigoMensagem::CodigoRetencaoInvalido;
    if (FCodigo.GetAno() != Ano())
        return CodigoMensagem::CodigoRetencaoInvalidoNoAno;
    if (Letra(FInAnexo, u'0') && !Letra(FCodigo.GetAnexo(), u'0'))
        return CodigoMensagem::CodigoSoParaFundo;
    if (Letra(FInAnexo, u'1') && !Letra(FCodigo.GetAnexo(), u'1'))
        return CodigoMensagem::CodigoNaoPrevistoParaFundo;
    if (FCodigo.GetIn4() && FDeclaracao.GetNatureza().GetCodigo() != 1)
        return CodigoMensagem::CodigoSoOrgaoPublico;
    return 0;
}

std::uint8_t TPruvItem::VerificaTipoBeneficiario()
{
    if (!FDeclaracao.GetColecaoCodigoRetencao().BuscaCodigo(FCodigo, FInAnexo))
        return 0;
    return TipoBeneficiarioDoCodigo();
}

std::uint8_t TPruvItem::TipoBeneficiarioDoCodigo() const
{
    if (Letra(FCodigo.GetPfPjAmbos(), u'F') && PessoaJuridica())
        return CodigoMensagem::CodigoSoPessoaFisica;
    if (Letra(FCodigo.GetPfPjAmbos(), u'J') && PessoaFisica())
        return CodigoMensagem::CodigoSoPessoaJuridica;
    return 0;
}

// ---- checks of the verification

void TPruvItem::VerificaPendencias(TErros& Erros)
{
    TConferenciaContribuinte conferencia;
    VerificaPendencias(Erros, conferencia);
}

void TPruvItem::VerificaPendencias(TErros& Erros, TConferenciaContribuinte& Conferencia)
{
    Conferencia.Pendencias(FBeneficiario, Erros, FDono.GetChave(), Identidade(), NumeroObjeto(ObjetoNi),
                           NumeroObjeto(ObjetoNome));
    std::uint8_t codigo = VerificaCodigo();
    if (codigo == 0)
        codigo = TipoBeneficiarioDoCodigo();   // VerificaCodigo has just found and loaded the code
    if (codigo != 0)
        Pendencia(Erros, codigo, Codigo() + QLatin1Char(';') + Ni(), TipoDialogo::Erro, ObjetoCodigo);
    VerificaValores(Erros);
}

void TPruvItem::VerificaValores(TErros& Erros) const
{
    const bool ade = RegraAde();
    const bool fisica = PessoaFisica();
    const unsigned foraDosLimites = MesesComPendencia();
    for (int m = 1; m <= TSerieMensal::Meses; ++m)
        if ((ade && m >= 2) || (foraDosLimites & (1U << m)) != 0)
            VerificaMes(Erros, m, ade, fisica);
    VerificaAdmissibilidade(Erros);
    VerificaDecimoTerceiro(Erros);
    VerificaZerado(Erros);
}

unsigned TPruvItem::MesesComPendencia() const
{
    // Within every limit of VerificaMes, for a natural or a legal person alike: no deduction, income
    // up to 100.000, tax (with compensations) up to 20.000 and below the income, or none. One pass
    // over the months, with no call a month: most months of most items are within.
    unsigned meses = 0;
    TSerieMensal::CadaMes([&](std::size_t i) {
        const int m = static_cast<int>(i) + 1;
        const qint64 rendimento = FValores.Rendimentos().Positivo(m);
        const qint64 imposto = FValores.Impostos().Positivo(m) + FCompensacao.CompensacoesAno().Positivo(m)
            + FCompensacao.CompensacoesAnosAnteriores().Positivo(m);
        const bool dentro = (FValores.Deducoes().Positivo(m) | FSubJudice.Deducoes().Positivo(m)) == 0
            && rendimento <= 100000 * TMonetario::Escala && imposto <= 20000 * TMonetario::Escala
            && (imposto == 0 || imposto < rendimento);
        if (!dentro)
            meses |= 1U << m;
    });
    return meses;
}

void TPruvItem::VerificaMes(TErros& Erros, int Mes, bool Ade, bool Fisica) const
{
    // The texts of a pending item are made only for one that is found: most months have none.
    const auto parametro = [&] { return Codigo() + QLatin1Char(' ') + Ni() + QLatin1Char(' ') + MesAbreviado(Mes); };
    const auto parametroSubJudice = [&] {
        return Codigo() + SubJudiceTexto + Ni() + QLatin1Char(' ') + MesAbreviado(Mes);
    };

    if (Mes >= 2 && Ade) {
        const std::uint8_t mensagem = MensagemAde();
        const auto prefixo = [&] { return Codigo() + QLatin1Char(';'); };
        if (SomaValores(Mes) > 0)
            Pendencia(Erros, mensagem, prefixo() + parametro(), TipoDialogo::Erro, ObjetoValores);
        if (SomaSubJudice(Mes) > 0)
            Pendencia(Erros, mensagem, prefixo() + parametroSubJudice(), TipoDialogo::Erro, ObjetoSubJudice);
        if (SomaCompensacoes(Mes) > 0)
            Pendencia(Erros, mensagem,
                      prefixo() + Codigo() + CompensacaoTexto + Ni() + QLatin1Char(' ') + MesAbreviado(Mes),
                      TipoDialogo::Erro, ObjetoCompensacao);
    }

    const qint64 rendimento = FValores.Rendimentos().Positivo(Mes);
    const qint64 deducao = FValores.Deducoes().Positivo(Mes);
    const qint64 compensacoes = SomaCompensacoes(Mes);
    const qint64 imposto = FValores.Impostos().Positivo(Mes) + compensacoes;   // ImpostoDoMes
    const bool deducaoSubJudice = FSubJudice.Deducoes().Positivo(Mes) > 0;
    const bool admiteDeducao = FCodigo.GetDeducao();

    if (imposto > 0 && imposto >= rendimento)
        Pendencia(Erros, CodigoMensagem::ImpostoNaoMenorQueRendimento, parametro(), TipoDialogo::Aviso, ObjetoValores);

    if (Fisica) {
        if (rendimento > 100000 * TMonetario::Escala)
            Pendencia(Erros, CodigoMensagem::RendimentoAcimaDeCemMil, parametro(), TipoDialogo::Aviso, ObjetoValores);
        if (deducao > 0 && !admiteDeducao)
            Pendencia(Erros, CodigoMensagem::DeducaoIndevida, parametro(), TipoDialogo::Erro, ObjetoValores);
        else if (deducao > 20000 * TMonetario::Escala)
            Pendencia(Erros, CodigoMensagem::DeducoesAcimaDeVinteMil, parametro(), TipoDialogo::Aviso, ObjetoValores);
        if (imposto > 20000 * TMonetario::Escala)
            Pendencia(Erros, CodigoMensagem::ImpostoAcimaDeVinteMil, parametro(), TipoDialogo::Aviso, ObjetoValores);
        if (deducaoSubJudice && !admiteDeducao)
            Pendencia(Erros, CodigoMensagem::DeducaoIndevida, parametroSubJudice(), TipoDialogo::Erro, ObjetoValores);
        if (compensacoes > 0 && rendimento == 0)
            Pendencia(Erros, CodigoMensagem::CompensacaoSemRendimento, parametro(), TipoDialogo::Erro, ObjetoValores);
    } else {
        if (rendimento > 1000000 * TMonetario::Escala)
            Pendencia(Erros, CodigoMensagem::RendimentoAcimaDeUmMilhao, parametro(), TipoDialogo::Aviso, ObjetoValores);
        if (deducao > 0)
            Pendencia(Erros, CodigoMensagem::DeducaoIndevida, parametro(), TipoDialogo::Erro, ObjetoValores);
        if (FValores.Impostos().Positivo(Mes) > 100000 * TMonetario::Escala)
            Pendencia(Erros, CodigoMensagem::ImpostoAcimaDeCemMil, parametro(), TipoDialogo::Aviso, ObjetoValores);
        if (deducaoSubJudice)
            Pendencia(Erros, CodigoMensagem::DeducaoIndevida, parametroSubJudice(), TipoDialogo::Erro, ObjetoValores);
    }
}

void TPruvItem::VerificaAdmissibilidade(TErros& Erros) const
{
    const bool subJudice = !FSubJudice.Zerado() || !FSubJudice.DepositoTotalZerado();
    const bool compensacao = !FCompensacao.Zerado();
    if (!subJudice && !compensacao)
        return;

    std::uint8_t mensagemSubJudice = 0;
    std::uint8_t mensagemCompensacao = 0;
    QString parametro = Codigo() + QLatin1Char(' ') + Ni();
    if (!AnoAPartirDe(Ano(), "2000")) {
        mensagemSubJudice = CodigoMensagem::AnoSemSubJudice;
        mensagemCompensacao = CodigoMensagem::AnoSemCompensacao;
        parametro = Ano() + QLatin1Char(';') + Ni();
    } else if (!PessoaFisica()) {
        mensagemSubJudice = CodigoMensagem::PessoaJuridicaSemSubJudice;
        mensagemCompensacao = CodigoMensagem::PessoaJuridicaSemCompensacao;
    } else if (!FCodigo.GetSubJudice()) {
        mensagemSubJudice = CodigoMensagem::CodigoSemSubJudice;
        mensagemCompensacao = CodigoMensagem::CodigoSemCompensacao;
    } else {
        return;
    }
    if (subJudice)
        Pendencia(Erros, mensagemSubJudice, parametro, TipoDialogo::Erro, ObjetoValores);
    if (compensacao)
        Pendencia(Erros, mensagemCompensacao, parametro, TipoDialogo::Erro, ObjetoValores);
}

void TPruvItem::VerificaDecimoTerceiro(TErros& Erros) const
{
    if (RegrasDoItem::MantemDecimoTerceiro(*this) && !PessoaJuridica())
        return;
    // Made only for a pending item found: most items have no 13th value.
    const auto mes = []() -> QString { return QLatin1Char(' ') + MesAbreviado(TSerieMensal::Meses); };
    if (SomaValores(TSerieMensal::Meses) > 0)
        Pendencia(Erros, CodigoMensagem::DecimoTerceiroIndevido, Codigo() + QLatin1Char(' ') + Ni() + mes(),
                  TipoDialogo::Erro, ObjetoValores);
    if (SomaSubJudice(TSerieMensal::Meses) > 0)
        Pendencia(Erros, CodigoMensagem::DecimoTerceiroIndevido, Codigo() + SubJudiceTexto + Ni() + mes(),
                  TipoDialogo::Erro, ObjetoValores);
    if (SomaCompensacoes(TSerieMensal::Meses) > 0)
        Pendencia(Erros, CodigoMensagem::DecimoTerceiroIndevido, Codigo() + CompensacaoTexto + Ni() + mes(),
                  TipoDialogo::Erro, ObjetoValores);
}

void TPruvItem::VerificaZerado(TErros& Erros) const
{
    if (!FValores.Zerado() || !FSubJudice.Zerado() || !FSubJudice.DepositoTotalZerado() || !FCompensacao.Zerado())
        return;
    // Rectifying declarations before 1999 could list an item to say it had nothing.
    const bool aviso = !AnoAPartirDe(Ano(), "1999") && FDeclaracao.GetTipoDeclaracao() == QLatin1String("R");
    Pendencia(Erros, CodigoMensagem::ValoresZerados, Codigo() + QLatin1Char(' ') + Ni(),
              aviso ? TipoDialogo::Aviso : TipoDialogo::Erro, ObjetoValores);
}

// ---- checks of the import

void TPruvItem::ListaAde(TErros& Erros, SomaDoMes Soma) const
{
    if (!RegraAde())
        return;
    QStringList meses;
    for (int m = 2; m <= TSerieMensal::Meses; ++m)
        if ((this->*Soma)(m) > 0)
            meses << MesAbreviado(m);
    if (!meses.isEmpty())
        Erros.Add(EPruvItemError(
            MensagemAde(),
            Codigo() + QLatin1Char(';') + QLatin1Char('(') + meses.join(QStringLiteral(", ")) + QLatin1Char(')'), 0));
}

void TPruvItem::DecimoTerceiroImportacao(TErros& Erros, qint64 Soma, bool TestaBeneficiario) const
{
    const bool permitido = RegrasDoItem::MantemDecimoTerceiro(*this) && !(TestaBeneficiario && PessoaJuridica());
    if (Soma > 0 && !permitido)
        Erros.Add(EPruvItemError(CodigoMensagem::DecimoTerceiroIndevido, Codigo(), 0));
}

void TPruvItem::VerificaRendimentos(TErros& Erros) const
{
    for (int m = 1; m <= TSerieMensal::Meses; ++m)
        if (FValores.GetDeducao(m).GetValorPositivo() > 0 && (!PessoaFisica() || !FCodigo.GetDeducao()))
            Erros.Add(
                EPruvItemError(CodigoMensagem::DeducaoIndevida, Codigo() + QLatin1Char(';') + MesAbreviado(m), 0));
    ListaAde(Erros, &TPruvItem::SomaValores);
    DecimoTerceiroImportacao(Erros, SomaValores(TSerieMensal::Meses), true);
}

void TPruvItem::VerificaGrupoJudicial(TErros& Erros, bool Presente, const MensagensGrupo& Mensagens, bool TestaDeducoes,
                                      SomaDoMes Soma) const
{
    if (!Presente)
        return;
    if (!AnoAPartirDe(Ano(), "2000")) {
        Erros.Add(EPruvItemError(Mensagens.Ano, Ano(), 0));
    } else if (!FCodigo.GetSubJudice()) {
        Erros.Add(EPruvItemError(Mensagens.Codigo, Codigo(), 0));
    } else if (PessoaJuridica()) {
        Erros.Add(EPruvItemError(Mensagens.Juridica, Ni(), 0));
    } else {
        if (TestaDeducoes)
            for (int m = 1; m <= TSerieMensal::Meses; ++m)
                if (FSubJudice.GetDeducao(m).GetValorPositivo() > 0 && !FCodigo.GetDeducao())
                    Erros.Add(EPruvItemError(CodigoMensagem::DeducaoIndevida,
                                             Codigo() + QLatin1Char(';') + MesAbreviado(m), 0));
        ListaAde(Erros, Soma);
        // A legal entity was refused above: the 13th depends on the code alone.
        DecimoTerceiroImportacao(Erros, (this->*Soma)(TSerieMensal::Meses), false);
    }
}

void TPruvItem::VerificaSubJudice(TErros& Erros) const
{
    VerificaGrupoJudicial(Erros, !FSubJudice.Zerado(),
                          {CodigoMensagem::AnoSemSubJudice, CodigoMensagem::CodigoSemSubJudice,
                           CodigoMensagem::PessoaJuridicaSemSubJudice},
                          true, &TPruvItem::SomaSubJudiceSemDeposito);
}

void TPruvItem::VerificaDeposito(TErros& Erros) const
{
    VerificaGrupoJudicial(Erros, !FSubJudice.DepositoTotalZerado(),
                          {CodigoMensagem::AnoSemDepositoJudicial, CodigoMensagem::CodigoSemDepositoJudicial,
                           CodigoMensagem::PessoaJuridicaSemDepositoJudicial},
                          false, &TPruvItem::SomaDeposito);
}

void TPruvItem::VerificaCompensacao(TErros& Erros) const
{
    VerificaGrupoJudicial(Erros, !FCompensacao.Zerado(),
                          {CodigoMensagem::AnoSemCompensacao, CodigoMensagem::CodigoSemCompensacao,
                           CodigoMensagem::PessoaJuridicaSemCompensacao},
                          false, &TPruvItem::SomaCompensacoes);
}
