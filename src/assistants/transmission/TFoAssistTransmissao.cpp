#include "assistants/transmission/TFoAssistTransmissao.h"

#include <QDir>
#include <QPushButton>
#include <QScopeGuard>

#include "assistants/pages/PaginasAssistente.h"
#include "assistants/pages/RotuloAssistente.h"
#include "assistants/transmission/TFrResultTrans.h"
#include "assistants/pages/TRotuloSitio.h"
#include "model/values/PastasPrograma.h"
#include "shell/common/ContextoAjuda.h"
#include "screens/search/TFrPesquisaDeclaracoes.h"
#include "shell/common/PosicaoAssistente.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/common/TDmGeral.h"

namespace {

const QString Titulo = QStringLiteral("Assistente de Transmissão de Declarações");

TFoAssistTransmissao* Existente = nullptr;

}   // namespace

bool TEstadoTrans::Evento(int codigo)
{
    switch (Pagina()) {
    case 1:
        return Vai(2, codigo == TAssistente::BotaoConcluir);
    case 2:
        return Vai(3, false);
    default:
        return Vai(0, false);
    }
}

TFoAssistTransmissao::TFoAssistTransmissao(QWidget* owner)
    : TFormAssist(owner)
{
    setObjectName(QStringLiteral("FoAssistTransmissao"));
    setWindowTitle(Titulo);
    resize(620, 320);

    FrPesquisaDeclaracoes = new TFrPesquisaDeclaracoes;
    FrPesquisaDeclaracoes->OnChangeSelection = [this](TFrPesquisaDeclaracoes*) {
        FrPesquisaDeclaracoesChangeSelection();
    };
    FrResultTrans = new TFrResultTrans;
    FrResultTrans->setObjectName(QStringLiteral("FrResultTrans"));
    DefinePagina(1, CriaPagina1());
    DefinePagina(2, PaginaDeQuadro("Panel2", FrPesquisaDeclaracoes));
    DefinePagina(3, PaginaDeQuadro("Panel3", FrResultTrans));
    DefineHelpContext(*this, HelpContext);
    for (int n = 1; n <= 3; ++n) {
        DefineHelpContext(*Pagina(n), HelpContext);
        AdicionaEstado(std::make_unique<TEstadoTrans>(*this, n));
    }
    EstadoPrograma::ContextoAjuda = HelpContext;
    Processa();
}

TFoAssistTransmissao::~TFoAssistTransmissao()
{
    FrPesquisaDeclaracoes->Fecha();
    FrResultTrans->Libera();
}

QWidget* TFoAssistTransmissao::CriaPagina1()
{
    LbSite = new TRotuloSitio;
    LbSite->setObjectName(QStringLiteral("LbSite"));
    return PaginaComFigura(
        "Panel1", FiguraDe(TImagem::Transmitir),
        {RotuloAssistente(QStringLiteral("Usar o assistente é fácil. Basta clicar no botão \"Avançar\" e selecionar as "
                                         "declarações a serem enviadas.")),
         RotuloAssistente(QStringLiteral("Se a declaração a ser transmitida estiver em disquete, insira o mesmo na "
                                         "unidade antes de avançar.")),
         RotuloAssistente(
             QStringLiteral("A transmissão da declaração gravada deverá ser realizada através do Ulvaro.   "
                            "Caso este aplicativo não esteja instalado  faça a cópia do programa da página "
                            "da Secretaria Morvex Federal no endereço:")),
         LbSite});
}

void TFoAssistTransmissao::showEvent(QShowEvent* evento)
{
    PosicionaAssistente(*this);
    TFormAssist::showEvent(evento);
}

void TFoAssistTransmissao::MostraPagina(int n)
{
    ExibePagina(n);
    switch (n) {
    case 1:
        DefineBotoes(false, true, true, true);
        MostraFechar(false);
        setWindowTitle(Titulo);
        break;
    case 2:
        DefineBotoes(true, true, true, true);
        MostraFechar(false);
        FocaBotoes();
        break;
    case 3: {
        // With nothing sent the user may go back and choose.
        const bool vazia = FrPesquisaDeclaracoes->ArquivosSelecionados().isEmpty();
        DefineBotoes(vazia, false, true, false);
        MostraFechar(!vazia);
        FocaBotoes();
        break;
    }
    default:
        break;
    }
}

bool TFoAssistTransmissao::ExecutaEtapa(int n)
{
    switch (n) {
    case 2: {
        BtnRetornar->setEnabled(false);
        const auto volta = qScopeGuard([this] { BtnRetornar->setEnabled(true); });
        FrPesquisaDeclaracoes->Abre(FrResultTrans->Arquivos());
        if (FrPesquisaDeclaracoes->QuantidadeSelecionados() == 0) {
            BtnAvancar->setEnabled(false);
            BtnOK->setEnabled(false);
            SetRepetir(false);
            return false;
        }
        return true;
    }
    case 3:
        FrPesquisaDeclaracoes->ArquivosSelecionados();
        FrResultTrans->Transmite();
        return true;
    default:
        return true;
    }
}

void TFoAssistTransmissao::FrPesquisaDeclaracoesChangeSelection()
{
    const bool algum = FrPesquisaDeclaracoes->QuantidadeSelecionados() != 0;
    BtnAvancar->setEnabled(algum);
    BtnOK->setEnabled(algum);
    SetRepetir(algum);
}

void ExecutaAssistTransmissao(QWidget* Dono)
{
    if (Existente)
        return;
    auto assistente = std::make_unique<TFoAssistTransmissao>(Dono);
    Existente = assistente.get();
    const auto esquece = qScopeGuard([] {
        Existente = nullptr;
        QDir::setCurrent(DiretorioPrograma());   // the transmission leaves its program's folder
    });
    assistente->ExibeModal();
}
