#include "exchange/delivery/TFontePruv.h"

#include <QDate>
#include <utility>

#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TDeclaranteAnexo.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/items/TPruvItem.h"

namespace {

using S = TItemEntrega::TSerie;

// The model's dates: days since 30/12/1899, the time as the fraction.
double DataDoModelo(const QDateTime& Data)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(Data.date()))
        + Data.time().msecsSinceStartOfDay() / 86400000.0;
}

bool PessoaFisica(const TNiContribuinte& Ni)
{
    return Ni.TipoAtual() == TNiContribuinte::Cpf;
}

}   // namespace

TFontePruv::TFontePruv(TPruv& Aberta, TColecaoPruv& Colecao)
    : FAberta(Aberta)
    , FColecao(Colecao)
{
    FTrabalho.SetErros(&FErros);
}

TFontePruv::~TFontePruv()
{
    FechaItens();
    LiberaFundo();
}

void TFontePruv::LiberaFundo()
{
    FItemFundo.reset();
    FItensFundo.reset();
    FFundo.reset();
}

TDeclaracaoEntrega TFontePruv::Dados(TPruv& Declaracao)
{
    TDeclaracaoEntrega d;
    const TContribuinte& declarante = Declaracao.GetDeclarante();
    d.Chave = Declaracao.GetChave();
    d.Ano = Declaracao.GetAno();
    d.Ni = declarante.GetNi();
    d.NiFormatado = declarante.GetNiFormatado();
    d.PessoaFisica = PessoaFisica(declarante);
    d.Nome = declarante.Nome().GetTexto();
    d.Natureza = Declaracao.GetNatureza().GetCodigo();
    d.Tipo = Declaracao.GetTipoDeclaracao();
    d.SituacaoEspecial = Declaracao.GetSituacaoEspecial();
    d.CpfRespCnpj = Declaracao.GetRespCnpj().GetNi();
    d.PossuiSubJudice = Declaracao.GetResumo().PossuiSubJudice();
    const TResponsavel& r = Declaracao.GetResponsavel();
    d.Responsavel = {r.GetNi(),
                     r.GetNiFormatado(),
                     r.Nome().GetTexto(),
                     r.Fone().DDD().GetTexto(),
                     r.Fone().Numero().GetTexto(),
                     r.Fone().Numero().GetTextoFormatado(),
                     r.Fone().Ramal().GetTexto(),
                     r.Fax().Numero().GetTexto(),
                     r.Fax().Numero().GetTextoFormatado(),
                     r.Email().GetTexto()};
    return d;
}

void TFontePruv::Dados(const TPruvItem& Item, TItemEntrega& Destino)
{
    const TBeneficiarioPruv& beneficiario = Item.GetBeneficiario();
    Destino.Codigo = Item.GetCodigoRetencao().GetCodigo();
    Destino.BeneficiarioPf = PessoaFisica(beneficiario);
    Destino.NiBeneficiario = beneficiario.GetNi();
    Destino.NomeBeneficiario = beneficiario.Nome().GetTexto();
    const TRendimentosTributaveis& valores = Item.GetValores();
    const TCompensacao& compensacao = Item.GetCompensacao();
    const TSubJudice& subJudice = Item.GetSubJudice();
    const std::pair<S, const TSerieMensal*> series[] = {
        {S::Rendimento, &valores.Rendimentos()},
        {S::Deducao, &valores.Deducoes()},
        {S::Imposto, &valores.Impostos()},
        {S::CompensacaoAnosAnteriores, &compensacao.CompensacoesAnosAnteriores()},
        {S::CompensacaoAno, &compensacao.CompensacoesAno()},
        {S::RendimentoSubJudice, &subJudice.Rendimentos()},
        {S::DeducaoSubJudice, &subJudice.Deducoes()},
        {S::ImpostoSubJudice, &subJudice.Impostos()},
        {S::Deposito, &subJudice.Depositos()},
    };
    for (const auto& [serie, origem] : series) {
        auto& destino = Destino.Valores.at(serie);
        if (origem->Zerada()) {   // most series of an item are: no month to copy
            destino.fill(0);
            continue;
        }
        for (int mes = 1; mes <= TItemEntrega::Meses; ++mes)
            destino.at(mes - 1) = origem->Mes(mes).GetValorPositivo();
    }
}

bool TFontePruv::CarregaEm(TPruv& Destino, const QString& Ano, const QString& Ni)
{
    if (&Destino == &FTrabalho)
        LiberaFundo();   // it reads through the collections the declaration is about to let go
    Destino.Limpa();     // also empties its sink
    Destino.SetAnoSemExcecao(Ano);
    Destino.GetDeclarante().SetNiSemExcecao(Ni);
    return FColecao.Carrega(Destino);
}

bool TFontePruv::Carrega(const QString& Ano, const QString& Ni, TDeclaracaoEntrega& Destino)
{
    FechaItens();
    if (!CarregaEm(FTrabalho, Ano, Ni))
        return false;
    Destino = Dados(FTrabalho);
    return true;
}

void TFontePruv::Trabalha(const TDeclaracaoEntrega& Declaracao)
{
    if (FTrabalho.GetChave().isEmpty() || FTrabalho.GetChave() != Declaracao.Chave)
        CarregaEm(FTrabalho, Declaracao.Ano, Declaracao.Ni);
}

std::vector<TAnexoEntrega> TFontePruv::Anexos(const TDeclaracaoEntrega& Declaracao)
{
    FechaItens();
    Trabalha(Declaracao);
    std::vector<TAnexoEntrega> anexos;
    TColecaoAnexo& colecao = FTrabalho.GetColecaoAnexo();
    colecao.FiltraDeclaracao();
    TAnexoFC anexo(FTrabalho);
    colecao.Primeiro();
    while (!colecao.Eof()) {
        colecao.LeRegistro(anexo);
        const TDeclaranteAnexo& fundo = anexo.GetFundo();
        anexos.push_back(
            {anexo.GetChave(), fundo.GetNi(), fundo.GetNiFormatado(), PessoaFisica(fundo), fundo.Nome().GetTexto()});
        colecao.Proximo();
    }
    return anexos;
}

void TFontePruv::AbreItens(const TDeclaracaoEntrega& Declaracao, const TAnexoEntrega* Anexo)
{
    FechaItens();
    Trabalha(Declaracao);
    if (Anexo) {
        // One owner, collection and item for every fund of the declaration, following the key
        // the owner is given: a fund costs its own rows, not a collection and its statements.
        if (!FFundo) {
            FFundo = std::make_unique<TAnexoFC>(FTrabalho);
            FItensFundo = std::make_unique<TColecaoPruvItem>(FTrabalho, *FFundo);
            FItensFundo->SetOrdem(TColecaoPruvItem::OrdemCodigo);
            FItemFundo = std::make_unique<TPruvItem>(FTrabalho, *FFundo);
        }
        FFundo->SetChave(Anexo->Chave);
        FItens = FItensFundo.get();
        FItem = FItemFundo.get();
    } else {
        FItens = &FTrabalho.GetItens();
        FItens->SetOrdem(TColecaoPruvItem::OrdemCodigo);
        FProprio = std::make_unique<TPruvItem>(FTrabalho, FTrabalho);
        FItem = FProprio.get();
    }
    FItens->IniciaLeitura();
}

bool TFontePruv::ProximoItem(TItemEntrega& Item)
{
    if (!FItens || !FItens->LeProximo(*FItem))
        return false;
    Dados(*FItem, Item);
    return true;
}

void TFontePruv::FechaItens()
{
    FItem = nullptr;
    FProprio.reset();
    const bool proprios = FItens && FItens != FItensFundo.get();
    if (FItens)
        FItens->EncerraLeitura();
    FItens = nullptr;
    if (proprios)
        FTrabalho.TPruvAnexo::LiberaItens();   // the items' table only; the other collections stay open
}

std::unique_ptr<TErro> TFontePruv::RegistraGeracao(const QString& Ano, const QString& Ni,
                                                   const QString& RaizEstabelecimento, const QDateTime& Data,
                                                   int Estabelecimentos)
{
    FechaItens();
    if (!FAnterior)
        FAnterior = TGeracaoAnterior{FAberta.GetNiEstabResponsavel().GetNi(), FAberta.GetDataGeracao(),
                                     FAberta.GetNrEstabelecimentos(), FAberta.GetNrDisquetes()};
    // What loading reports stays: an establishment with bad data stops the delivery.
    if (!CarregaEm(FTrabalho, Ano, Ni))
        return nullptr;
    const double data = DataDoModelo(Data);
    for (TPruv* declaracao : {&FTrabalho, &FAberta}) {
        declaracao->GetNiEstabResponsavel().SetRaizSemExcecao(RaizEstabelecimento);
        declaracao->SetDataGeracao(data);
        declaracao->SetNrEstabelecimentos(Estabelecimentos);
    }
    FColecao.Atualiza(FTrabalho);
    return FErros.Vazia() ? nullptr : std::make_unique<TErro>(FErros.Items(0));
}

void TFontePruv::RegistraVolumes(const QString& Ano, const QString& Ni, int Volumes)
{
    FechaItens();
    if (!FAnterior)
        FAnterior = TGeracaoAnterior{FAberta.GetNiEstabResponsavel().GetNi(), FAberta.GetDataGeracao(),
                                     FAberta.GetNrEstabelecimentos(), FAberta.GetNrDisquetes()};
    if (!CarregaEm(FTrabalho, Ano, Ni))
        return;
    FTrabalho.SetNrDisquetes(Volumes);
    FAberta.SetNrDisquetes(Volumes);
    FColecao.Atualiza(FTrabalho);
}

std::optional<double> TFontePruv::DataGravada(const QString& Ano, const QString& Ni)
{
    FechaItens();
    return DataGravadaNoBanco(Ano, Ni);
}

std::optional<double> TFontePruv::DataGravadaNoBanco(const QString& Ano, const QString& Ni)
{
    TColecaoPruv colecao;
    TPruv declaracao;
    TErros erros;
    declaracao.SetErros(&erros);
    declaracao.SetAnoSemExcecao(Ano);
    declaracao.GetDeclarante().SetNiSemExcecao(Ni);
    if (!colecao.Carrega(declaracao))
        return std::nullopt;
    return declaracao.GetDataGeracao();
}

void TFontePruv::DesfazRegistros()
{
    FechaItens();
    if (FAnterior) {
        TNiContribuinte& estabelecimento = FAberta.GetNiEstabResponsavel();
        if (FAnterior->Estabelecimento.isEmpty())
            estabelecimento.Limpa();
        else
            estabelecimento.SetNiSemExcecao(FAnterior->Estabelecimento);
        FAberta.SetDataGeracaoSemExcecao(FAnterior->Data);
        FAberta.SetNrEstabelecimentos(FAnterior->Estabelecimentos);
        FAberta.SetNrDisquetes(FAnterior->Volumes);
        FAnterior.reset();
    }
    FColecao.Atualiza();
}
