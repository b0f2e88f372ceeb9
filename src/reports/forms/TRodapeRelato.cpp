#include "reports/forms/TRodapeRelato.h"

#include "platform/report/elements/TDadoSistema.h"
#include "platform/report/bands/TRelatorio.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/forms/TRotuloPagina.h"

TRodapeRelato::TRodapeRelato(TRelatorio& Relatorio, const QString& NomeBanda, bool ComNota13)
    : FBanda(&Relatorio.CriaBanda(TTipoBanda::RodapePagina, NomeBanda))
{
    const qreal largura = Relatorio.Papel().LarguraUtil();
    FBanda->Altura = Altura;
    Linha(*FBanda, QStringLiteral("LinhaRodape"), 0, largura);
    Rotulo(*FBanda, QStringLiteral("QRLData"), QStringLiteral("Data:"), 0, 6, 8, true);
    auto& data = FBanda->Adiciona<TDadoSistema>(QStringLiteral("QRSData"), TTipoDadoSistema::Data);
    data.Esquerda = 34;
    data.Topo = 6;
    data.Fonte = FonteRelato(8);
    FIdentificacao = &Rotulo(*FBanda, QStringLiteral("QRLIdentificacaoFooter"), QString(), 0, 6, 8);
    FIdentificacao->Largura = largura;
    FIdentificacao->Alinhamento = Qt::AlignHCenter;
    FPagina = &FBanda->Adiciona<TRotuloPagina>(QStringLiteral("QRSPagina"));
    FPagina->Topo = 6;
    FPagina->Largura = largura;
    FPagina->Alinhamento = Qt::AlignRight;
    FPagina->Fonte = FonteRelato(8);
    if (ComNota13) {
        FAsteriscos = &Rotulo(*FBanda, QStringLiteral("QRLAsteriscoFooter"), QStringLiteral("**"), 0, 24, 8, true);
        FNota = &Rotulo(*FBanda, QStringLiteral("QRLNota13"),
                        QStringLiteral(" Os valores incluem o Décimo Terceiro Salário"), 14, 24, 8);
    }
    FBanda->AntesDeImprimir = [this](TBanda&, bool&) {
        if (FNota != nullptr) {
            FAsteriscos->Habilitado = FNota13;
            FNota->Habilitado = FNota13;
        }
    };
    FBanda->DepoisDeImprimir = [this](TBanda&, bool) { FNota13 = false; };
}

void TRodapeRelato::DefineIdentificacao(const QString& Texto)
{
    FIdentificacao->Texto = Texto;
}

void TRodapeRelato::Limpa()
{
    FNota13 = false;
    FIdentificacao->Texto.clear();
}
