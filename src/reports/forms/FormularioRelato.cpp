#include "reports/forms/FormularioRelato.h"

#include <QDate>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "shell/common/AvisosImpressora.h"
#include "model/items/TSerieMensal.h"
#include "model/values/TMonetario.h"
#include "model/values/TratamentoTexto.h"
#include "platform/report/pages/TFonte.h"
#include "platform/report/elements/TForma.h"
#include "platform/report/pages/TMedidaTexto.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"
#include "shell/printing/TFoPreview.h"

QString TextoValor(qint64 Valor)
{
    TMonetario valor;
    valor.SetValor(Valor);
    return valor.GetTextoFormatado();
}

qint64 SomaCentavos(qint64 A, qint64 B)
{
    constexpr qint64 centavo = TMonetario::Escala / 100;
    const qint64 soma = A + B;
    const qint64 meio = soma < 0 ? -centavo / 2 : centavo / 2;
    return (soma + meio) / centavo * centavo;
}

qint64 ValorAnual(const TSerieMensal& Serie)
{
    return SomaCentavos(Serie.SomaAno(), 0);
}

qint64 TotalDoze(const TSerieMensal& Serie)
{
    return Serie.SomaAno() - Serie.Mes(13).GetValorPositivo();
}

QString MesAbreviado(int Mes)
{
    return Mes == 13 ? Meses(13) : Meses(Mes).left(3);
}

QString TextoTipoDeclaracao(const QString& Tipo)
{
    if (Tipo == QLatin1String("O"))
        return QStringLiteral("Tipo: Original");
    if (Tipo == QLatin1String("R"))
        return QStringLiteral("Tipo: Retificadora");
    return {};
}

QString TextoDataGeracao(double Data)
{
    if (Data < 1)
        return {};
    return QDate(1899, 12, 30).addDays(qint64(Data)).toString(QStringLiteral("dd/MM/yyyy"));
}

QFont FonteRelato(qreal Pontos, bool Negrito)
{
    return TFonte::DePontos(QStringLiteral("Arial"), Pontos, Negrito);
}

TRotulo& Rotulo(TBanda& Banda, const QString& Nome, const QString& Texto, qreal Esquerda, qreal Topo, qreal Pontos,
                bool Negrito)
{
    return Banda.AdicionaRotulo(Nome, Texto, Esquerda, Topo, FonteRelato(Pontos, Negrito));
}

TRotulo& RotuloValor(TBanda& Banda, const QString& Nome, qreal Direita, qreal Topo, qreal Largura, qreal Pontos,
                     bool Negrito)
{
    TRotulo& r = Rotulo(Banda, Nome, QString(), Direita - Largura, Topo, Pontos, Negrito);
    r.Largura = Largura;
    r.Alinhamento = Qt::AlignRight;
    return r;
}

void EncolheNaColuna(TRotulo& Rotulo, const QFont& Fonte, qreal Direita, qreal Minimo)
{
    const qreal base = Rotulo.Topo + TMedidaTexto::Ascendente(Rotulo.Fonte);
    Rotulo.AutoTamanho = false;
    Rotulo.Largura = Direita - Rotulo.Esquerda;
    QFont fonte = Fonte;
    const qreal largura = TMedidaTexto::Largura(Fonte, Rotulo.Texto);
    if (largura > Rotulo.Largura && Rotulo.Largura > 0) {
        // Widths follow the size closely but not exactly: a tenth of a point less until it fits.
        const qreal menor = std::min(Fonte.pointSizeF(), std::max<qreal>(1, Minimo));
        qreal pontos = std::max(menor, std::floor(Fonte.pointSizeF() * Rotulo.Largura / largura * 10) / 10);
        fonte.setPointSizeF(pontos);
        while (pontos - 0.1 >= menor - 1e-6 && TMedidaTexto::Largura(fonte, Rotulo.Texto) > Rotulo.Largura) {
            pontos -= 0.1;
            fonte.setPointSizeF(pontos);
        }
        // Cut anyway: in the column's own size, as the rest of the column.
        if (Minimo > 0 && TMedidaTexto::Largura(fonte, Rotulo.Texto) > Rotulo.Largura)
            fonte = Fonte;
    }
    Rotulo.Fonte = fonte;
    Rotulo.Topo = base - TMedidaTexto::Ascendente(fonte);
    Rotulo.Altura = TMedidaTexto::AlturaLinha(fonte) + 1;
}

void Linha(TBanda& Banda, const QString& Nome, qreal Topo, qreal Largura)
{
    auto& linha = Banda.Adiciona<TForma>(Nome, TTipoForma::LinhaHorizontal);
    linha.Topo = Topo;
    linha.Altura = 2;
    linha.Largura = Largura;
}

namespace {

// Keeps the interface alive while a report generates outside the preview window.
class TMantemVivo final {
public:
    explicit TMantemVivo(TRelatorio& Relatorio)
        : FRelatorio(Relatorio)
        , FAnterior(std::exchange(Relatorio.AoProcessar, [] { InterfaceUsuario::Atividade().MantemVivo(); }))
    {}
    ~TMantemVivo() { FRelatorio.AoProcessar = std::move(FAnterior); }
    TMantemVivo(const TMantemVivo&) = delete;
    TMantemVivo& operator=(const TMantemVivo&) = delete;

private:
    TRelatorio& FRelatorio;
    std::function<void()> FAnterior;
};

}   // namespace

int ContaPaginas(TRelatorio& Relatorio)
{
    const TCursorOcupado cursor;
    const TMantemVivo vivo(Relatorio);
    return Relatorio.Prepara();
}

bool ImprimeRelatorio(TRelatorio& Relatorio, QStringList* ArquivosPdf)
{
    const std::unique_ptr<QPrinter> impressora = CriaImpressoraOuAvisa(Relatorio.Titulo);
    if (!impressora)
        return false;
    bool impresso = false;
    {
        const TMantemVivo vivo(Relatorio);
        impresso = TSaidaRelatorio::Imprime(Relatorio, *impressora);
    }
    if (!impresso)
        AvisaImpressaoRecusada(*impressora);
    else if (ArquivosPdf == nullptr)
        AvisaImpressaoConcluida(*impressora);
    else if (const QString arquivo = ArquivoSemImpressora(*impressora); !arquivo.isEmpty())
        ArquivosPdf->append(arquivo);
    return impresso;
}

void VisualizaContando(TRelatorio& Relatorio)
{
    ContaPaginas(Relatorio);
    VisualizaRelatorio(Relatorio);
}

bool ImprimeContando(TRelatorio& Relatorio)
{
    ContaPaginas(Relatorio);
    return ImprimeRelatorio(Relatorio);
}
