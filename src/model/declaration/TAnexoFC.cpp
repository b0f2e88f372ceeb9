#include "model/declaration/TAnexoFC.h"

#include <stdexcept>

#include "model/declaration/IVerificacao.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/declaration/TDeclaranteAnexo.h"
#include "model/declaration/TPruv.h"
#include "model/declaration/TSecaoVerificacao.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/values/CodigoMensagem.h"

TAnexoFC::TAnexoFC(TPruv& Declaracao)
    : FDeclaracao(Declaracao)
{
    SetDeclarante(std::make_unique<TDeclaranteAnexo>(Declaracao));
    if (TErros* erros = Declaracao.Erros())
        SetErros(erros);
    Declaracao.RegistraAnexo(*this);
}

TAnexoFC::~TAnexoFC()
{
    // The items collection reaches the declaration's collections: it goes while they are there
    // (a declaration that went first let go of it already).
    LiberaItens();
    if (FLigado)
        FDeclaracao.RetiraAnexo(*this);
}

TPruv& TAnexoFC::GetDeclaracao() const
{
    if (!FLigado)
        throw std::logic_error("an annex whose declaration is gone");
    return FDeclaracao;
}

TColecaoPruvItem& TAnexoFC::GetItens()
{
    if (!Itens())
        GuardaItens(std::make_unique<TColecaoPruvItem>(GetDeclaracao(), *this));
    return *Itens();
}

void TAnexoFC::SetErros(TErros* Erros)
{
    ArmazenaErros(Erros);
    GetDeclarante().SetErros(Erros);
}

void TAnexoFC::Limpa()
{
    TPruvAnexo::Limpa();
    if (TErros* erros = Erros())
        erros->Limpa();
}

TDeclaranteAnexo& TAnexoFC::GetFundo() const
{
    return static_cast<TDeclaranteAnexo&>(GetDeclarante());
}

void TAnexoFC::VerificaDados(TErros& Erros) const
{
    const TDeclaranteAnexo& fundo = GetFundo();
    const QString& chave = GetChave();
    fundo.VerificaNiPendencia(Erros, chave, chave, ObjetoNi);
    fundo.VerificaNomePendencia(Erros, chave, chave, ObjetoNome);
    if (fundo.MesmoDoAdministrador())
        Erros.Add(EAnexoInvalido(CodigoMensagem::FundoIgualAoAdministrador, QString(), TipoDialogo::Erro, Botao::Ok, 0,
                                 chave, fundo.GetNiFormatado(), ObjetoNi));
}

void TAnexoFC::Verifica(TErros& Erros, IVerificacao& Frame, int& Verificados, TColecaoPruvItem& Itens, TPruvItem& Lido)
{
    Erros.Limpa();
    VerificaDados(Erros);
    IncluiSecao(Frame, Erros, QStringLiteral("Identificação do Fundo ou Clube de Investimento"));

    TSecaoVerificacao beneficiarios(Frame, QStringLiteral("Beneficiários do Fundo ou Clube de Investimento"));
    // None read in a run not stopped: the annex has no items.
    if (VerificaItens(Itens, Lido, *this, Erros, Frame, Verificados, beneficiarios) == 0 && !Frame.Interrompida()) {
        Erros.Limpa();
        Erros.Add(EAnexoInvalido(CodigoMensagem::FundoSemBeneficiarios, QString(), TipoDialogo::Erro, Botao::Ok, 0,
                                 GetChave(), QString(), ObjetoSemItens));
        beneficiarios.IncluiErros(QStringLiteral("Beneficiários"));
    }
    beneficiarios.Termina();

    if (!Frame.Interrompida()) {
        GetResumo().SetOK(true);
        FDeclaracao.GetColecaoResumo().Grava(GetResumo());
    }
}
