#pragma once
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

// One thing a report drew on a page, in report units from the paper's top-left corner.
struct TTracoDesenhado {
    enum class TTipo { Texto, Linha, Moldura, Imagem };

    TTipo Tipo = TTipo::Texto;
    QString Banda;             // the band's name
    int Impressao = 0;         // which print of a band on its page, from 1 (counting every band)
    bool NoCorpo = false;      // the band is not one of the page's header, footer or column header
    bool DeFilha = false;      // the band is a child band (it follows another)
    bool NoTopo = false;       // printed as the page opened, above its first band of records
    bool FicaComPai = false;   // a child band that goes to a new page with the band it follows
    QRectF Faixa;              // the band's strip on the page: its top and height as printed
    qreal Reserva = 0;         // the room the band wanted below it for what must follow it
    QString Elemento;          // the element's name
    QString Texto;             // what a text shows (one line of a memo)
    // A text: from its left edge, the top of its line to the bottom of its descent, as wide as
    // the text. A line: from one end to the other (no width or no height). A frame or a picture:
    // its rectangle.
    QRectF Caixa;
    // A text: the part of its line that its capitals fill, from the baseline up.
    QRectF Nucleo;
    // A text cut at its element: the rectangle it was cut at; null when it was not cut.
    QRectF Recorte;
    // A text cut at its element: the whole text it was cut from.
    QString TextoInteiro;
};

// What one page of a report received, as the report's generation laid it out.
struct TDesenhoPagina {
    QString Documento;       // the report's title
    int Pagina = 0;          // the report's number of the page
    QSizeF Papel;            // the paper as it lies
    QRectF AreaUtil;         // the paper less its margins: nothing may print outside it
    qreal LimiteCorpo = 0;   // where the bands of records must end: the page footer's room begins
    std::vector<TTracoDesenhado> Tracos;
};

// Lets a watcher see what every page of every report printed or previewed holds, as the report
// engine drew it (tests that look at the paper). Without a watcher nothing is kept.
struct TRegistroDesenho final {
    using TObservador = std::function<void(const TDesenhoPagina&)>;

    // Returns the watcher installed before; an empty one uninstalls.
    static TObservador Instala(TObservador observador);
    [[nodiscard]] static bool Ativo();
    static void Notifica(const TDesenhoPagina& pagina);
};
