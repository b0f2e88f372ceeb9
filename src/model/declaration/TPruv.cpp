#include "model/declaration/TPruv.h"

#include <stdexcept>
#include <utility>

#include "model/declaration/IVerificacao.h"
#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/declaration/TDeclaranteAnexo.h"
#include "model/declaration/TSecaoVerificacao.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePF.h"
#include "model/statements/TComprovantePJ.h"
#include "model/values/TratamentoTexto.h"
#include "model/values/CodigoMensagem.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"

namespace {

const QString AnoNovo = QStringLiteral("2002");
// From this year on natures are those of today, funds have annexes and sub judice values exist.
const QString AnoNaturezasAtuais = QStringLiteral("1999");

}   // namespace

TPruv::TPruv()
    : FNatureza(&FNaturezas.GetTodas()[NaturezaVazia])
{
    SetDeclarante(std::make_unique<TContribuinte>());
    FResumoTotal = std::make_unique<TResumo>(this);
}

TPruv::~TPruv()
{
    // The collections reach this declaration's members and one another: the items first, the
    // summaries last.
    LiberaItens();
    // An annex that outlives its declaration must not reach it when it goes.
    for (TAnexoFC* anexo : FAnexos)
        anexo->FLigado = false;
}

// ---- owner of items ----

TColecaoPruvItem& TPruv::GetItens()
{
    if (!Itens())
        GuardaItens(std::make_unique<TColecaoPruvItem>(*this, *this));
    return *Itens();
}

void TPruv::SetErros(TErros* Erros)
{
    ArmazenaErros(Erros);
    FNiEstabResponsavel.SetErros(Erros);
    FResponsavel.SetErros(Erros);
    FRespCnpj.SetErros(Erros);
    GetDeclarante().SetErros(Erros);
}

void TPruv::Limpa()
{
    // First, while the keys are there: items let go during a bulk load store their summaries.
    LiberaItens();
    TPruvAnexo::Limpa();
    FNiEstabResponsavel.Limpa();
    FRespCnpj.Limpa();
    FNaturezas.LimpaDisponiveis();
    FNatureza = &FNaturezas.GetTodas()[NaturezaVazia];
    FResponsavel.Limpa();
    FDataGeracao = 0;
    FTipoDeclaracao = QStringLiteral("O");
    FSituacaoEspecial = false;
    FSituacaoAntesDoAno.reset();
    FNrDisquetes = 0;
    FNrEstabelecimentos = 0;
    if (TErros* erros = Erros())
        erros->Limpa();
    FResumoTotal.reset();
    FAno = AnoNovo;
}

void TPruv::LiberaItens()
{
    // Every items collection, the annexes' too, uses the collections below: they go first.
    for (TAnexoFC* anexo : std::vector<TAnexoFC*>(FAnexos))
        anexo->LiberaItens();
    TPruvAnexo::LiberaItens();
    FColecaoAnexo.reset();
    FColecaoComprovante.reset();
    FColecaoBeneficiario.reset();
    // The withholding codes and the summaries stay (an import loads one declaration after
    // another): the codes are reference data that no declaration writes, found by the year of
    // whichever declaration asks next; the summaries follow its key when asked for.
}

// ---- collections ----

TColecaoCodigoRetencao& TPruv::GetColecaoCodigoRetencao()
{
    if (!FColecaoCodigoRetencao)
        FColecaoCodigoRetencao = std::make_unique<TColecaoCodigoRetencao>(FAno);
    else if (FColecaoCodigoRetencao->GetAno() != FAno)
        FColecaoCodigoRetencao->SetAno(FAno);   // the year changed without AplicaAno (Limpa)
    return *FColecaoCodigoRetencao;
}

TColecaoBeneficiario& TPruv::GetColecaoBeneficiario()
{
    if (!FColecaoBeneficiario)
        FColecaoBeneficiario = std::make_unique<TColecaoBeneficiario>(*this);
    return *FColecaoBeneficiario;
}

TColecaoResumo& TPruv::GetColecaoResumo()
{
    if (!FColecaoResumo)
        FColecaoResumo = std::make_unique<TColecaoResumo>(*this);
    else
        FColecaoResumo->AcompanhaDeclaracao();
    return *FColecaoResumo;
}

TColecaoAnexo& TPruv::GetColecaoAnexo()
{
    if (!FColecaoAnexo)
        FColecaoAnexo = std::make_unique<TColecaoAnexo>(*this);
    return *FColecaoAnexo;
}

TColecaoComprovante& TPruv::GetColecaoComprovante()
{
    if (!FColecaoComprovante)
        FColecaoComprovante = std::make_unique<TColecaoComprovante>(
            *this, [this]() -> IItensBeneficiario& { return GetItens(); });
    return *FColecaoComprovante;
}

void TPruv::DesfazColecoes()
{
    if (FColecaoBeneficiario)
        FColecaoBeneficiario->Desfaz();
    if (FColecaoResumo)
        FColecaoResumo->Desfaz();
    if (FColecaoAnexo)
        FColecaoAnexo->Desfaz();
    // Let go rather than read again: the statement tables may have been made inside the undone
    // transaction. Made afresh on next use, the holder reads (and makes) them as they now stand.
    FColecaoComprovante.reset();
}

void TPruv::MarcaResumoDesatualizado()
{
    TResumo& proprio = TPruvAnexo::GetResumo();
    GetColecaoResumo().Carrega(proprio);
    proprio.SetOK(false);
    GetResumoTotal().SetOK(false);
    GetColecaoResumo().Grava(proprio);
}

TResumo& TPruv::GetResumoTotal()
{
    if (!FResumoTotal)
        FResumoTotal = std::make_unique<TResumo>(this);
    return *FResumoTotal;
}

void TPruv::ExcluiComprovante(TBeneficiarioPruv& Beneficiario)
{
    const auto exclui = [&](TComprovante& comprovante) {
        TColecaoComprovante& comprovantes = GetColecaoComprovante();
        comprovantes.Carrega(comprovante);
        comprovante.SetAlterado(false);
        comprovantes.Exclui(comprovante);
    };
    if (Beneficiario.TipoAtual() == TNiContribuinte::Cpf) {
        TComprovantePF comprovante(Beneficiario);
        exclui(comprovante);
    } else if (Beneficiario.TipoAtual() == TNiContribuinte::Cnpj) {
        TComprovantePJ comprovante(Beneficiario);
        exclui(comprovante);
    }
}

// ---- rules ----

std::uint8_t TPruv::ConfereAno(const QString& Ano, bool PermiteVazio)
{
    const QString aparado = Ano.trimmed();
    if (PermiteVazio && aparado.isEmpty())
        return 0;
    if (!aparado.isEmpty() && SoNumeros(Ano)) {
        bool lido = false;
        const int valor = Ano.toInt(&lido);
        if (lido && valor >= 1997 && valor <= 2003)
            return 0;
    }
    return CodigoMensagem::AnoInvalido;
}

std::uint8_t TPruv::ConfereNatureza(const TNatureza* Natureza, bool PermiteVazio) const
{
    if (!Natureza)
        return PermiteVazio ? 0 : CodigoMensagem::NaturezaInvalida;
    if (Natureza->GetCodigo() > 4)
        return CodigoMensagem::NaturezaInvalida;
    if (Natureza->GetDescricao().isEmpty()) {
        if (PermiteVazio)
            return 0;
        if (FNaturezas.GetDisponiveis().size() > 1)
            return CodigoMensagem::NaturezaInvalida;
    }
    return FNaturezas.GetDisponivel(Natureza->GetCodigo()) ? 0 : CodigoMensagem::NaturezaInvalida;
}

std::uint8_t TPruv::ConfereDataGeracao(double)
{
    return 0;
}

std::uint8_t TPruv::ConfereTipoDeclaracao(const QString& Tipo)
{
    return Tipo == QLatin1String("O") || Tipo == QLatin1String("R") ? 0 : CodigoMensagem::TipoDeDeclaracaoInvalido;
}

std::uint8_t TPruv::ConfereSituacaoEspecial(bool Situacao, const QString& Ano)
{
    return !Situacao && Ano == QLatin1String("2003") ? CodigoMensagem::AnoExigeSituacaoEspecial : 0;
}

// ---- setters ----

void TPruv::AplicaAno()
{
    // A code collection not made yet takes the year when it is made: opening its table and
    // checking its file only to tell it the year cost more than most uses of the declaration.
    if (FColecaoCodigoRetencao)
        FColecaoCodigoRetencao->SetAno(FAno);
    AtualizaNaturezas();
}

void TPruv::SetAno(const QString& Ano)
{
    if (const std::uint8_t codigo = ConfereAno(Ano, false); codigo != 0) {
        FAno.clear();
        throw EPruvError(codigo, Ano, 0);
    }
    FAno = Ano;
    AplicaAno();
    if (FAno > FAnoAtual) {
        // A year after the current one carries the special situation; what stood before comes
        // back when the year goes back, so that a year only passed over leaves no mark.
        if (!FSituacaoAntesDoAno)
            FSituacaoAntesDoAno = FSituacaoEspecial;
        FSituacaoEspecial = true;
    } else if (FSituacaoAntesDoAno) {
        FSituacaoEspecial = *std::exchange(FSituacaoAntesDoAno, std::nullopt);
    }
}

void TPruv::SetAnoSemExcecao(const QString& Ano)
{
    FAno = Ano;
    if (const std::uint8_t codigo = ConfereAno(Ano, false); codigo != 0) {
        FAno.clear();
        RegistraErro(Erros(), EPruvError(codigo, Ano, 0));
        return;
    }
    AplicaAno();
}

const TNatureza& TPruv::NaturezaDaTabela(const TNatureza& Natureza) const
{
    for (const TNatureza& entrada : FNaturezas.GetTodas())
        if (&entrada == &Natureza)
            return entrada;
    throw std::logic_error("a nature of another declaration's table");
}

void TPruv::SetNatureza(const TNatureza& Natureza)
{
    const TNatureza& natureza = NaturezaDaTabela(Natureza);
    if (const std::uint8_t codigo = ConfereNatureza(&natureza, true); codigo != 0)
        throw EPruvError(codigo, natureza.GetDescricao(), 0);
    FNatureza = &natureza;
}

void TPruv::SetNaturezaSemExcecao(const TNatureza& Natureza)
{
    FNatureza = &NaturezaDaTabela(Natureza);
    if (const std::uint8_t codigo = ConfereNatureza(FNatureza, true); codigo != 0)
        RegistraErro(Erros(), EPruvError(codigo, FNatureza->GetDescricao(), 0));
}

void TPruv::SetDataGeracao(double Data)
{
    FDataGeracao = Data;
}

void TPruv::SetDataGeracaoSemExcecao(double Data)
{
    FDataGeracao = Data;
}

void TPruv::SetTipoDeclaracao(const QString& Tipo)
{
    if (const std::uint8_t codigo = ConfereTipoDeclaracao(Tipo); codigo != 0)
        throw EPruvError(codigo, Tipo, 0);
    FTipoDeclaracao = Tipo;
}

void TPruv::SetTipoDeclaracaoSemExcecao(const QString& Tipo)
{
    if (const std::uint8_t codigo = ConfereTipoDeclaracao(Tipo); codigo != 0) {
        RegistraErro(Erros(), EPruvError(codigo, Tipo, 0));
        return;
    }
    FTipoDeclaracao = Tipo;
}

void TPruv::SetSituacaoEspecial(bool Situacao)
{
    if (const std::uint8_t codigo = ConfereSituacaoEspecial(Situacao, FAno); codigo != 0)
        throw EPruvError(codigo, QString(), 0);
    FSituacaoEspecial = Situacao;
    FSituacaoAntesDoAno.reset();   // chosen: no year takes it back
}

void TPruv::SetSituacaoEspecialSemExcecao(bool Situacao)
{
    if (const std::uint8_t codigo = ConfereSituacaoEspecial(Situacao, FAno); codigo != 0) {
        RegistraErro(Erros(), EPruvError(codigo, QString(), 0));
        return;
    }
    FSituacaoEspecial = Situacao;
    FSituacaoAntesDoAno.reset();
}

void TPruv::SetNrDisquetes(int Quantidade)
{
    FNrDisquetes = Quantidade;
    FNrDisquetesValor.SetValor(qint64{Quantidade} * TMonetario::Escala);
}

void TPruv::SetNrEstabelecimentos(int Quantidade)
{
    FNrEstabelecimentos = Quantidade;
    FNrEstabelecimentosValor.SetValor(qint64{Quantidade} * TMonetario::Escala);
}

// ---- natures ----

void TPruv::AtualizaNaturezas()
{
    FNaturezas.LimpaDisponiveis();
    const auto todas = FNaturezas.GetTodas();
    const auto disponibiliza = [&](std::initializer_list<int> posicoes) {
        for (const int posicao : posicoes)
            FNaturezas.AdicionaDisponivel(todas[posicao]);
    };
    const TContribuinte& declarante = GetDeclarante();
    switch (declarante.TipoAtual()) {
    case TNiContribuinte::Cpf:
        break;
    case TNiContribuinte::Cnpj:
        if (FAno == QLatin1String("1998"))
            disponibiliza({1, 6, 7});
        else if (FAno >= AnoNaturezasAtuais) {
            if (ObtemOrdemCnpj(declarante.GetNi(), false) > QLatin1String("0001"))
                disponibiliza({1, 2});
            else
                disponibiliza({0, 1, 2, 3});
        }
        break;
    default:
        if (FAno == QLatin1String("1998"))
            disponibiliza({1, 6, 7, 8});
        else if (FAno >= AnoNaturezasAtuais)
            disponibiliza({0, 1, 2, 3, 8});
        else
            disponibiliza({8, 9});
        break;
    }
    if (FNaturezas.GetDisponiveis().empty()) {
        FNatureza = &todas[NaturezaVazia];
        FNaturezas.AdicionaDisponivel(todas[NaturezaVazia]);
    }
}

// ---- checks ----

EPruvError TPruv::Pendencia(std::uint8_t Codigo, const QString& Parametro, std::uint8_t Objeto, TipoDialogo Tipo,
                            const QString* QuemEh) const
{
    return EPruvError(Codigo, Parametro, Tipo, Botao::Ok, 0, GetChave(),
                      QuemEh ? *QuemEh : GetDeclarante().GetNiFormatado(), Objeto);
}

void TPruv::VerificaDados(TErros& Erros) const
{
    const TContribuinte& declarante = GetDeclarante();
    const QString chave = GetChave();
    const QString numero = declarante.GetNiFormatado();
    declarante.VerificaNiPendencia(Erros, chave, numero, ObjetoNi);
    declarante.VerificaNomePendencia(Erros, chave, numero, ObjetoNome);
    if (const std::uint8_t codigo = ConfereNatureza(FNatureza, false); codigo != 0)
        Erros.Add(Pendencia(codigo, QString(), ObjetoNatureza));
    if (const std::uint8_t codigo = ConfereAno(FAno, false); codigo != 0)
        Erros.Add(Pendencia(codigo, FAno, ObjetoAno));
    if (const std::uint8_t codigo = ConfereTipoDeclaracao(FTipoDeclaracao); codigo != 0)
        Erros.Add(Pendencia(codigo, QString(), ObjetoTipo));
    if (const std::uint8_t codigo = ConfereSituacaoEspecial(FSituacaoEspecial, FAno); codigo != 0)
        Erros.Add(Pendencia(codigo, QString(), ObjetoSituacaoEspecial));
}

void TPruv::VerificaFundos(TErros& Erros)
{
    if (FAno < AnoNaturezasAtuais)
        return;
    const bool administradora = FNatureza->GetCodigo() == CodigoAdministradora;
    const QString numero = GetDeclarante().GetNiFormatado();
    const bool semAnexos = GetColecaoAnexo().EstaVazia();
    if (!semAnexos && !administradora)
        Erros.Add(Pendencia(CodigoMensagem::FundosNaoGravados, numero, ObjetoNatureza, TipoDialogo::Aviso));
    else if (semAnexos && administradora)
        Erros.Add(Pendencia(CodigoMensagem::AdministradoraSemFicha, numero, ObjetoNatureza));
}

void TPruv::VerificaSemItens(TErros& Erros)
{
    const QString nenhum;
    if (FTipoDeclaracao == QLatin1String("O") && FAno >= AnoNaturezasAtuais)
        Erros.Add(Pendencia(CodigoMensagem::PruvSemBeneficiarioSoRetificadora, QString(), ObjetoSemItens,
                            TipoDialogo::Erro, &nenhum));
    else if (FAno < AnoNaturezasAtuais)
        Erros.Add(
            Pendencia(CodigoMensagem::PruvSemBeneficiario, QString(), ObjetoSemItens, TipoDialogo::Erro, &nenhum));
    else if (!GetColecaoAnexo().EstaVazia() && FNatureza->GetCodigo() == CodigoAdministradora)
        Erros.Add(Pendencia(CodigoMensagem::PruvSemBeneficiariosComFundos, QString(), ObjetoSemItens));
    else
        Erros.Add(Pendencia(CodigoMensagem::PruvSemBeneficiarioSoRetificadora, QString(), ObjetoSemItens,
                            TipoDialogo::Aviso, &nenhum));
}

bool TPruv::Verifica(TErros& Erros, IVerificacao& Frame, int& Verificados)
{
    const TCursorOcupado ocupado;
    TColecaoPruvItem& itens = GetItens();

    VerificaDados(Erros);
    VerificaFundos(Erros);
    IncluiSecao(Frame, Erros, QStringLiteral("Identificação do declarante"));

    Erros.Limpa();
    FResponsavel.VerificaPendencias(Erros);
    IncluiSecao(Frame, Erros, QStringLiteral("Responsável pelo Preenchimento da Declaração"));

    if (GetDeclarante().TipoAtual() == TNiContribuinte::Cnpj) {
        Erros.Limpa();
        if (const std::uint8_t codigo = ValidaCpf(FRespCnpj.GetNi(), false); codigo != 0)
            Erros.Add(Pendencia(codigo, FRespCnpj.GetNiFormatado(), ObjetoRespCnpj));
        IncluiSecao(Frame, Erros, QStringLiteral("Responsável perante o CNPJ"));
    }

    TSecaoVerificacao beneficiarios(Frame, QStringLiteral("Beneficiários"));
    {
        TPruvItem lido(*this, *this);
        VerificaItens(itens, lido, *this, Erros, Frame, Verificados, beneficiarios);
    }
    if (itens.EstaVazia()) {
        Erros.Limpa();
        VerificaSemItens(Erros);
        beneficiarios.IncluiErros();
    }
    beneficiarios.Termina();

    if (!Frame.Interrompida()) {
        TResumo& proprio = TPruvAnexo::GetResumo();
        proprio.SetOK(true);
        GetColecaoResumo().Grava(proprio);
    }
    TPruvAnexo::LiberaItens();

    if (FAno >= AnoNaturezasAtuais && FNatureza->GetCodigo() == CodigoAdministradora) {
        TColecaoAnexo& anexos = GetColecaoAnexo();
        TAnexoFC anexo(*this);
        // One collection and one item for every fund, following the key the annex is given: a
        // fund costs its own rows, not a collection and its statements made again.
        TColecaoPruvItem itensFundo(*this, anexo);
        TPruvItem lido(*this, anexo);
        anexos.PrimeiroRegistro(anexo);
        while (!anexos.Eof() && !Frame.Interrompida()) {
            InterfaceUsuario::Atividade().MantemVivo();
            Erros.Limpa();
            Frame.IncluiTituloFundo(anexo.GetFundo().GetNiFormatado(), anexo.GetFundo().Nome().GetTexto());
            anexo.Verifica(Erros, Frame, Verificados, itensFundo, lido);
            anexo.Reinicia();
            anexos.ProximoRegistro(anexo);
        }
        // Items under a fund no longer stored are in no fund: no delivery may leave them out
        // unseen. Each is named, and the section says how they go.
        Erros.Limpa();
        for (const QString& chave : anexos.ChavesSemFundo())
            AcusaSemFundo(chave, Erros);
        if (!Erros.Vazia() && !Frame.Interrompida())
            IncluiSecao(Frame, Erros,
                        QStringLiteral("Beneficiários sem Fundo ou Clube de Investimento (para excluí-los: "
                                       "Ferramentas, Reorganizar Tabelas de Dados)"));
    }
    FColecaoAnexo.reset();
    Frame.SetaConcluida(true);
    return Frame.NumErros() <= 0;
}

void TPruv::AcusaSemFundo(const QString& Chave, TErros& Erros)
{
    TAnexoFC orfao(*this);
    orfao.SetChave(Chave);
    TColecaoPruvItem itens(*this, orfao);
    TPruvItem item(*this, orfao);
    TErros lidos;   // faults of the values read are not these rows' concern
    item.SetErros(&lidos);
    itens.PrimeiroRegistro(item);
    while (!itens.Eof()) {
        const QString parametro = QStringLiteral("fundo %1, %2 %3 %4")
                                      .arg(Chave, item.GetCodigoRetencao().GetCodigo(),
                                           item.GetBeneficiario().GetNiFormatado(),
                                           item.GetBeneficiario().Nome().GetTexto());
        Erros.Add(EPruvError(CodigoMensagem::BeneficiarioSemFundo, parametro.trimmed(), TipoDialogo::Erro, Botao::Ok, 0,
                             Chave, item.Identidade(), TAnexoFC::ObjetoSemItens));
        itens.ProximoRegistro(item);
    }
}

void TPruv::CalculaResumo(bool ComFundos)
{
    TResumo& total = GetResumoTotal();
    TResumo& proprio = TPruvAnexo::GetResumo();
    total.Zera();
    proprio.Zera();
    GetColecaoResumo().Carrega(proprio);
    total.SetOK(true);
    total.Soma(proprio);
    if (FNatureza->GetCodigo() != CodigoAdministradora)
        return;
    if (!ComFundos) {
        total.SetOK(false);
        return;
    }
    TColecaoAnexo& anexos = GetColecaoAnexo();
    TAnexoFC anexo(*this);
    anexos.PrimeiroRegistro(anexo);
    while (!anexos.Eof()) {
        total.Soma(anexo.GetResumo());
        anexo.Reinicia();
        anexos.ProximoRegistro(anexo);
    }
}
