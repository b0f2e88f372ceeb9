#include "screens/pages/TFrInformacoesPruv.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "components/controls/combos/TdvDBComboBox.h"
#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "components/data/datasets/TdvTable.h"
#include "model/storage/OperacoesTabela.h"
#include "model/people/TColecaoResponsavel.h"
#include "platform/widgets/keyboard/TOrdemTab.h"
#include "platform/db/datasets/TField.h"
#include "screens/edits/TPruvEdit.h"
#include "screens/fields/TSaidaDeCampo.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/values/TErro.h"
#include "model/people/TNi.h"
#include "model/declaration/TPruv.h"
#include "model/values/TratamentoTexto.h"
#include "shell/common/ComboNaturezas.h"
#include "shell/common/FocaPrimeiro.h"
#include "shell/common/TituloJanela.h"
#include "screens/pages/TFrDeclaracao.h"
#include "shell/common/ExcecaoAplicacao.h"

namespace {

constexpr int LarguraPagina = 628;

// The design's distances, at 96 pixels per inch, scaled to the screen.
class TEscala {
public:
    explicit TEscala(const QWidget& w)
        : FFator(w.logicalDpiY() / 96.0)
    {}
    [[nodiscard]] int operator()(int medida) const { return qRound(medida * FFator); }
    void Posiciona(QWidget* w, int esquerda, int topo, int largura, int altura) const
    {
        w->setGeometry((*this)(esquerda), (*this)(topo), (*this)(largura), (*this)(altura));
    }

private:
    double FFator;
};

QLabel* Rotulo(QWidget* pai, const char* nome, const char* texto, int esquerda, int topo)
{
    auto* rotulo = new QLabel(QString::fromUtf8(texto), pai);
    rotulo->setObjectName(QLatin1String(nome));
    const TEscala escala(*pai);
    rotulo->move(escala(esquerda), escala(topo));
    rotulo->adjustSize();
    return rotulo;
}

QGroupBox* Grupo(QWidget* pai, const char* nome, const char* legenda)
{
    auto* grupo = new QGroupBox(QString::fromUtf8(legenda), pai);
    grupo->setObjectName(QLatin1String(nome));
    return grupo;
}

QRadioButton* Opcao(QGroupBox* grupo, const char* nome, const char* legenda, int esquerda, bool marcada)
{
    auto* opcao = new QRadioButton(QString::fromUtf8(legenda), grupo);
    opcao->setObjectName(QLatin1String(nome));
    TEscala(*grupo).Posiciona(opcao, esquerda, 30, 60, 20);
    opcao->setChecked(marcada);
    return opcao;
}

TPruvEdit* Edit(QWidget* pai, const char* nome, TTipoDeDado tipo, int tamanho, const QRect& r)
{
    auto* edit = new TPruvEdit(pai);
    edit->setObjectName(QLatin1String(nome));
    edit->SetTipoDeDado(tipo);
    edit->SetMaxLength(tamanho);
    edit->SetAutoAvanco(true);
    TEscala(*pai).Posiciona(edit, r.x(), r.y(), r.width(), r.height());
    return edit;
}

// Messages of the page: information or warning with OK, or a Yes/No question.
void Informa(std::uint8_t codigo, const QString& parametro = QString(), TipoDialogo tipo = TipoDialogo::Informacao)
{
    TErro(codigo, parametro, tipo, Botao::Ok, 0).Exibe();
}

bool Confirma(std::uint8_t codigo)
{
    return TErro(codigo, QString(), TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao, 0).Exibe() == Resposta::Sim;
}

}   // namespace

// The combo lists the available natures that have a description, in order.
TNatureza* TFrInformacoesPruv::NaturezaDoCombo(int Indice) const
{
    int listada = -1;
    for (TNatureza* natureza : FPruv->GetNaturezas().GetDisponiveis())
        if (!natureza->GetDescricao().trimmed().isEmpty() && ++listada == Indice)
            return natureza;
    return nullptr;
}

int TFrInformacoesPruv::IndiceNoCombo(const TNatureza& Natureza) const
{
    for (int i = 0; TNatureza* natureza = NaturezaDoCombo(i); ++i)
        if (natureza == &Natureza)
            return i;
    return -1;
}

TFrInformacoesPruv::TFrInformacoesPruv(QWidget* pai)
    : QWidget(pai)
{
    CriaComponentes();
    connect(qApp, &QApplication::focusChanged, this, &TFrInformacoesPruv::FocoMudou);
}

TFrInformacoesPruv::~TFrInformacoesPruv()
{
    // The children leave the focus as QWidget's destructor deletes them, when this frame is no
    // longer one: the slot must not be called then.
    disconnect(qApp, &QApplication::focusChanged, this, &TFrInformacoesPruv::FocoMudou);
    for (TPruvEdit* edit : Edits())
        edit->SetDado(nullptr);
}

std::array<TPruvEdit*, 9> TFrInformacoesPruv::Edits() const
{
    return {DeCpfCnpj, DeNome, DeRespNoCnpj, DeNomeResp, DeDDD, DeTelefone, DeRamal, DeFax, DeEmail};
}

void TFrInformacoesPruv::CriaComponentes()
{
    TbResponsavel = CriaTabela(TColecaoResponsavel::NomeArquivo());
    TbResponsavel->AddField(std::make_unique<TField>(ftString, QStringLiteral("CPF"), 14, fkCalculated));
    TdvTable* tabela = TbResponsavel.get();
    TbResponsavel->OnCalcFields = [tabela](TDataSet*) {
        const QString raiz = tabela->FieldByName(QStringLiteral("NR_PF"))->AsString().trimmed();
        tabela->FieldByName(QStringLiteral("CPF"))->SetAsString(FormataCpf(raiz + CalculaDVCpf(raiz)));
    };

    PnInformacoes = new QWidget(this);
    PnInformacoes->setObjectName(QStringLiteral("PnInformacoes"));
    PnInformacoes->hide();
    const TEscala escala(*this);
    PnInformacoes->setGeometry(0, 0, escala(LarguraPagina), escala(360));
    setMinimumSize(PnInformacoes->size());

    GbIdentificacao = Grupo(PnInformacoes, "GbIdentificacao", "Identificação do Declarante");
    LbCpfCgc = Rotulo(GbIdentificacao, "LbCpfCgc", "CNPJ", 10, 22);
    LbNomeRazaoS = Rotulo(GbIdentificacao, "LbNomeRazaoS", "Nome Empresarial", 160, 22);
    LbTipoDeclar = Rotulo(GbIdentificacao, "LbTipoDeclar", "Natureza do Declarante", 10, 64);
    using D = TTipoDeDado;
    DeCpfCnpj = Edit(GbIdentificacao, "DeCpfCnpj", D::ApenasNumeros, 14, QRect(10, 38, 140, 21));
    DeCpfCnpj->SetReadOnly(true);
    DeCpfCnpj->SetAutoAvanco(false);
    DeNome = Edit(GbIdentificacao, "DeNome", D::AlfaNumerico, 60, QRect(160, 38, 440, 21));
    DeNome->OnExit = [this] {
        TSaidaDeCampo::SePaginaAberta(Aberta(), [this] {
            const TContribuinte& declarante = FPruv->GetDeclarante();
            AtualizaTitulo(declarante.Nome().GetTexto(), ObtemOrdemCnpj(declarante.GetNi(), false));
        });
    };
    CbTipoDeclarante = new TdvDBComboBox(GbIdentificacao);
    CbTipoDeclarante->setObjectName(QStringLiteral("CbTipoDeclarante"));
    CbTipoDeclarante->SetStyle(TComboBoxStyle::csDropDownList);
    CbTipoDeclarante->AutoDropDown = true;
    CbTipoDeclarante->DropDownCount = 8;
    escala.Posiciona(CbTipoDeclarante, 10, 80, 590, 21);
    CbTipoDeclarante->OnChange = [this] { ExcecaoAplicacao::Protege([this] { CbTipoDeclaranteChange(); }); };
    CbTipoDeclarante->OnKeyPress = [this](QChar& tecla) {
        if (tecla == QChar(13))
            FocaPrimeiro(DeRespNoCnpj, nullptr, nullptr, nullptr);
    };

    GbResponsavel = Grupo(PnInformacoes, "GbResponsavel", "Responsável pelo Preenchimento da Declaração");
    Rotulo(GbResponsavel, "LbCpfResp", "CPF", 10, 22);
    Rotulo(GbResponsavel, "LbNomeResp", "Nome", 150, 22);
    Rotulo(GbResponsavel, "LbDDD", "DDD", 10, 64);
    Rotulo(GbResponsavel, "LbTelefone", "Telefone", 65, 64);
    Rotulo(GbResponsavel, "LbRamal", "Ramal", 155, 64);
    Rotulo(GbResponsavel, "LbFax", "Fax", 225, 64);
    Rotulo(GbResponsavel, "LbEmail", "Correio Eletrônico", 315, 64);
    DblcResponsavel = new TdvDBLookupCombo(GbResponsavel);
    DblcResponsavel->setObjectName(QStringLiteral("DblcResponsavel"));
    escala.Posiciona(DblcResponsavel, 10, 38, 130, 21);
    DblcResponsavel->setToolTip(QStringLiteral("CPF do Responsável pelo preenchimento da declaração."));
    DblcResponsavel->SetLookupTable(TbResponsavel.get());
    DblcResponsavel->SetLookupField(QStringLiteral("NR_PF"));
    DblcResponsavel->SetSelected({QStringLiteral("CPF\t14\tCPF"), QStringLiteral("NM_RESP\t44\tNome")});
    DblcResponsavel->SetMaxLength(14);   // the CPF shows masked
    // A CPF not yet stored is a new person.
    DblcResponsavel->OnNotInList = [](TdvDBCustomLookupCombo*, TDataSet*, const QString&, bool& aceita) {
        aceita = true;
    };
    DblcResponsavel->OnExit = [this] { TSaidaDeCampo::SePaginaAberta(Aberta(), [this] { DblcResponsavelEscolha(); }); };
    DblcResponsavel->OnCloseUp = [this](TdvDBCustomLookupCombo*, TDataSet*, TDataSet*, bool) {
        TSaidaDeCampo::SePaginaAberta(Aberta(), [this] { DblcResponsavelEscolha(); });
    };
    DblcResponsavel->OnDropDown = [this](TdvDBCustomLookupCombo*) {
        const QString raiz = RemoveMascara(DblcResponsavel->Text()).left(9);
        if (!raiz.isEmpty())
            TbResponsavel->Locate(QStringLiteral("NR_PF"), {raiz}, 0);
    };
    DblcResponsavel->OnKeyPress = [this](QChar& tecla) {
        constexpr char16_t CtrlC = 3, Backspace = 8, Tab = 9, AvancoLinha = 10, Enter = 13, CtrlV = 22;
        const char16_t c = tecla.unicode();
        if (c == Enter) {
            tecla = QChar();
            FocaPrimeiro(DeNomeResp, nullptr, nullptr, nullptr);
        } else if (!tecla.isDigit() && c != Backspace && c != Tab && c != AvancoLinha && c != CtrlC && c != CtrlV) {
            tecla = QChar();
        }
    };
    DblcResponsavel->OnChange = [this] {
        if (!SoNumerosESinais(DblcResponsavel->Text()))
            DblcResponsavel->SetText(QString());
    };
    DeNomeResp = Edit(GbResponsavel, "DeNomeResp", D::AlfaNumerico, 60, QRect(150, 38, 450, 21));
    DeDDD = Edit(GbResponsavel, "DeDDD", D::ApenasNumeros, 4, QRect(10, 82, 45, 21));
    DeTelefone = Edit(GbResponsavel, "DeTelefone", D::ApenasNumeros, 8, QRect(65, 82, 80, 21));
    DeRamal = Edit(GbResponsavel, "DeRamal", D::ApenasNumeros, 6, QRect(155, 82, 60, 21));
    DeFax = Edit(GbResponsavel, "DeFax", D::ApenasNumeros, 8, QRect(225, 82, 80, 21));
    DeEmail = Edit(GbResponsavel, "DeEmail", D::AlfaNumerico, 50, QRect(315, 82, 285, 21));
    DeEmail->SetAutoAvanco(false);
    DeEmail->OnPressEnter = [this](TPruvCustomEdit*) { FocaPrimeiro(DeNome, nullptr, nullptr, nullptr); };
    // The person's data wait for its CPF.
    for (TPruvEdit* edit : {DeNomeResp, DeDDD, DeTelefone, DeRamal, DeFax, DeEmail})
        edit->OnEnter = [this] {
            if (FPruv && FPruv->GetResponsavel().GetNi().isEmpty())
                QMetaObject::invokeMethod(
                    this, [this] { FocaPrimeiro(DblcResponsavel, nullptr, nullptr, nullptr); }, Qt::QueuedConnection);
        };

    GbRetificadora = Grupo(PnInformacoes, "GbRetificadora", "Esta declaração é retificadora ?");
    RbSimRetificadora = Opcao(GbRetificadora, "RbSimRetificadora", "Sim", 15, false);
    RbSimRetificadora->setToolTip(
        QStringLiteral("Assinale \"Sim\" quando desejar corrigir a declaração entregue anteriormente"));
    RbNaoRetificadora = Opcao(GbRetificadora, "RbNaoRetificadora", "Não", 85, true);
    RbNaoRetificadora->setToolTip(QStringLiteral("Assinale \"Não\" para entrega da primeira declaração"));
    for (QRadioButton* opcao : {RbSimRetificadora, RbNaoRetificadora})
        connect(opcao, &QRadioButton::toggled, this, [this](bool marcada) {
            if (marcada)
                ExcecaoAplicacao::Protege([this] { RetificadoraClick(); });
        });

    GbResponsavelCnpj = Grupo(PnInformacoes, "GbResponsavelCnpj", "Responsável perante o CNPJ");
    Rotulo(GbResponsavelCnpj, "LbRespNoCnpj", "CPF", 10, 22);
    DeRespNoCnpj = Edit(GbResponsavelCnpj, "DeRespNoCnpj", D::ApenasNumeros, 11, QRect(10, 38, 110, 21));

    GbSitEspecial = Grupo(PnInformacoes, "GbSitEspecial", "");
    RbSimEncerramento = Opcao(GbSitEspecial, "RbSimEncerramento", "Sim", 15, false);
    RbNaoEncerramento = Opcao(GbSitEspecial, "RbNaoEncerramento", "Não", 85, true);
    for (QRadioButton* opcao : {RbSimEncerramento, RbNaoEncerramento})
        connect(opcao, &QRadioButton::toggled, this, [this](bool marcada) {
            if (marcada)
                ExcecaoAplicacao::Protege([this] { EncerramentoClick(); });
        });
}

TFrInformacoesPruv::TDisposicao TFrInformacoesPruv::Disposicao(bool Cnpj, const QString& Ano)
{
    TDisposicao d{};
    d.Natureza = Cnpj && Ano >= QLatin1String("1998");
    d.AlturaIdentificacao = d.Natureza ? 125 : 85;
    d.TopoResponsavel = d.Natureza ? 224 : 217;
    d.TopoRetificadora = d.Natureza ? 146 : 120;
    d.ResponsavelCnpj = Cnpj;
    return d;
}

void TFrInformacoesPruv::Dispoe(bool cnpj, const QString& ano)
{
    constexpr int Esquerda = 8;
    constexpr int Largura = LarguraPagina - 2 * Esquerda;
    constexpr int AlturaPergunta = 66;
    constexpr int LarguraRetificadora = 175;
    constexpr int LarguraRespCnpj = 170;
    const TDisposicao d = Disposicao(cnpj, ano);
    const TEscala escala(*this);
    LbTipoDeclar->setVisible(d.Natureza);
    CbTipoDeclarante->setVisible(d.Natureza);
    escala.Posiciona(GbIdentificacao, Esquerda, 6, Largura, d.AlturaIdentificacao);
    escala.Posiciona(GbResponsavel, Esquerda, d.TopoResponsavel, Largura, 110);
    escala.Posiciona(GbRetificadora, Esquerda, d.TopoRetificadora, LarguraRetificadora, AlturaPergunta);
    const int esquerdaSit = Esquerda + LarguraRetificadora + 8;
    const int esquerdaRespCnpj = Esquerda + Largura - LarguraRespCnpj;
    escala.Posiciona(GbResponsavelCnpj, esquerdaRespCnpj, d.TopoRetificadora, LarguraRespCnpj, AlturaPergunta);
    GbResponsavelCnpj->setVisible(d.ResponsavelCnpj);
    // The special situation ends 15 before the CNPJ's responsible, or 10 before the page's edge.
    const int direitaSit = d.ResponsavelCnpj ? esquerdaRespCnpj - 15 : LarguraPagina - 10;
    escala.Posiciona(GbSitEspecial, esquerdaSit, d.TopoRetificadora, direitaSit - esquerdaSit, AlturaPergunta);
    if (cnpj) {
        GbSitEspecial->setTitle(QStringLiteral("Esta declaração é de extinção ?"));
        RbSimEncerramento->setToolTip(
            QStringLiteral("Assinale \"Sim\" quando a empresa estiver enquadrada nos casos de extinção"));
        RbNaoEncerramento->setToolTip(
            QStringLiteral("Assinale \"Não\" quando a empresa não estiver enquadrada nos casos de extinção"));
    } else {
        GbSitEspecial->setTitle(
            QStringLiteral("Esta declaração é de encerramento de espólio/saída definitiva do país ?"));
        RbSimEncerramento->setToolTip(
            QStringLiteral("Assinale \"Sim\" quando estiver enquadrado nos casos "
                           "decorrentes de saída definitiva do país ou encerramento de espólio"));
        RbNaoEncerramento->setToolTip(
            QStringLiteral("Assinale \"Não\" quando não estiver enquadrado nos casos "
                           "decorrentes de saída definitiva do país ou encerramento de espólio"));
    }
    LbCpfCgc->setText(cnpj ? QStringLiteral("CNPJ") : QStringLiteral("CPF"));
    LbNomeRazaoS->setText(cnpj ? QStringLiteral("Nome Empresarial") : QStringLiteral("Nome"));
    LbCpfCgc->adjustSize();
    LbNomeRazaoS->adjustSize();
    // The groups move with the declarant: Tab reads them as they now stand.
    TOrdemTab::PelaTela(*this);
}

bool TFrInformacoesPruv::Cnpj() const
{
    return FPruv && FPruv->GetDeclarante().TipoAtual() == TNiContribuinte::Cnpj;
}

bool TFrInformacoesPruv::AnoSeguinte() const
{
    return FPruv && FPruv->GetAno() == QString::number(FPruv->GetAnoAtual().toInt() + 1);
}

void TFrInformacoesPruv::Abre(TFrDeclaracao& Frame)
{
    FAberto = false;
    AbreTabela(*TbResponsavel);
    FFrame = &Frame;
    Dispoe(Cnpj(), FPruv->GetAno());
    PnInformacoes->show();
    DeCpfCnpj->SetDado(&FPruv->GetDeclarante());
    DeNome->SetDado(&FPruv->GetDeclarante().Nome());
    DeRespNoCnpj->SetDado(&FPruv->GetRespCnpj());
    AssociaResponsavel();

    PreencheCombo(*CbTipoDeclarante, FPruv->GetNaturezas());
    FIndiceNatureza = IndiceNoCombo(FPruv->GetNatureza());
    CbTipoDeclarante->SetItemIndex(FIndiceNatureza);
    Frame.MostraFundos(FPruv->GetNatureza().GetCodigo() == TPruv::CodigoAdministradora);

    // An exclusive pair changes by checking the other button.
    (FPruv->GetTipoDeclaracao() == QLatin1String("R") ? RbSimRetificadora : RbNaoRetificadora)->setChecked(true);
    (FPruv->GetSituacaoEspecial() || AnoSeguinte() ? RbSimEncerramento : RbNaoEncerramento)->setChecked(true);
    FAberto = true;
}

void TFrInformacoesPruv::Fecha()
{
    FAberto = false;
    for (TPruvEdit* edit : Edits())
        edit->SetDado(nullptr);
    PnInformacoes->hide();
    FechaTabela(*TbResponsavel);
    // The main window frees the declaration next.
    FPruv = nullptr;
    FColecaoPruv = nullptr;
}

bool TFrInformacoesPruv::Valida()
{
    if (!FPruv || !FColecaoPruv)
        return false;
    GravaDeclaracao();
    return true;
}

void TFrInformacoesPruv::GravaDeclaracao()
{
    if (!Aberta() || !FColecaoPruv || !TbResponsavel->Active())
        return;
    FColecaoPruv->Atualiza(*FPruv);
    TbResponsavel->Refresh();
    AssociaResponsavel();
}

void TFrInformacoesPruv::AssociaResponsavel()
{
    TResponsavel& responsavel = FPruv->GetResponsavel();
    DblcResponsavel->SetShowButton(!TbResponsavel->IsEmpty());
    DblcResponsavel->SetText(responsavel.GetNiFormatado());
    if (!responsavel.GetNi().isEmpty())
        TbResponsavel->Locate(QStringLiteral("NR_PF"), {responsavel.GetRaiz()}, 0);
    DeNomeResp->SetDado(&responsavel.Nome());
    DeDDD->SetDado(&responsavel.Fone().DDD());
    DeTelefone->SetDado(&responsavel.Fone().Numero());
    DeRamal->SetDado(&responsavel.Fone().Ramal());
    DeFax->SetDado(&responsavel.Fax().Numero());
    responsavel.Email().SetPermiteVazio(true);
    DeEmail->SetDado(&responsavel.Email());
}

void TFrInformacoesPruv::DblcResponsavelEscolha()
{
    TResponsavel& responsavel = FPruv->GetResponsavel();
    const QString cpf = RemoveMascara(DblcResponsavel->Text()).trimmed();
    if (cpf != responsavel.GetNi()) {
        GravaDeclaracao();
        try {
            responsavel.SetNi(cpf);
        } catch (const TErro& e) {
            // As a bound field does: the user stays on the CPF typed, told once the focus settled.
            DblcResponsavel->SetText(cpf);
            TSaidaDeCampo::MostraAdiado(e, DblcResponsavel);
            return;
        }
        DblcResponsavel->SetText(responsavel.GetNiFormatado());
        FColecaoPruv->CarregaResponsavel(*FPruv);
        GravaDeclaracao();
    }
    AssociaResponsavel();
}

void TFrInformacoesPruv::FocoMudou(QWidget* Antes, QWidget*)
{
    if (!FAberto || !Antes || !PnInformacoes->isAncestorOf(Antes))
        return;
    // A write-back refused on the way has put the focus back: that is where it is now. Leaving
    // for a button that cancels writes nothing.
    QWidget* agora = QApplication::focusWidget();
    if (TSaidaDeCampo::FocoEmBotaoCancela() || TSaidaDeCampo::MensagemPendente())
        return;
    // The focus going to another window (a message) leaves no group: the field keeps its text.
    if (!agora || agora->window() != Antes->window())
        return;
    ExcecaoAplicacao::Protege([&] {
        if (Antes == DeNomeResp && agora != DeNomeResp) {
            GravaDeclaracao();
            return;
        }
        for (QGroupBox* grupo : {GbIdentificacao, GbResponsavel, GbRetificadora, GbResponsavelCnpj, GbSitEspecial})
            if (grupo->isAncestorOf(Antes) && !(agora && grupo->isAncestorOf(agora))) {
                GravaDeclaracao();
                return;
            }
    });
}

void TFrInformacoesPruv::CbTipoDeclaranteChange()
{
    const int indice = CbTipoDeclarante->ItemIndex();
    if (!FAberto || indice < 0 || indice == FIndiceNatureza)
        return;
    TNatureza* nova = NaturezaDoCombo(indice);
    if (!nova)
        return;
    const bool eraFundos = FPruv->GetNatureza().GetCodigo() == TPruv::CodigoAdministradora;
    const bool ehFundos = nova->GetCodigo() == TPruv::CodigoAdministradora;
    if (eraFundos && !ehFundos) {
        const bool temFundos = FPruv->GetColecaoAnexo().Quantidade() > 0;
        if (temFundos && !Confirma(CodigoMensagem::ConfirmaFundosIndisponiveis)) {
            CbTipoDeclarante->SetItemIndex(FIndiceNatureza);
            return;
        }
        FPruv->SetNatureza(*nova);
        FIndiceNatureza = indice;
        FFrame->MostraFundos(false);
        if (temFundos)
            FPruv->MarcaResumoDesatualizado();
        return;
    }
    if (!eraFundos && ehFundos) {
        if (FPruv->GetColecaoAnexo().Quantidade() == 0) {
            Informa(CodigoMensagem::BeneficiariosDoFundoNaFicha);
        } else {
            Informa(CodigoMensagem::FundosAnterioresIncluidos);
            FPruv->MarcaResumoDesatualizado();
        }
        FPruv->SetNatureza(*nova);
        FIndiceNatureza = indice;
        FFrame->MostraFundos(true);
        return;
    }
    FPruv->SetNatureza(*nova);
    FIndiceNatureza = indice;
}

void TFrInformacoesPruv::RetificadoraClick()
{
    if (!FPruv)
        return;
    if (!RbSimRetificadora->isChecked()) {
        FPruv->SetTipoDeclaracao(QStringLiteral("O"));
        return;
    }
    FPruv->SetTipoDeclaracao(QStringLiteral("R"));
    if (FAberto)
        Informa(FPruv->GetAno() >= QLatin1String("1999") ? CodigoMensagem::RetificadoraSubstituiTudo
                                                         : CodigoMensagem::RetificadoraSoComAlteracoes,
                FPruv->GetAno(), TipoDialogo::Aviso);
}

void TFrInformacoesPruv::EncerramentoClick()
{
    if (!FPruv)
        return;
    if (RbSimEncerramento->isChecked()) {
        FPruv->SetSituacaoEspecial(true);
        return;
    }
    if (!AnoSeguinte()) {
        FPruv->SetSituacaoEspecial(false);
        return;
    }
    // A declaration of the year after the current one is always of a special situation.
    if (FAberto)
        Informa(Cnpj() ? CodigoMensagem::AnoExigeExtincao : CodigoMensagem::AnoExigeEncerramento);
    RbSimEncerramento->setChecked(true);
    FocaPrimeiro(RbSimEncerramento, nullptr, nullptr, nullptr);
}
