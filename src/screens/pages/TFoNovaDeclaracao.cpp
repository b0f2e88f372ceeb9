#include "screens/pages/TFoNovaDeclaracao.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "components/controls/combos/TdvDBComboBox.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "shell/common/ContextoAjuda.h"
#include "shell/common/FocaPrimeiro.h"
#include "model/people/TNi.h"
#include "model/values/TErro.h"
#include "screens/edits/TPruvEdit.h"
#include "shell/assistant/BotoesDialogo.h"
#include "shell/common/ExcecaoAplicacao.h"

namespace {

// The years a declaration may have, newest first; a new one is of the second.
const QStringList Anos = {QStringLiteral("2003"), QStringLiteral("2002"), QStringLiteral("2001"),
                          QStringLiteral("2000"), QStringLiteral("1999"), QStringLiteral("1998"),
                          QStringLiteral("1997")};

QLabel* Rotulo(QWidget* pai, const char* texto, const QRect& r)
{
    auto* rotulo = new QLabel(QString::fromUtf8(texto), pai);
    rotulo->setGeometry(r);
    return rotulo;
}

}   // namespace

TFoNovaDeclaracao::TFoNovaDeclaracao(TPruv& Declaracao, TColecaoPruv& Colecao, QWidget* Dono)
    : TDialogoPrincipal("FoNovaDeclaracao", 422, 167, HelpContext, Dono)
    , Pruv(Declaracao)
    , ColecaoPruv(Colecao)
{
    setWindowTitle(QStringLiteral("Nova Declaração"));

    auto* grupo = new QGroupBox(this);
    grupo->setGeometry(8, 4, 406, 118);
    Rotulo(grupo, "CPF/CNPJ:", QRect(12, 16, 150, 16));
    DeCpfCnpj = new TPruvEdit(grupo);
    DeCpfCnpj->setObjectName(QStringLiteral("DeCpfCnpj"));
    DeCpfCnpj->SetMaxLength(14);
    DeCpfCnpj->SetTipoDeDado(TTipoDeDado::ApenasNumeros);
    DeCpfCnpj->setGeometry(12, 34, 150, 21);
    Rotulo(grupo, "Ano-calendário:", QRect(180, 16, 120, 16));
    CbAnoRet = new TdvDBComboBox(grupo);
    CbAnoRet->setObjectName(QStringLiteral("CbAnoRet"));
    CbAnoRet->SetStyle(TComboBoxStyle::csDropDownList);
    CbAnoRet->SetItems(Anos);
    CbAnoRet->setGeometry(180, 34, 90, 21);
    Rotulo(grupo, "Nome/Nome Empresarial:", QRect(12, 62, 200, 16));
    DeNome = new TPruvEdit(grupo);
    DeNome->setObjectName(QStringLiteral("DeNome"));
    DeNome->SetMaxLength(60);
    DeNome->setGeometry(12, 80, 382, 21);

    const TBotoesDialogo botoes = CriaBotoesDialogo(*this, "BbOk", "BbCancel", HelpContext);
    BbOk = botoes.Ok;
    BbCancel = botoes.Cancela;
    HelpBtn = botoes.Ajuda;
    for (QWidget* controle : findChildren<QWidget*>())
        DefineHelpContext(*controle, HelpContext);

    connect(BbOk, &QPushButton::clicked, this, [this] { ExcecaoAplicacao::Protege([this] { BbOkClick(); }); });
    CbAnoRet->OnChange = [this] { ExcecaoAplicacao::Protege([this] { CbAnoRetChange(); }); };
    CbAnoRet->OnCloseUp = [this](TdvDBCustomComboBox*, bool escolheu) {
        if (escolheu)
            ExcecaoAplicacao::Protege([this] { CbAnoRetCloseUp(); });
    };
    DeCpfCnpj->OnExit = [this] { ExcecaoAplicacao::Protege([this] { DeCpfCnpjExit(); }); };

    Pruv.Limpa();
    Pruv.SetChave(QString());
    DeCpfCnpj->SetDado(&Pruv.GetDeclarante());
    DeNome->SetDado(&Pruv.GetDeclarante().Nome());
}

TFoNovaDeclaracao::~TFoNovaDeclaracao() = default;

void TFoNovaDeclaracao::AoMostrar()
{
    CbAnoRet->SetItemIndex(1);   // "2002"
    DeCpfCnpj->setFocus();
}

void TFoNovaDeclaracao::CbAnoRetChange()
{
    if (QApplication::focusWidget() == BbCancel || CbAnoRet->ItemIndex() < 0)
        return;
    try {
        Pruv.SetAno(CbAnoRet->Text());
    } catch (const TErro& e) {
        e.Exibe();
    }
    CbAnoRetCloseUp();
}

void TFoNovaDeclaracao::CbAnoRetCloseUp()
{
    // However "2003" was reached (the list, an arrow, a typed digit) the warning comes once,
    // until another year is chosen.
    const bool ano2003 = CbAnoRet->Text() == QLatin1String("2003");
    if (ano2003 && !FAvisou2003) {
        FAvisou2003 = true;
        TErro(CodigoMensagem::AnoExigeSituacaoEspecial, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
    }
    FAvisou2003 = ano2003;
}

void TFoNovaDeclaracao::DeCpfCnpjExit()
{
    // A name that another number lent, and that nobody changed since, goes with that number.
    TNomeContribuinte& nome = Pruv.GetDeclarante().Nome();
    if (!FNomeEmprestado.isEmpty() && nome.GetTexto() == FNomeEmprestado && DeCpfCnpj->Text() != FNiQueEmprestou)
        nome.SetNomeSemExcecao(QString());
    const bool semNome = nome.GetTexto().isEmpty();
    Pruv.SetChave(QString());
    ColecaoPruv.Localiza(Pruv);
    if (semNome && !nome.GetTexto().isEmpty()) {
        FNomeEmprestado = nome.GetTexto();
        FNiQueEmprestou = DeCpfCnpj->Text();
        DeNome->MarcaEmprestado();
    }
}

bool TFoNovaDeclaracao::Atribui(QWidget* Controle, const std::function<void()>& Atribuicao)
{
    try {
        Atribuicao();
        return true;
    } catch (const TErro& e) {
        e.Exibe();
        FocaPrimeiro(Controle, nullptr, nullptr, nullptr);
        return false;
    }
}

void TFoNovaDeclaracao::BbOkClick()
{
    if (DeNome->Text().trimmed().isEmpty()) {
        FocaPrimeiro(DeNome, nullptr, nullptr, nullptr);
        return;
    }
    Pruv.TPruvAnexo::GetResumo().Zera();
    Pruv.GetResumo().Zera();
    TContribuinte& declarante = Pruv.GetDeclarante();
    if (!Atribui(DeCpfCnpj, [&] { declarante.SetNi(DeCpfCnpj->Text()); })
        || !Atribui(CbAnoRet, [&] { Pruv.SetAno(CbAnoRet->Text()); })
        || !Atribui(DeNome, [&] { declarante.Nome().SetTexto(DeNome->Text()); }))
        return;
    // From 1999 on only the head office of a private-law company declares.
    if (Pruv.GetAno() >= QLatin1String("1999") && declarante.TipoAtual() == TNiContribuinte::Cnpj
        && ObtemOrdemCnpj(declarante.GetNi(), false) != QLatin1String("0001")
        && TErro(CodigoMensagem::PessoaJuridicaPrivada, QString(), TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao, 0)
                .Exibe()
            == Resposta::Sim) {
        TErro(CodigoMensagem::SoEstabelecimentoMatriz, QString(), TipoDialogo::Informacao, Botao::Ok, 0).Exibe();
        FocaPrimeiro(DeCpfCnpj, nullptr, nullptr, nullptr);
        return;
    }
    Pruv.SetChave(QString());
    if (!Atribui(DeCpfCnpj, [this] { ColecaoPruv.Inclui(Pruv); }))
        return;
    accept();
}

bool NovaDeclaracao(TPruv& Pruv, TColecaoPruv& Colecao, QWidget* Dono)
{
    TFoNovaDeclaracao dialogo(Pruv, Colecao, Dono);
    return dialogo.exec() == QDialog::Accepted;
}
