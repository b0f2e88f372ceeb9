#pragma once
#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>

#include "platform/report/pages/TDocumentoRelatorio.h"

// Shows one page of a report's document at a time, zoomed, with scroll bars; follows the
// document as its pages arrive.
class TPreviewRelatorio final : public QAbstractScrollArea {
    Q_OBJECT

public:
    enum class TModoZoom { Percentual, PaginaInteira, LarguraDaPagina };

    explicit TPreviewRelatorio(QWidget* dono = nullptr);

    // The document shown (not owned; forgotten if it goes away); nullptr shows nothing.
    void AtribuiDocumento(TDocumentoRelatorio* documento);
    [[nodiscard]] TDocumentoRelatorio* Documento() const { return FDocumento; }

    [[nodiscard]] int TotalPaginas() const;
    [[nodiscard]] int PaginaAtual() const { return FPagina; }   // 1 while there is none
    // Kept between 1 and the total.
    void DefinePagina(int pagina);

    [[nodiscard]] int Zoom() const { return FZoom; }   // percent of the page's actual size
    [[nodiscard]] TModoZoom ModoZoom() const { return FModo; }
    void DefineZoom(int percentual);
    void ZoomPaginaInteira();
    void ZoomLarguraDaPagina();

    // The zoom in percent that shows the whole page, or the page's width, in a viewport of
    // the given size; pagina is the page's size at 100 percent. Never below 5.
    [[nodiscard]] static int ZoomQueCabe(QSizeF pagina, QSize area, bool soLargura);

signals:
    void PaginaDisponivel(int indice);   // a new page arrived in the document
    void PaginaMudou(int pagina);

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void NovaPagina(int indice);
    void Atualiza();
    [[nodiscard]] QSizeF TamanhoPaginaEm100() const;   // in device pixels
    [[nodiscard]] QSize TamanhoPaginaNaTela() const;

    QPointer<TDocumentoRelatorio> FDocumento;
    QMetaObject::Connection FConexao;
    int FPagina = 1;
    int FZoom = 100;
    TModoZoom FModo = TModoZoom::Percentual;
    QImage FImagem;   // the page at the current zoom
    int FPaginaDaImagem = 0;
};
