#include "shell/declarations/TFoIndexa.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "model/schema/ReorganizaTabelas.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/TErro.h"
#include "shell/common/ContextoAjuda.h"
#include "shell/common/FocaPrimeiro.h"
#include "platform/ui/TProgressoQt.h"
#include "shell/assistant/TFormAssist.h"
#include "platform/widgets/windows/TMinimoDoProjeto.h"

TFoIndexa::TFoIndexa(QWidget* Pai, const QString& ArquivoIndices)
    : QDialog(Pai)
    , FArquivoIndices(ArquivoIndices)
{
    setObjectName(QStringLiteral("FoIndexa"));
    setWindowTitle(QStringLiteral("Pruv 2003 - Reorganização das Tabelas de Dados"));
    DefineHelpContext(*this, HelpContext);

    auto* explicacao = new QLabel(
        QStringLiteral("A reorganização das tabelas de dados tem como objetivo solucionar problemas de acesso aos "
                       "dados de declarações do programa Pruv 2003.  A opção Limpar exclusões pode liberar "
                       "espaço em disco, mas torna o processo mais lento."),
        this);
    explicacao->setObjectName(QStringLiteral("Label1"));
    explicacao->setWordWrap(true);
    CbLimparExclusoes = new QCheckBox(QStringLiteral("Limpar exclusões"), this);
    CbLimparExclusoes->setObjectName(QStringLiteral("CbLimparExclusoes"));
    LbProgresso = new QLabel(this);
    LbProgresso->setObjectName(QStringLiteral("LbProgresso"));
    Gauge = new QProgressBar(this);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setRange(0, 100);
    Gauge->setValue(0);
    BbReorganizar = new QPushButton(QStringLiteral("&Reorganizar"), this);
    BbReorganizar->setObjectName(QStringLiteral("BbReorganizar"));
    BbFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    BbFechar->setObjectName(QStringLiteral("BbFechar"));

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(BbReorganizar);
    botoes->addWidget(BbFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explicacao);
    layout->addWidget(CbLimparExclusoes);
    layout->addWidget(LbProgresso);
    layout->addWidget(Gauge);
    layout->addLayout(botoes);
    // Wide enough for the title bar to show the whole caption.
    setMinimumWidth(std::max(420, TFormAssist::LarguraParaTitulo(windowTitle(), font())));
    new TMinimoDoProjeto(*this);

    connect(BbReorganizar, &QPushButton::clicked, this, &TFoIndexa::BbReorganizarClick);
    connect(BbFechar, &QPushButton::clicked, this, &TFoIndexa::reject);
}

void TFoIndexa::BbReorganizarClick()
{
    if (FReorganizando)
        return;
    FReorganizando = true;
    BbReorganizar->setEnabled(false);
    BbFechar->setEnabled(false);
    try {
        TProgressoQt progresso(Gauge, LbProgresso);
        ReorganizaTabelas(progresso, CbLimparExclusoes->isChecked(), true, FArquivoIndices);
    } catch (const TErro& e) {
        e.Exibe();
    } catch (const std::exception& e) {
        TErro::MostraMensagem(TextoDaFalha(e), TipoDialogo::Erro, Botao::Ok, 0);
    }
    FReorganizando = false;
    BbReorganizar->setEnabled(true);
    BbFechar->setEnabled(true);
    FocaPrimeiro(BbFechar, nullptr, nullptr, nullptr);
}

void TFoIndexa::reject()
{
    if (!FReorganizando)
        QDialog::reject();
}

void MostraReorganizacao(QWidget* Dono)
{
    TFoIndexa janela(Dono);
    janela.exec();
}
