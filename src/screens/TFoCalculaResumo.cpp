#include "screens/TFoCalculaResumo.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/declaration/TPruv.h"
#include "model/gui/UtilJanelas.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/items/TPruvItem.h"
#include "platform/ui/TBombaDeEventos.h"
#include "screens/TSaidaDeCampo.h"
#include "shell/window/ExcecaoAplicacao.h"

namespace {

constexpr int Calculado = 1;
constexpr int Cancelado = 2;

}   // namespace

TFoCalculaResumo::TFoCalculaResumo(TPruv& Pruv, QWidget* Dono)
    : QDialog(Dono)
    , FPruv(Pruv)
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
    connect(BbCancelar, &QPushButton::clicked, this, [this] { FCancelado = true; });
}

int TFoCalculaResumo::CalculaResumo(TPruv& Pruv, QWidget* Dono)
{
    TFoCalculaResumo janela(Pruv, Dono);
    QTimer::singleShot(100, &janela, [&janela] { ExcecaoAplicacao::Protege([&janela] { janela.Calcula(); }); });
    const int resultado = janela.exec();
    return resultado == Calculado ? Calculado : Cancelado;
}

void TFoCalculaResumo::reject()
{
    FCancelado = true;   // Esc: the walk ends at its next step
}

void TFoCalculaResumo::Calcula()
{
    TResumo total(nullptr);
    total.Zera();
    TResumo& proprio = static_cast<TPruvAnexo&>(FPruv).GetResumo();
    proprio.Zera();
    Gauge->setValue(0);
    const bool administradora = FPruv.GetNatureza().GetCodigo() == TPruv::CodigoAdministradora;

    int maximo = TColecaoPruvItem(FPruv, FPruv).UltimaChave();
    TColecaoAnexo* anexos = administradora ? &FPruv.GetColecaoAnexo() : nullptr;
    if (anexos) {
        TAnexoFC anexo(FPruv);
        anexos->PrimeiroRegistro(anexo);
        while (!anexos->Eof()) {
            maximo += TColecaoPruvItem(FPruv, anexo).UltimaChave();
            anexo.Reinicia();
            anexos->ProximoRegistro(anexo);
        }
    }
    Gauge->setMaximum(qMax(1, maximo));
    // Each redraw of the gauge costs as much as reading hundreds of items: it moves when events
    // are pumped, at most every 50 ms (a Cancel click among them), which is as often as anyone
    // sees it move.
    int lidos = 0;
    TBombaDeEventos bomba;

    // Every item of an owner into its summary and the total, read by the walk that joins each
    // item with its beneficiary and judicial values; false when cancelled.
    const auto soma = [&](TPruvAnexo& dono, TResumo& resumo) {
        TColecaoPruvItem itens(FPruv, dono);
        TPruvItem item(FPruv, dono);
        TErros erros;
        item.SetErros(&erros);
        itens.IniciaLeitura();
        while (!FCancelado) {
            if (bomba.Bombeia())
                Gauge->setValue(qMin(lidos, Gauge->maximum()));
            if (FCancelado || !itens.LeProximo(item))
                break;
            const TResumo::TMudanca mudanca = TResumo::Mudanca(nullptr, item);
            resumo.Aplica(mudanca);
            total.Aplica(mudanca);
            ++lidos;
        }
        itens.EncerraLeitura();
        if (FCancelado)
            return false;
        resumo.SetOK(true);
        FPruv.GetColecaoResumo().Grava(resumo);
        return true;
    };

    bool completo = soma(FPruv, proprio);
    if (completo && anexos) {
        TAnexoFC anexo(FPruv);
        anexos->Primeiro();
        while (completo && !anexos->Eof()) {
            anexos->LeRegistro(anexo);
            anexo.GetResumo().Zera();
            completo = soma(anexo, anexo.GetResumo());
            anexo.Reinicia();
            anexos->Proximo();
        }
    }
    Gauge->setValue(Gauge->maximum());
    if (completo && !FCancelado) {
        total.SetOK(true);
        total.Copia(FPruv.GetResumo());
        FPruv.GetResumo().SetOK(true);
        done(Calculado);
    } else {
        done(Cancelado);
    }
}
