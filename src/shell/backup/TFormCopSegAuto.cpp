#include "shell/backup/TFormCopSegAuto.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "model/values/PastasPrograma.h"
#include "shell/common/ContextoAjuda.h"
#include "model/values/TArquivoIni.h"
#include "model/values/TErro.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TJanelaVisivel.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "shell/common/TRegistroPruv.h"

namespace {

TFormCopSegAuto* JanelaAtual = nullptr;

const QString Falhou = QStringLiteral("A cópia de segurança automática falhou.");

// The failure and, on a line of its own, why; the previous backup is untouched.
QString TextoFalha(const QString& motivo)
{
    if (motivo.isEmpty())
        return Falhou;
    return Falhou + QStringLiteral("\n\nMotivo: ") + motivo + QLatin1Char('.');
}

}   // namespace

TFormCopSegAuto::TFormCopSegAuto(QWidget* Dono)
    : QDialog(Dono, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FormCopSegAuto"));
    DefineHelpContext(*this, HelpContext);
    setWindowTitle(QStringLiteral("Cópia de Segurança Automática"));
    setFixedSize(LarguraCliente, AlturaCliente);

    LbDiretorio = new QLabel(QStringLiteral("Gravando em ..."), this);
    LbDiretorio->setObjectName(QStringLiteral("LbDiretorio"));
    GaugeTotal = new QProgressBar(this);
    GaugeTotal->setObjectName(QStringLiteral("GaugeTotal"));
    GaugeTotal->setFixedSize(414, 24);
    GaugeTotal->setRange(0, 100);
    GaugeTotal->setValue(0);
    BotaoCancelar = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("&Cancelar"),
                                    this);
    BotaoCancelar->setObjectName(QStringLiteral("BotaoCancelar"));
    BotaoCancelar->setFixedSize(90, 25);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->addWidget(LbDiretorio);
    layout->addWidget(GaugeTotal);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(BotaoCancelar);
    botoes->addStretch();
    layout->addLayout(botoes);

    connect(BotaoCancelar, &QPushButton::clicked, this, &TFormCopSegAuto::BotaoCancelarClick);
    JanelaAtual = this;
}

TFormCopSegAuto::~TFormCopSegAuto()
{
    if (JanelaAtual == this)
        JanelaAtual = nullptr;
}

TFormCopSegAuto* TFormCopSegAuto::Instancia()
{
    return JanelaAtual;
}

void TFormCopSegAuto::Executa(QWidget* Dono)
{
    TFormCopSegAuto janela(Dono);
    FazCopiaAutomatica(janela);
}

void TFormCopSegAuto::BotaoCancelarClick()
{
    CancelarCompressao();
}

void TFormCopSegAuto::reject()
{
    BotaoCancelarClick();
}

void TFormCopSegAuto::showEvent(QShowEvent* Evento)
{
    if (const QWidget* dono = parentWidget())
        move(dono->frameGeometry().center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    QDialog::showEvent(Evento);
}

QString PastaCopiaAutomatica()
{
    return RetiraBarraFinal(TArquivoIni::LeString(QStringLiteral("Copia de Seguranca"), QStringLiteral("DirCsDefault"),
                                                  DiretorioPrograma() + QStringLiteral("/CopSeg")));
}

void FazCopiaAutomatica(TFormCopSegAuto& Janela)
{
    const QString pasta = PastaCopiaAutomatica();
    Janela.LbDiretorio->setText(QStringLiteral("Gravando em ") + pasta + QStringLiteral("..."));
    Janela.GaugeTotal->setRange(0, 100);
    Janela.GaugeTotal->setValue(0);
    // Painted before the packing holds the thread.
    TJanelaVisivel::Mostra(Janela);
    InterfaceUsuario::Atividade().MantemVivo();

    QString motivo;
    const int resultado = GravaCopiaDeSeguranca(pasta + QLatin1Char('/') + QLatin1String(NomeCopiaAutomatica),
                                                ProgressoCopiaAutomatica, &motivo);
    if (resultado == ResultadoCompressao::Cancelado)
        return;   // asked for: nothing to say
    if (resultado != ResultadoCompressao::Ok) {
        // The progress window stays on top of every other: the message would open beneath it.
        Janela.hide();
        InterfaceUsuario::Mostra(TextoFalha(motivo), TipoDialogo::Personalizado, Botao::Ok);
        return;
    }
    try {
        TRegistroPruv::GravaString(QLatin1String(TRegistroPruv::DirCsDefault), pasta);
    } catch (const TErro& e) {
        e.Exibe();
    }
}

void ProgressoCopiaAutomatica(int Percentual)
{
    if (TFormCopSegAuto* janela = TFormCopSegAuto::Instancia(); janela && janela->GaugeTotal->value() != Percentual) {
        janela->GaugeTotal->setValue(Percentual);
        TJanelaVisivel::Repinta(*janela->GaugeTotal);
    }
    InterfaceUsuario::Atividade().MantemVivo();
}
