#include "reports/forms/TCabecalhoRelato.h"

#include "model/declaration/TDeclaranteAnexo.h"
#include "model/declaration/TPruv.h"
#include "platform/report/bands/TBanda.h"
#include "platform/report/elements/TRotulo.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/forms/TTextoInteiro.h"

namespace {

constexpr qreal Pontos = 9;
constexpr qreal EntreLinhas = 20;

}   // namespace

TCabecalhoRelato::TCabecalhoRelato(TBanda& Banda, qreal Topo, bool SituacaoEspecial, qreal Largura, qreal Fundo)
    : FBanda(Banda)
    , FLargura(Largura)
{
    FAno = &Rotulo(Banda, QStringLiteral("QRLAno"), QString(), 0, Topo, Pontos, true);
    FTipo = &Rotulo(Banda, QStringLiteral("QRLTipo"), QString(), 170, Topo, Pontos, true);
    if (SituacaoEspecial)
        FEncerra = &Rotulo(Banda, QStringLiteral("QRLEncerra"), QString(), 320, Topo, Pontos, true);
    const qreal linha2 = Topo + EntreLinhas;
    FTituloNi = &Rotulo(Banda, QStringLiteral("QRLTituloNi"), QString(), 0, linha2, Pontos, true);
    FNi = &Rotulo(Banda, QStringLiteral("QRLNi"), QString(), 40, linha2, Pontos);
    FTituloNome = &Rotulo(Banda, QStringLiteral("QRLTituloNome"), QString(), 190, linha2, Pontos, true);
    FNome = std::make_unique<TTextoInteiro>(
        Banda, Rotulo(Banda, QStringLiteral("QRLNome"), QString(), EsquerdaNome, linha2, PontosNome), Largura, Fundo);
}

TCabecalhoRelato::~TCabecalhoRelato() = default;

void TCabecalhoRelato::CriaFundo(qreal Topo, bool DuasLinhas, qreal Fundo)
{
    const qreal linha = DuasLinhas ? Topo + EntreLinhas : Topo;
    const qreal x = DuasLinhas ? 0 : 200;
    FFundo.push_back(&Rotulo(FBanda, QStringLiteral("QRLFundo"), QStringLiteral("Fundo ou Clube de Investimento:"), 0,
                             Topo, Pontos, true));
    FFundo.push_back(
        &Rotulo(FBanda, QStringLiteral("QRLTituloCnpjFundo"), QStringLiteral("CNPJ"), x, linha, Pontos, true));
    FRotuloCnpjFundo = &Rotulo(FBanda, QStringLiteral("QRLCnpjFundo"), QString(), x + 40, linha, Pontos);
    FFundo.push_back(FRotuloCnpjFundo);
    FFundo.push_back(&Rotulo(FBanda, QStringLiteral("QRLTituloNomeFundo"), QStringLiteral("Nome Empresarial"), x + 190,
                             linha, Pontos, true));
    TRotulo& nome = Rotulo(FBanda, QStringLiteral("QRLNomeFundo"), QString(), x + 300, linha, Pontos);
    FFundo.push_back(&nome);
    FRotuloNomeFundo = std::make_unique<TTextoInteiro>(FBanda, nome, FLargura, Fundo);
    MostraFundo();
}

void TCabecalhoRelato::Preenche(TPruv& Pruv)
{
    const TContribuinte& declarante = Pruv.GetDeclarante();
    const bool cpf = declarante.TipoAtual() == TNiContribuinte::Cpf;
    FAno->Texto = QStringLiteral("Ano-Calendário: ") + Pruv.GetAno();
    FTipo->Texto = TextoTipoDeclaracao(Pruv.GetTipoDeclaracao());
    if (FEncerra != nullptr) {
        FEncerra->Texto.clear();
        if (Pruv.GetSituacaoEspecial())
            FEncerra->Texto = cpf ? QStringLiteral("Espólio / Saída definitiva do país") : QStringLiteral("Extinção");
    }
    FTituloNi->Texto = TituloNi(cpf);
    FNi->Texto = declarante.GetNiFormatado();
    FTituloNome->Texto = TituloNome(cpf);
    // A name at its full length in wide capitals passes the margin: smaller, or on two lines, but whole.
    FNome->Preenche(declarante.Nome().GetTexto());
}

void TCabecalhoRelato::IniciaFundo(const TDeclaranteAnexo& Fundo)
{
    FNoFundo = true;
    FCnpjFundo = Fundo.GetNiFormatado();
    FNomeFundo = Fundo.Nome().GetTexto();
}

void TCabecalhoRelato::SaiDoFundo()
{
    FNoFundo = false;
    FCnpjFundo.clear();
    FNomeFundo.clear();
}

void TCabecalhoRelato::MostraFundo()
{
    for (TRotulo* r : FFundo)
        r->Habilitado = FNoFundo;
    if (FRotuloCnpjFundo != nullptr) {
        FRotuloCnpjFundo->Texto = FCnpjFundo;
        FRotuloNomeFundo->Preenche(FNomeFundo);
    }
}
