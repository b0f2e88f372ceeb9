#include "screens/edits/TLinhasEdit.h"

#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <cmath>

TLinhasEdit::TLinhasEdit(const QString& texto, const QFont& fonte, qreal largura, bool quebraPalavras)
{
    QTextOption opcao;
    opcao.setWrapMode(quebraPalavras ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    int inicio = 0;
    qreal y = 0;
    while (true) {
        int fim = static_cast<int>(texto.indexOf(QLatin1Char('\n'), inicio));
        const bool ultimo = fim < 0;
        if (ultimo)
            fim = static_cast<int>(texto.size());
        QString trecho = texto.mid(inicio, fim - inicio);
        // A CR of a CR LF pair is part of the break, not a character to draw.
        if (trecho.endsWith(QLatin1Char('\r')))
            trecho.chop(1);
        auto layout = std::make_unique<QTextLayout>(trecho, fonte);
        layout->setTextOption(opcao);
        layout->beginLayout();
        for (QTextLine linha = layout->createLine(); linha.isValid(); linha = layout->createLine()) {
            linha.setLineWidth(std::max<qreal>(largura, 1));
            linha.setPosition(QPointF(0, y));
            y += linha.height();
            FLinhas.push_back({static_cast<int>(FParagrafos.size()), linha.lineNumber()});
        }
        layout->endLayout();
        FParagrafos.push_back({inicio, std::move(layout)});
        if (ultimo)
            break;
        inicio = fim + 1;
    }
    FAltura = y;
}

const TLinhasEdit::TParagrafo& TLinhasEdit::ParagrafoDe(int posicao) const
{
    auto it = std::upper_bound(FParagrafos.begin(), FParagrafos.end(), posicao,
                               [](int p, const TParagrafo& par) { return p < par.Inicio; });
    return it == FParagrafos.begin() ? FParagrafos.front() : *(it - 1);
}

int TLinhasEdit::LinhaDe(int posicao) const
{
    const TParagrafo& par = ParagrafoDe(posicao);
    const int indice = static_cast<int>(&par - FParagrafos.data());
    const int local = std::clamp(posicao - par.Inicio, 0, static_cast<int>(par.Layout->text().size()));
    const QTextLine linha = par.Layout->lineForTextPosition(local);
    const int numero = linha.isValid() ? linha.lineNumber() : 0;
    for (int i = 0; i < Linhas(); ++i)
        if (FLinhas[static_cast<size_t>(i)].Paragrafo == indice && FLinhas[static_cast<size_t>(i)].Linha == numero)
            return i;
    return 0;
}

QRectF TLinhasEdit::Cursor(int posicao) const
{
    const TParagrafo& par = ParagrafoDe(posicao);
    const int local = std::clamp(posicao - par.Inicio, 0, static_cast<int>(par.Layout->text().size()));
    QTextLine linha = par.Layout->lineForTextPosition(local);
    if (!linha.isValid())
        linha = par.Layout->lineAt(0);
    return QRectF(linha.cursorToX(local), linha.y(), 1, linha.height());
}

int TLinhasEdit::Posicao(QPointF ponto) const
{
    for (const TLinha& l : FLinhas) {
        const TParagrafo& par = FParagrafos[static_cast<size_t>(l.Paragrafo)];
        const QTextLine linha = par.Layout->lineAt(l.Linha);
        if (ponto.y() < linha.y() + linha.height() || &l == &FLinhas.back())
            return par.Inicio + linha.xToCursor(ponto.x());
    }
    return 0;
}

int TLinhasEdit::Vizinha(int posicao, int sentido) const
{
    const int alvo = LinhaDe(posicao) + sentido;
    if (alvo < 0 || alvo >= Linhas())
        return posicao;
    const QRectF cursor = Cursor(posicao);
    const TLinha& l = FLinhas[static_cast<size_t>(alvo)];
    const TParagrafo& par = FParagrafos[static_cast<size_t>(l.Paragrafo)];
    return par.Inicio + par.Layout->lineAt(l.Linha).xToCursor(cursor.x());
}

void TLinhasEdit::Desenha(QPainter& p, QPointF origem, int inicio, int fim, const QColor& fundoSelecao,
                          const QColor& textoSelecao) const
{
    for (const TParagrafo& par : FParagrafos) {
        QList<QTextLayout::FormatRange> selecoes;
        const int de = std::max(inicio - par.Inicio, 0);
        const int ate = std::min(fim - par.Inicio, static_cast<int>(par.Layout->text().size()));
        if (ate > de) {
            QTextLayout::FormatRange marca;
            marca.start = de;
            marca.length = ate - de;
            marca.format.setBackground(fundoSelecao);
            marca.format.setForeground(textoSelecao);
            selecoes << marca;
        }
        par.Layout->draw(&p, origem, selecoes);
    }
}
