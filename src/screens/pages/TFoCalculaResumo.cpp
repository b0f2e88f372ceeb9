#include "screens/pages/TFoCalculaResumo.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <exception>

#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TBombaDeEventos.h"
#include "platform/ui/TProgressoEspacado.h"
#include "platform/ui/TProgressoQt.h"
#include "screens/fields/TSaidaDeCampo.h"
#include "shell/common/ContextoAjuda.h"
#include "shell/common/ExcecaoAplicacao.h"

namespace {

constexpr int Calculado = 1;
constexpr int Cancelado = 2;

// While this modal window computes, every key and click reaches it (Enter, Space or Alt+C on
// Cancelar as well as Esc): its modality already keeps them from the main window, so the walk's
// keep-alive pumps unguarded, as it did when the walk lived here. The busy cursor stays the
// program's.
class TVivaNaJanela final : public IAtividade {
public:
    TVivaNaJanela()
        : FAnterior(InterfaceUsuario::Instala(this))
    {}
    ~TVivaNaJanela() override { InterfaceUsuario::Instala(FAnterior); }
    TVivaNaJanela(const TVivaNaJanela&) = delete;
    TVivaNaJanela& operator=(const TVivaNaJanela&) = delete;

    void IniciaOcupado() override
    {
        if (FAnterior)
            FAnterior->IniciaOcupado();
    }
    void TerminaOcupado() override
    {
        if (FAnterior)
            FAnterior->TerminaOcupado();
    }
    void MantemVivo() override { FBomba.Bombeia(); }

private:
    IAtividade* FAnterior;   // null: nothing was installed, no cursor to show
    TBombaDeEventos FBomba;
};

}   // namespace

TFoCalculaResumo::TFoCalculaResumo(TPruv& Pruv, QWidget* Dono)
    : QDialog(Dono)
    , FRecalculo(Pruv)
{
    setObjectName(QStringLiteral("FoCalculaResumo"));
    DefineHelpContext(*this, HelpContext);
    setWindowTitle(QStringLiteral("Resumo da Declaração"));
    setFixedSize(384, 93);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Gauge = new QProgressBar(this);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setGeometry(27, 14, 329, 24);
    Gauge->setTextVisible(true);
    Gauge->setValue(0);
    QPalette azul = Gauge->palette();
    azul.setColor(QPalette::Highlight, Qt::blue);
    Gauge->setPalette(azul);
    BbCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    BbCancelar->setObjectName(QStringLiteral("BbCancelar"));
    BbCancelar->setGeometry(154, 54, 75, 25);
    BbCancelar->setProperty(TSaidaDeCampo::PropriedadeModalResult, TSaidaDeCampo::mrCancel);
    connect(BbCancelar, &QPushButton::clicked, this, [this] { FRecalculo.Cancela(); });
}

int TFoCalculaResumo::CalculaResumo(TPruv& Pruv, QWidget* Dono)
{
    TFoCalculaResumo janela(Pruv, Dono);
    QTimer::singleShot(100, &janela, [&janela] { janela.Calcula(); });
    const int resultado = janela.exec();
    return resultado == Calculado ? Calculado : Cancelado;
}

void TFoCalculaResumo::reject()
{
    FRecalculo.Cancela();   // Esc: the walk ends at its next step
}

void TFoCalculaResumo::Calcula()
{
    TProgressoQt barra(Gauge);
    // Each redraw of the gauge costs as much as reading hundreds of items: it moves at most every
    // 50 ms, which is as often as anyone sees it move.
    TProgressoEspacado gauge(barra);
    bool calculado = false;
    try {
        TVivaNaJanela viva;
        calculado = FRecalculo.Executa(gauge);
    } catch (...) {
        // Shown over this window, which then closes: with the walk ended, nothing would close it.
        ExcecaoAplicacao::Trata(std::current_exception());
    }
    done(calculado ? Calculado : Cancelado);
}
