#include "shell/printing/TPreviewRelatorio.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "platform/report/pages/TDocumentoRelatorio.h"
#include "platform/report/pages/TUnidades.h"

namespace {

constexpr int Borda = 10;   // grey around the page, in screen pixels

}   // namespace

TPreviewRelatorio::TPreviewRelatorio(QWidget* dono)
    : QAbstractScrollArea(dono)
{
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TPreviewRelatorio::AtribuiDocumento(TDocumentoRelatorio* documento)
{
    if (FDocumento == documento)
        return;
    disconnect(FConexao);
    FDocumento = documento;
    FPagina = 1;
    FPaginaDaImagem = 0;
    FImagem = QImage();
    if (documento != nullptr)
        FConexao = connect(documento, &TDocumentoRelatorio::PaginaPronta, this,
                           [this](int indice, const QPicture&) { NovaPagina(indice); });
    Atualiza();
}

int TPreviewRelatorio::TotalPaginas() const
{
    return FDocumento ? FDocumento->Quantidade() : 0;
}

void TPreviewRelatorio::DefinePagina(int pagina)
{
    pagina = std::clamp(pagina, 1, std::max(1, TotalPaginas()));
    if (pagina == FPagina)
        return;
    FPagina = pagina;
    verticalScrollBar()->setValue(0);
    Atualiza();
    emit PaginaMudou(FPagina);
}

void TPreviewRelatorio::DefineZoom(int percentual)
{
    FModo = TModoZoom::Percentual;
    FZoom = std::clamp(percentual, 5, 1000);
    Atualiza();
}

void TPreviewRelatorio::ZoomPaginaInteira()
{
    FModo = TModoZoom::PaginaInteira;
    Atualiza();
}

void TPreviewRelatorio::ZoomLarguraDaPagina()
{
    FModo = TModoZoom::LarguraDaPagina;
    Atualiza();
}

int TPreviewRelatorio::ZoomQueCabe(QSizeF pagina, QSize area, bool soLargura)
{
    if (pagina.isEmpty())
        return 100;
    const qreal largura = (area.width() - 2 * Borda) / pagina.width();
    const qreal altura = (area.height() - 2 * Borda) / pagina.height();
    const qreal escala = soLargura ? largura : std::min(largura, altura);
    return std::max(5, int(std::floor(escala * 100)));
}

void TPreviewRelatorio::NovaPagina(int indice)
{
    if (indice == FPagina && FPaginaDaImagem != FPagina)
        Atualiza();
    emit PaginaDisponivel(indice);
}

QSizeF TPreviewRelatorio::TamanhoPaginaEm100() const
{
    if (!FDocumento)
        return {};
    const qreal porUnidade = logicalDpiX() / TUnidades::PorPolegada;
    return {FDocumento->Papel().Largura() * porUnidade, FDocumento->Papel().Altura() * porUnidade};
}

QSize TPreviewRelatorio::TamanhoPaginaNaTela() const
{
    const QSizeF p = TamanhoPaginaEm100() * (FZoom / 100.0);
    return {int(std::ceil(p.width())), int(std::ceil(p.height()))};
}

void TPreviewRelatorio::Atualiza()
{
    if (FModo != TModoZoom::Percentual)
        FZoom = ZoomQueCabe(TamanhoPaginaEm100(), viewport()->size(), FModo == TModoZoom::LarguraDaPagina);
    const QSize pagina = TamanhoPaginaNaTela();
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, pagina.width() + 2 * Borda - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, pagina.height() + 2 * Borda - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
    FPaginaDaImagem = 0;
    viewport()->update();
}

void TPreviewRelatorio::paintEvent(QPaintEvent* /*evento*/)
{
    if (!FDocumento || FPagina > FDocumento->Quantidade())
        return;
    const QSize tamanho = TamanhoPaginaNaTela();
    if (FPaginaDaImagem != FPagina || FImagem.size() != tamanho) {
        FImagem = QImage(tamanho, QImage::Format_RGB32);
        FImagem.fill(Qt::white);
        QPainter desenho(&FImagem);
        desenho.setRenderHint(QPainter::Antialiasing);
        desenho.setRenderHint(QPainter::TextAntialiasing);
        desenho.setRenderHint(QPainter::SmoothPixmapTransform);
        // A page plays at the image's resolution; the zoom is relative to the screen's.
        const qreal escala = FZoom / 100.0 * logicalDpiX() / FImagem.logicalDpiX();
        desenho.scale(escala, escala);
        TUnidades::DesenhaPagina(desenho, FDocumento->Pagina(FPagina));
        FPaginaDaImagem = FPagina;
    }
    const QSize area = viewport()->size();
    const int x = tamanho.width() + 2 * Borda < area.width() ? (area.width() - tamanho.width()) / 2
                                                             : Borda - horizontalScrollBar()->value();
    const int y = tamanho.height() + 2 * Borda < area.height() ? (area.height() - tamanho.height()) / 2
                                                               : Borda - verticalScrollBar()->value();
    QPainter pintor(viewport());
    pintor.setPen(Qt::black);
    pintor.drawRect(QRect(QPoint(x - 1, y - 1), tamanho + QSize(1, 1)));
    pintor.drawImage(QPoint(x, y), FImagem);
}

void TPreviewRelatorio::resizeEvent(QResizeEvent* evento)
{
    QAbstractScrollArea::resizeEvent(evento);
    Atualiza();
}

void TPreviewRelatorio::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    viewport()->update();
}
