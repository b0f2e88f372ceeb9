#include "InspecaoPapel.h"

#include <QHash>
#include <QLineF>
#include <algorithm>

#include "platform/report/pages/TUnidades.h"

namespace {

using TTipo = TTracoDesenhado::TTipo;

// Below these a difference is the rounding of the PDF's coordinates, not a fault (points).
constexpr qreal Folga = 0.6;
// Two texts on one line need at least this much room between them to read as two (points).
constexpr qreal EspacoMinimo = 1.5;

QRectF EmPontos(const QRectF& r)
{
    return {TUnidades::ParaPontos(r.left()), TUnidades::ParaPontos(r.top()), TUnidades::ParaPontos(r.width()),
            TUnidades::ParaPontos(r.height())};
}

// Also for a rule, whose box has no width or no height.
bool Dentro(const QRectF& area, const QRectF& r)
{
    return r.left() >= area.left() && r.right() <= area.right() && r.top() >= area.top() && r.bottom() <= area.bottom();
}

qreal Sobreposicao(qreal a0, qreal a1, qreal b0, qreal b1)
{
    return std::min(a1, b1) - std::max(a0, b0);
}

struct TTexto {
    QString Palavra;   // as a reader names it
    QRectF Caixa;      // points
    QRectF Nucleo;     // points: where its ink is dense enough that a rule through it strikes it
};

struct TRegua {
    QString Nome;
    QLineF Linha;   // points
};

class TExame {
public:
    TExame(QString rotulo, int pagina)
        : FRotulo(std::move(rotulo))
        , FPagina(pagina)
    {}

    void Falha(const QString& palavra, const QString& tipo)
    {
        const QString texto =
            QStringLiteral("%1, página %2, palavra \"%3\": %4").arg(FRotulo).arg(FPagina).arg(palavra, tipo);
        if (!FFalhas.contains(texto))
            FFalhas << texto;
    }
    QStringList FFalhas;

private:
    QString FRotulo;
    int FPagina;
};

std::vector<TRegua> Reguas(const TDesenhoPagina& desenho)
{
    std::vector<TRegua> reguas;
    for (const TTracoDesenhado& t : desenho.Tracos) {
        const QRectF c = EmPontos(t.Caixa);
        const QString nome = t.Banda + QLatin1Char('.') + t.Elemento;
        if (t.Tipo == TTipo::Linha)
            reguas.push_back({nome, QLineF(c.topLeft(), c.bottomRight())});
        else if (t.Tipo == TTipo::Moldura)
            for (const QLineF& l : {QLineF(c.topLeft(), c.topRight()), QLineF(c.bottomLeft(), c.bottomRight()),
                                    QLineF(c.topLeft(), c.bottomLeft()), QLineF(c.topRight(), c.bottomRight())})
                reguas.push_back({nome, l});
    }
    return reguas;
}

// A rule strikes a text when it runs through the text's ink, not along its edge.
bool Cruza(const QLineF& l, const QRectF& nucleo)
{
    if (qFuzzyCompare(l.y1(), l.y2())) {
        const qreal y = l.y1();
        return y > nucleo.top() && y < nucleo.bottom()
            && Sobreposicao(std::min(l.x1(), l.x2()), std::max(l.x1(), l.x2()), nucleo.left(), nucleo.right()) > Folga;
    }
    if (qFuzzyCompare(l.x1(), l.x2())) {
        const qreal x = l.x1();
        return x > nucleo.left() + Folga && x < nucleo.right() - Folga
            && Sobreposicao(std::min(l.y1(), l.y2()), std::max(l.y1(), l.y2()), nucleo.top(), nucleo.bottom()) > Folga;
    }
    return false;
}

QString PrimeiraPalavra(const QString& texto)
{
    return texto.simplified().section(QLatin1Char(' '), 0, 0);
}

// Below this a difference of heights is rounding (units).
constexpr qreal FolgaAltura = 0.5;

using TTraco = std::vector<TTracoDesenhado>::const_iterator;

// The first print of a band of records on the page (not the page's top).
TTraco PrimeiraDoCorpo(const TDesenhoPagina& p)
{
    return std::find_if(p.Tracos.begin(), p.Tracos.end(),
                        [](const TTracoDesenhado& t) { return t.NoCorpo && !t.NoTopo; });
}

// The bands that stay with one another from the print at "de" on: the band and the children
// bound to it that follow it, on the page and, where they run to its end and go on at the top of
// the next page, there too.
struct TCadeia {
    qreal Altura = 0;
    bool Continua = false;   // some of it went on to the next page
};

TCadeia Cadeia(const TDesenhoPagina& p, TTraco de, const TDesenhoPagina* seguinte)
{
    TCadeia cadeia{de->Faixa.height(), false};
    int impressao = de->Impressao;
    bool ateOFim = true;
    for (auto t = de; t != p.Tracos.end(); ++t) {
        if (t->Impressao == impressao || !t->NoCorpo)
            continue;
        if (!t->DeFilha || !t->FicaComPai) {
            ateOFim = false;
            break;
        }
        impressao = t->Impressao;
        cadeia.Altura += t->Faixa.height();
    }
    if (ateOFim && seguinte != nullptr) {
        const auto continua = PrimeiraDoCorpo(*seguinte);
        if (continua != seguinte->Tracos.end() && continua->DeFilha && continua->FicaComPai) {
            cadeia.Altura += Cadeia(*seguinte, continua, nullptr).Altura;
            cadeia.Continua = true;
        }
    }
    return cadeia;
}

// Why a child band may not open the page; empty when its rules ask for it. It did not fit below
// the band it follows, with the room it keeps for what follows; or it fitted, and went over to
// stay with the children bound to it, all of them then on this page. Bound itself to the band it
// follows, a page could not hold them all.
QString AberturaIndevida(const TDesenhoPagina& desenho, TTraco primeiro, const TDesenhoPagina* anterior,
                         const TDesenhoPagina* seguinte)
{
    const QString longe = QStringLiteral("a banda %1 abre a página longe da banda que ela segue").arg(primeiro->Banda);
    if (anterior == nullptr || primeiro->Faixa.isNull())
        return longe;
    const TTracoDesenhado* pai = nullptr;
    for (const TTracoDesenhado& t : anterior->Tracos)
        if (t.NoCorpo && !t.NoTopo && (pai == nullptr || t.Faixa.bottom() >= pai->Faixa.bottom()))
            pai = &t;
    if (pai == nullptr)
        return longe;
    const qreal sobra = anterior->LimiteCorpo - pai->Faixa.bottom() + FolgaAltura;
    const TCadeia cadeia = Cadeia(desenho, primeiro, seguinte);
    if (primeiro->Faixa.height() + primeiro->Reserva <= sobra) {
        if (cadeia.Altura <= sobra)
            return QStringLiteral("a banda %1 abre a página, mas cabia no pé da anterior").arg(primeiro->Banda);
        if (cadeia.Continua)
            return QStringLiteral("a banda %1 abre a página para ficar com as que a seguem, que seguem em outra")
                .arg(primeiro->Banda);
    }
    if (!primeiro->FicaComPai)
        return {};
    const qreal pagina = desenho.LimiteCorpo - primeiro->Faixa.top();
    return pai->Faixa.height() + cadeia.Altura > pagina + FolgaAltura ? QString() : longe;
}

}   // namespace

InspecaoPapel::InspecaoPapel()
{
    FAnterior = TRegistroDesenho::Instala([this](const TDesenhoPagina& p) { FPaginas.push_back(p); });
}

InspecaoPapel::~InspecaoPapel()
{
    TRegistroDesenho::Instala(std::move(FAnterior));
}

std::vector<TDesenhoPagina> InspecaoPapel::Desenhadas()
{
    return std::exchange(FPaginas, {});
}

QStringList InspecaoPapel::Examina(const QString& arquivoPdf, const QString& rotulo,
                                   std::vector<TDesenhoPagina>* paginas)
{
    std::vector<TDesenhoPagina> desenhadas = Desenhadas();
    const QList<TextoPdf::TPalavra> palavras = TextoPdf::Palavras(arquivoPdf);
    const int noPdf = TextoPdf::QuantidadePaginas(arquivoPdf);
    QStringList falhas;
    if (noPdf != int(desenhadas.size()))
        falhas << QStringLiteral("%1: o PDF tem %2 páginas, o relatório desenhou %3")
                      .arg(rotulo)
                      .arg(noPdf)
                      .arg(desenhadas.size());
    QHash<int, QList<TextoPdf::TPalavra>> porPagina;
    for (const TextoPdf::TPalavra& p : palavras)
        porPagina[p.Pagina].append(p);
    const int n = std::min(noPdf, int(desenhadas.size()));
    for (int i = 0; i < n; ++i)
        falhas << ExaminaPagina(rotulo, i + 1, porPagina.value(i + 1), desenhadas[std::size_t(i)],
                                i > 0 ? &desenhadas[std::size_t(i - 1)] : nullptr,
                                i + 1 < n ? &desenhadas[std::size_t(i + 1)] : nullptr);
    if (paginas != nullptr)
        *paginas = std::move(desenhadas);
    return falhas;
}

QStringList InspecaoPapel::ExaminaPagina(const QString& rotulo, int pagina, const QList<TextoPdf::TPalavra>& palavras,
                                         const TDesenhoPagina& desenho, const TDesenhoPagina* anterior,
                                         const TDesenhoPagina* seguinte)
{
    TExame exame(rotulo, pagina);
    const QRectF area = EmPontos(desenho.AreaUtil).adjusted(-Folga, -Folga, Folga, Folga);

    // What the engine drew.
    std::vector<TTexto> textos;
    bool corpo = false;
    QHash<QString, int> desenhadas;
    for (const TTracoDesenhado& t : desenho.Tracos) {
        corpo = corpo || t.NoCorpo;
        if (t.Tipo != TTipo::Texto) {
            if (!Dentro(area, EmPontos(t.Caixa)))
                exame.Falha(t.Elemento, QStringLiteral("desenho fora da área de impressão"));
            continue;
        }
        const QRectF caixa = EmPontos(t.Caixa);
        const QRectF nucleo = EmPontos(t.Nucleo);
        const QString palavra = PrimeiraPalavra(t.Texto);
        if (!t.Recorte.isNull()) {
            const QRectF recorte = EmPontos(t.Recorte).adjusted(-Folga, -Folga, Folga, Folga);
            if (caixa.right() > recorte.right() || caixa.left() < recorte.left())
                exame.Falha(t.Texto.simplified(),
                            QStringLiteral("texto cortado no meio de uma letra (%1)").arg(t.Elemento));
            if (nucleo.top() < recorte.top() || nucleo.bottom() > recorte.bottom())
                exame.Falha(t.Texto.simplified(), QStringLiteral("texto cortado na altura (%1)").arg(t.Elemento));
        }
        if (!Dentro(area, caixa))
            exame.Falha(t.Texto.simplified(), QStringLiteral("texto fora da área de impressão (%1)").arg(t.Elemento));
        // The middle of the capitals: a rule there strikes the text.
        const qreal margem = nucleo.height() * 0.2;
        textos.push_back({t.Texto.simplified(), caixa, nucleo.adjusted(0, margem, 0, -margem)});
        for (const QString& p : t.Texto.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            ++desenhadas[p];
    }
    if (!corpo)
        exame.Falha(QString(), QStringLiteral("página vazia: só o cabeçalho e o rodapé"));
    // A band that follows another opens a page only as its rules ask (a child of the page's own
    // top, such as a continuation header, is part of that top).
    const auto primeiro = PrimeiraDoCorpo(desenho);
    if (primeiro != desenho.Tracos.end() && primeiro->DeFilha) {
        const QString motivo = AberturaIndevida(desenho, primeiro, anterior, seguinte);
        const auto texto = std::find_if(primeiro, desenho.Tracos.end(), [&](const TTracoDesenhado& t) {
            return t.Impressao == primeiro->Impressao && t.Tipo == TTipo::Texto;
        });
        if (!motivo.isEmpty())
            exame.Falha(texto != desenho.Tracos.end() && texto->Impressao == primeiro->Impressao
                            ? texto->Texto.simplified()
                            : QString(),
                        motivo);
    }

    // Texts of one line need room between them, or they read as one.
    for (std::size_t i = 0; i < textos.size(); ++i)
        for (std::size_t j = i + 1; j < textos.size(); ++j) {
            const TTexto& a = textos[i];
            const TTexto& b = textos[j];
            const qreal vertical = Sobreposicao(a.Nucleo.top(), a.Nucleo.bottom(), b.Nucleo.top(), b.Nucleo.bottom());
            if (vertical <= 0)
                continue;
            const qreal horizontal = Sobreposicao(a.Caixa.left(), a.Caixa.right(), b.Caixa.left(), b.Caixa.right());
            if (horizontal > -EspacoMinimo)
                exame.Falha(a.Palavra,
                            horizontal > Folga ? QStringLiteral("sobre o texto \"%1\"").arg(b.Palavra)
                                               : QStringLiteral("encostado no texto \"%1\"").arg(b.Palavra));
        }

    // Rules drawn through texts.
    const std::vector<TRegua> reguas = Reguas(desenho);

    // A cut text uses its room: it is cut only where the next text, a rule across its line or
    // the margin begins; and a text cut on a page is cut the same way wherever it is on it.
    QHash<QString, QString> cortes;
    for (const TTracoDesenhado& t : desenho.Tracos) {
        if (t.Tipo != TTipo::Texto || t.TextoInteiro.isEmpty() || t.TextoInteiro.trimmed() == t.Texto.trimmed())
            continue;
        const QString impresso = t.Texto.simplified();
        const auto corteAnterior = cortes.constFind(t.TextoInteiro.simplified());
        if (corteAnterior != cortes.constEnd() && *corteAnterior != impresso)
            exame.Falha(impresso,
                        QStringLiteral("cortado de outro modo que \"%1\" na mesma página").arg(*corteAnterior));
        cortes.insert(t.TextoInteiro.simplified(), impresso);
        const QRectF caixa = EmPontos(t.Caixa);
        const QRectF nucleo = EmPontos(t.Nucleo);
        qreal fim = area.right();
        for (const TTexto& o : textos)
            if (o.Caixa.left() > caixa.right() - Folga
                && Sobreposicao(o.Nucleo.top(), o.Nucleo.bottom(), nucleo.top(), nucleo.bottom()) > 0)
                fim = std::min(fim, o.Caixa.left());
        for (const TRegua& r : reguas)
            if (qFuzzyCompare(r.Linha.x1(), r.Linha.x2()) && r.Linha.x1() > caixa.right() - Folga
                && Sobreposicao(std::min(r.Linha.y1(), r.Linha.y2()), std::max(r.Linha.y1(), r.Linha.y2()),
                                nucleo.top(), nucleo.bottom())
                    > 0)
                fim = std::min(fim, r.Linha.x1());
        // Room for one more letter and the gap before what follows.
        const qreal folgaCorte = nucleo.height() * 1.6 + 8;
        if (fim - caixa.right() > folgaCorte)
            exame.Falha(impresso,
                        QStringLiteral("cortado com %1 pt livres até o que o segue (%2)")
                            .arg(fim - caixa.right(), 0, 'f', 0)
                            .arg(t.Elemento));
    }
    for (const TTexto& t : textos)
        if (cortes.contains(t.Palavra) && cortes.value(t.Palavra) != t.Palavra)
            exame.Falha(cortes.value(t.Palavra), QStringLiteral("cortado aqui, inteiro em outro lugar da página"));
    for (const TRegua& r : reguas)
        for (const TTexto& t : textos)
            if (Cruza(r.Linha, t.Nucleo))
                exame.Falha(t.Palavra, QStringLiteral("riscado pela linha %1").arg(r.Nome));

    // The words of the PDF.
    if (palavras.isEmpty())
        exame.Falha(QString(), QStringLiteral("página sem nenhuma palavra"));
    for (int i = 0; i < palavras.size(); ++i) {
        const TextoPdf::TPalavra& a = palavras[i];
        if (!Dentro(area, a.Caixa))
            exame.Falha(a.Texto,
                        QStringLiteral("fora da área de impressão (%1, %2 a %3, %4 pt)")
                            .arg(a.Caixa.left(), 0, 'f', 1)
                            .arg(a.Caixa.top(), 0, 'f', 1)
                            .arg(a.Caixa.right(), 0, 'f', 1)
                            .arg(a.Caixa.bottom(), 0, 'f', 1));
        for (int j = i + 1; j < palavras.size(); ++j) {
            const TextoPdf::TPalavra& b = palavras[j];
            const qreal h = Sobreposicao(a.Caixa.left(), a.Caixa.right(), b.Caixa.left(), b.Caixa.right());
            const qreal v = Sobreposicao(a.Caixa.top(), a.Caixa.bottom(), b.Caixa.top(), b.Caixa.bottom());
            if (h > Folga && v > 0.4 * std::min(a.Caixa.height(), b.Caixa.height()))
                exame.Falha(a.Texto, QStringLiteral("sobre a palavra \"%1\"").arg(b.Texto));
        }
        const qreal margem = a.Caixa.height() * 0.3;
        const QRectF meio = a.Caixa.adjusted(0, margem, 0, -margem);
        for (const TRegua& r : reguas)
            if (Cruza(r.Linha, meio))
                exame.Falha(a.Texto, QStringLiteral("riscada pela linha %1").arg(r.Nome));
        // Whatever the PDF shows, the engine drew.
        if (desenhadas.value(a.Texto) > 0)
            --desenhadas[a.Texto];
        else
            exame.Falha(a.Texto, QStringLiteral("no PDF, mas não entre os textos desenhados"));
    }
    return exame.FFalhas;
}
