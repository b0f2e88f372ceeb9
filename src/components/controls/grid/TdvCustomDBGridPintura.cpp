// How the data grid paints itself: data cells, titles, the indicator, check boxes, pictures and
// the footer.
#include "components/controls/grid/TdvCustomDBGrid.h"

#include <QPainter>
#include <QtEndian>
#include <algorithm>

#include "components/controls/dvDraw.h"
#include "components/controls/grid/TdvColumn.h"
#include "components/controls/grid/TdvColumnDrag.h"
#include "components/controls/grid/TdvCustomDBGridComum.h"
#include "components/controls/grid/TdvGridDataLink.h"
#include "components/controls/grid/dvGridLayout.h"
#include "components/controls/grid/dvGridPaint.h"
#include "components/data/datasets/dvDataSetLines.h"
#include "components/data/datasets/dvFieldValues.h"
#include "components/data/datasets/dvLocate.h"
#include "components/data/datasets/dvLookupLinks.h"
#include "components/data/settings/TdvIntl.h"
#include "components/data/settings/dvPictureMasks.h"
#include "platform/db/datasets/TField.h"
#include "platform/widgets/painting/TEdgePainter.h"

using GradeDeDados::CheckBox;
using GradeDeDados::EhSelected;

namespace {

bool EhNumero(TFieldType tipo)
{
    switch (tipo) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
    case ftFloat:
    case ftCurrency:
        return true;
    default:
        return false;
    }
}

QPainter::CompositionMode ModoDeCopia(const QString& parametro)
{
    if (parametro == QLatin1String("Source Paint"))
        return QPainter::RasterOp_SourceOrDestination;
    if (parametro == QLatin1String("Source And"))
        return QPainter::RasterOp_SourceAndDestination;
    if (parametro == QLatin1String("Source Invert"))
        return QPainter::RasterOp_SourceXorDestination;
    if (parametro == QLatin1String("Source Erase"))
        return QPainter::RasterOp_SourceAndNotDestination;
    if (parametro == QLatin1String("Not Source Copy"))
        return QPainter::RasterOp_NotSource;
    if (parametro == QLatin1String("Not Source Erase"))
        return QPainter::RasterOp_NotSourceAndNotDestination;
    if (parametro == QLatin1String("Merge Paint"))
        return QPainter::RasterOp_NotSourceOrDestination;
    return QPainter::CompositionMode_Source;
}

// A picture stored with an 8-byte header (1, 256, the length of the rest) loses the header.
QByteArray SemCabecalho(const QByteArray& bytes)
{
    if (bytes.size() < 8)
        return bytes;
    const auto* dados = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint16>(dados) == 1 && qFromLittleEndian<quint16>(dados + 2) == 256
        && qFromLittleEndian<quint32>(dados + 4) == static_cast<quint32>(bytes.size() - 8))
        return bytes.mid(8);
    return bytes;
}

}   // namespace

// ---- painting ----

TCanvas* TdvCustomDBGrid::GetPaintCanvas() const
{
    return FCanvasSubstituto ? FCanvasSubstituto : Canvas();
}

int TdvCustomDBGrid::BottomReserve() const
{
    if (!(FOptions & dgShowFooter))
        return 0;
    return dvFooterBandHeight(FFooterHeight, DefaultRowHeight(), FOptions & dgFooter3DCells);
}

TRect TdvCustomDBGrid::GetFooterRect() const
{
    return {0, ClientHeight() - BottomReserve(), ClientWidth(), ClientHeight()};
}

void TdvCustomDBGrid::InvalidateFooter()
{
    if (FOptions & dgShowFooter)
        InvalidateRect(GetFooterRect());
}

void TdvCustomDBGrid::Paint()
{
    TCustomGrid::Paint();
    if (FOptions & dgShowFooter)
        DesenhaRodape();
    FArrasto->Paint(Canvas()->Painter());
}

void TdvCustomDBGrid::DrawCell(int coluna, int linha, const TRect& retangulo, TGridDrawState estado)
{
    TCanvas& canvas = *GetPaintCanvas();
    FDesenho = {};
    TRect r = retangulo;
    r.Right = std::min(r.Right, 2 * width());
    const bool fixa = estado & gdFixed;
    canvas.Font = fixa ? FTitleFont : TFont{font(), palette().color(QPalette::Text)};
    canvas.Brush.Color = fixa ? FTitleColor : GetFixedColor(coluna);
    FDesenho.DataRow = (FOptions & dgTitles) ? linha - 1 : linha;
    FDesenho.DataCol = (FOptions & dgIndicator) ? coluna - 1 : coluna;
    FDesenho.Rect = r;
    FDesenho.State = estado;
    if (DesenhaTipoDeControle(coluna, linha, r, estado))
        return;
    if (FDesenho.DataRow < 0) {
        DesenhaTitulo(coluna, r);
        return;
    }
    if (!FDataLink->Active() || FDesenho.DataRow >= FDataLink->RecordCount()) {
        canvas.FillRect(r);
        return;
    }
    if (FDesenho.DataCol < 0) {
        DesenhaIndicador(r);
        return;
    }
    DesenhaCelulaDeDados(r, estado);
}

bool TdvCustomDBGrid::DesenhaTipoDeControle(int coluna, int linha, const TRect& r, TGridDrawState estado)
{
    if (!IsDataCell(coluna, linha))
        return false;
    QString tipo, parametros;
    GetControlInfo(Fields(FDesenho.DataCol)->FieldName(), tipo, parametros);
    if (tipo == CheckBox)
        DesenhaCheckBox(coluna, linha, r, estado);
    else if (tipo == QLatin1String("Bitmap"))
        DesenhaBitmap(coluna, r, estado, parametros);
    else if (tipo == QLatin1String("ImageIndex"))
        DesenhaImageIndex(coluna, r, estado, parametros);
    else
        return false;
    return true;
}

void TdvCustomDBGrid::DesenhaTitulo(int coluna, const TRect& r)
{
    TCanvas& canvas = *GetPaintCanvas();
    TAlignment alinhamento = FTitleAlignment;
    TField* campo = Fields(FDesenho.DataCol);
    if (!campo) {
        EscreveTextoDaCelula(r, QString(), alinhamento);
        return;
    }
    if (FDesenho.DataCol == 0 && (FOptions & dgIndicator) && FIndicatorButton && FIndicatorButton->isVisible())
        FIndicatorButton->update();
    QString titulo = campo->DisplayLabel();
    if (!FUseTFields) {
        int linha = -1;
        if (dvFindSelectedField(FSelected, campo->FieldName(), linha))
            titulo = dvSelectedPart(FSelected[linha], 2);
    }
    DoCalcTitleAttributes(campo->FieldName(), canvas.Font, canvas.Brush, alinhamento);
    canvas.FillRect(r);
    TdvTitleImageAttributes imagem;
    DoCalcTitleImage(campo, imagem);
    const bool pressionado = FTitleButtons && FTituloPressionadoCol >= 0 && !FCanvasSubstituto
        && FTituloPressionadoCol == coluna;
    const int p = pressionado ? 1 : 0;
    TRect texto = r;
    if (imagem.ImageIndex >= 0 && FTitleImageList) {
        const int largura = FTitleImageList->Width();
        const int altura = FTitleImageList->Height();
        const int topo = (r.Top + r.Bottom - altura) / 2 + p;
        int x = (r.Left + r.Right - largura) / 2 + p;
        if (imagem.Alignment == taLeftJustify) {
            x = r.Left + imagem.Margin + p;
            texto.Left = std::min(r.Left + largura + imagem.Margin, r.Right);
        } else if (imagem.Alignment == taRightJustify) {
            x = r.Right - largura - imagem.Margin + p;
            texto.Right = std::max(r.Right - largura - imagem.Margin, r.Left);
        }
        FTitleImageList->Draw(canvas.Painter(), x, topo, imagem.ImageIndex);
    }
    bool padrao = true;
    DoDrawTitleCell(canvas, campo, r, padrao);
    if (padrao && imagem.Alignment != taCenter)
        EscreveTextoDaCelula(texto, titulo, alinhamento);
    if (FTitleButtons && !FCanvasSubstituto)
        TEdgePainter::DrawEdge(canvas.Painter(), r,
                               pressionado ? TEdgePainter::BDR_SUNKENOUTER : TEdgePainter::BDR_RAISEDINNER,
                               TEdgePainter::BF_RECT, palette());
}

void TdvCustomDBGrid::DesenhaIndicador(const TRect& r)
{
    TCanvas& canvas = *GetPaintCanvas();
    canvas.FillRect(r);
    if (FDesenho.DataRow != FDataLink->ActiveRecord())
        return;
    const TDataSet* dados = DataSet();
    TdvIndicatorKind tipo = TdvIndicatorKind::Arrow;
    if (dados && dados->State() == dsEdit)
        tipo = TdvIndicatorKind::Edit;
    else if (dados && dados->State() == dsInsert)
        tipo = TdvIndicatorKind::Insert;
    const QImage& marca = TdvGridResources::Indicator(tipo);
    const int x = r.Left + (r.Width() - marca.width()) / 2 + 1;
    const int y = (r.Top + r.Bottom - marca.height()) / 2;
    QPainter& p = canvas.Painter();
    p.save();
    if (FIndicatorColor == TdvIndicatorColor::icYellow && tipo == TdvIndicatorKind::Arrow) {
        p.drawImage(x, y, TdvGridResources::YellowArrow(canvas.Brush.Color));
    } else {
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.drawImage(x, y, marca);
    }
    p.restore();
}

void TdvCustomDBGrid::DesenhaCelulaDeDados(const TRect& r, TGridDrawState estado)
{
    TCanvas& canvas = *GetPaintCanvas();
    TdvRegistroMomentaneo registro(*FDataLink, FDesenho.DataRow);
    TField* campo = Fields(FDesenho.DataCol);
    QString texto;
    GetFieldText(FDesenho.DataCol, texto);
    const bool destaca = HighlightCell(FDesenho.DataCol, FDesenho.DataRow, texto, estado);
    if (destaca) {
        canvas.Brush.Color = palette().color(QPalette::Highlight);
        canvas.Font.Color = palette().color(QPalette::HighlightedText);
    }
    DoCalcCellColors(campo, estado, destaca, canvas.Font, canvas.Brush);
    const TAlignment alinhamento = campo && !FDesenho.ForcaEsquerda ? campo->Alignment() : taLeftJustify;
    if (FDefaultDrawing)
        WriteCellText(texto, alinhamento);
    else
        canvas.FillRect(r);
    DrawDataCell(r, campo, estado);
}

void TdvCustomDBGrid::WriteCellText(const QString& text, TAlignment alignment)
{
    EscreveTextoDaCelula(FDesenho.Rect, text, alignment);
}

void TdvCustomDBGrid::EscreveTextoDaCelula(const TRect& r, const QString& text, TAlignment alignment)
{
    TCanvas& canvas = *GetPaintCanvas();
    const bool linhas = FOptions & dgRowLines;
    if (FDesenho.DataRow < 0) {
        const int p = (FTitleButtons && FTituloPressionadoCol >= 0 && !FCanvasSubstituto
                       && FTituloPressionadoCol == FDesenho.DataCol + FIndicatorOffset)
            ? 1
            : 0;
        const int quantas = dvTitleLineCount(text, FTitleLines);
        const int dy = dvTitleTextTop(RowHeights(0), dvLineStep(canvas.Font.Font, quantas), quantas, p);
        unsigned flags = wtEllipsis;
        if (OnDrawTitleCell)
            flags |= wtKeepPicture;
        if (!FUseTFields)
            flags |= wtPrefix;
        QString texto = text;
        texto.replace(QLatin1Char('~'), QLatin1Char('\n'));
        // A column that goes on past the grid's right edge has its title over the part shown.
        TRect visivel = r;
        if (visivel.Right > ClientWidth() && visivel.Left < ClientWidth())
            visivel.Right = ClientWidth();
        WriteTextRect(canvas, visivel, 3 + p, flags, alignment, texto, dy);
        return;
    }
    unsigned flags = 0;
    if ((FOptions & dgTrailingEllipsis) && dvIsSingleLineHeight(canvas.Font.Font, r))
        flags |= wtEllipsis;
    if (FOptions & dgWordWrap)
        flags |= wtWordWrap;
    WriteTextRect(canvas, r, 3, flags, alignment, text, linhas ? 2 : 1);
}

void TdvCustomDBGrid::WriteTextRect(TCanvas& canvas, const TRect& r, int dx, unsigned flags, TAlignment alignment,
                                    const QString& text, int dy)
{
    dvWriteTextRect(canvas, r, dx, flags, alignment, text, dy);
}

void TdvCustomDBGrid::DrawCellBackground(TField* field, bool drawFocus)
{
    TCanvas& canvas = *GetPaintCanvas();
    const bool fixa = FDesenho.State & gdFixed;
    canvas.Brush.Color = fixa ? FTitleColor : GetFixedColor(FDesenho.DataCol + FIndicatorOffset);
    const bool destaca = HighlightCell(FDesenho.DataCol, FDesenho.DataRow, QString(), FDesenho.State);
    const QColor realce = palette().color(QPalette::Highlight);
    if (destaca) {
        canvas.Brush.Color = realce;
        canvas.Font.Color = palette().color(QPalette::HighlightedText);
    }
    DoCalcCellColors(field, FDesenho.State, destaca, canvas.Font, canvas.Brush);
    FDesenho.Destacada = destaca && canvas.Brush.Color == realce;
    canvas.FillRect(FDesenho.Rect);
    if (destaca && IsActiveControl() && !(FOptions & dgRowSelect)) {
        FDesenho.MolduraFoco = true;
        if (drawFocus)
            TEdgePainter::DrawFocusRect(canvas.Painter(), FDesenho.Rect, palette());
    }
}

void TdvCustomDBGrid::DrawCheckBox(const TRect& r, int coluna, bool checked, int)
{
    const TdvCheckBoxInGridStyle estilo = dvIntl().CheckBoxInGridStyle();
    const bool somenteLeitura = ColumnByIndex(coluna - FIndicatorOffset)->ReadOnly();
    dvDrawGridCheckBox(GetPaintCanvas()->Painter(), r, checked, somenteLeitura,
                       estilo != TdvCheckBoxInGridStyle::cbStyleXmark, palette());
}

void TdvCustomDBGrid::DrawCellLines(const TRect& r, int coluna, TGridDrawState state, int)
{
    if (FDesenho.LinhasDesenhadas)
        return;
    FDesenho.LinhasDesenhadas = true;
    const bool dados = !(state & gdFixed);
    const bool gradeBranca = GetFixedColor(coluna) == QColor(Qt::white);
    if (dados && gradeBranca && (FDesenho.PincelBranco || FDesenho.Destacada))
        return;
    if (dados && !Ctl3D())
        return;
    QPainter& p = GetPaintCanvas()->Painter();
    const QColor claro = palette().color(QPalette::Light);
    const QColor escuro = (state & gdFixed) && (state & gdSelected) ? QColor(Qt::black)
                                                                    : palette().color(QPalette::Dark);
    if (FOptions & dgColLines) {
        p.fillRect(QRect(r.Left, r.Top, 1, r.Height()), claro);
        p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), escuro);
    }
    if (FOptions & dgRowLines) {
        p.fillRect(QRect(r.Left, r.Top, r.Width(), 1), claro);
        p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), dados && gradeBranca ? QColor(Qt::black) : escuro);
    }
}

void TdvCustomDBGrid::DesenhaCheckBox(int coluna, int linha, const TRect& r, TGridDrawState estado)
{
    TdvRegistroMomentaneo registro(*FDataLink, FDesenho.DataRow);
    TField* campo = Fields(FDesenho.DataCol);
    QString marcado, desmarcado;
    GetCheckBoxValues(coluna, linha, marcado, desmarcado);
    QString valor;
    if (EhSelected(campo))
        valor = IsCurrentRowSelected() ? marcado : desmarcado;
    else
        GetFieldText(FDesenho.DataCol, valor);
    DrawCellBackground(campo, true);
    const TRect caixa{(r.Left + r.Right - 10) / 2, (r.Top + r.Bottom - 10) / 2, 0, 0};
    DrawCheckBox({caixa.Left, caixa.Top, caixa.Left + 10, caixa.Top + 10}, coluna,
                 valor.compare(marcado, Qt::CaseInsensitive) == 0, linha);
    DrawCellLines(r, coluna, estado, linha);
}

QByteArray TdvCustomDBGrid::FiguraDoCampo(TField* campo, bool inserindoEstaLinha) const
{
    TDataSet* dados = DataSet();
    if (campo->Calculated() && !dvGetFieldLookupResultField(dados, campo->FieldName()).isEmpty()) {
        TField* resultado = nullptr;
        QString mestre;
        if (!dvFindLookupRecord(dados, campo, resultado, mestre) || !resultado)
            return {};
        return resultado->AsBytes();
    }
    if (campo->Lookup()) {
        const TField* chave = dados->FindField(campo->KeyFields.section(QLatin1Char(';'), 0, 0));
        if (!campo->LookupDataSet || !chave
            || !dvFindMatch(campo->LookupDataSet, chave->Text(), campo->LookupKeyFields.section(QLatin1Char(';'), 0, 0),
                            mtExact, false))
            return {};
        const TField* resultado = campo->LookupDataSet->FindField(campo->LookupResultField);
        return resultado ? resultado->AsBytes() : QByteArray();
    }
    if (inserindoEstaLinha)
        return {};
    return campo->AsBytes();
}

void TdvCustomDBGrid::DesenhaBitmap(int coluna, const TRect& r, TGridDrawState estado, const QString& parametros)
{
    const QStringList partes = parametros.split(QLatin1Char(';'));
    const QString ajuste = partes.value(0);
    const QString copia = partes.value(1);
    const int ativo = FDataLink->ActiveRecord();
    const TDataSet* dados = DataSet();
    TdvRegistroMomentaneo registro(*FDataLink, FDesenho.DataRow);
    TField* campo = Fields(FDesenho.DataCol);
    const bool inserindo = dados->State() == dsInsert && FDesenho.DataRow == ativo;
    QImage figura;
    figura.loadFromData(SemCabecalho(FiguraDoCampo(campo, inserindo)));
    QPainter& p = GetPaintCanvas()->Painter();
    p.save();
    DrawCellBackground(campo, true);
    if (figura.width() > 0 && figura.height() > 0) {
        p.setCompositionMode(ModoDeCopia(copia));
        const int w = r.Width();
        const int h = r.Height();
        const int pw = figura.width();
        const int ph = figura.height();
        if (ajuste == QLatin1String("Original Size")) {
            p.drawImage(QPoint(r.Left + 1, r.Top + 1), figura, QRect(0, 0, std::min(pw, w - 1), std::min(ph, h - 1)));
        } else if (ajuste == QLatin1String("Stretch To Fit")) {
            p.drawImage(r.ToQRect(), figura);
        } else if (ajuste == QLatin1String("Fit Height")) {
            int largura = pw * h / ph;
            int origem = pw;
            if (largura > w) {
                origem = w * ph / h;
                largura = w;
            }
            if (largura >= 3 && h >= 3)
                p.drawImage(QRect(r.Left + 1, r.Top, largura, h), figura, QRect(0, 0, origem, ph));
        } else if (ajuste == QLatin1String("Fit Width")) {
            int altura = ph * w / pw;
            int origem = ph;
            if (altura > h) {
                origem = h * pw / w;
                altura = h;
            }
            if (altura >= 3 && w >= 3)
                p.drawImage(QRect(r.Left + 1, r.Top, w, altura), figura, QRect(0, 0, pw, origem));
        }
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (HighlightCell(FDesenho.DataCol, FDesenho.DataRow, QString(), estado)) {
            p.setPen(palette().color(QPalette::Highlight));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(r.Left, r.Top, w - 1, h - 1));
            FDesenho.LinhasDesenhadas = true;
        }
    }
    p.restore();
    DrawCellLines(r, coluna, estado, FDesenho.DataRow + FTitleOffset);
}

void TdvCustomDBGrid::DesenhaImageIndex(int coluna, const TRect& r, TGridDrawState estado, const QString& parametros)
{
    TField* campo = Fields(FDesenho.DataCol);
    const int linha = FDesenho.DataRow + FTitleOffset;
    if (!EhNumero(campo->DataType()) || !FImageList) {
        DrawCellLines(r, coluna, estado, linha);
        return;
    }
    TdvRegistroMomentaneo registro(*FDataLink, FDesenho.DataRow);
    DrawCellBackground(campo, false);
    const int largura = FImageList->Width();
    const int altura = FImageList->Height();
    QImage imagem(largura, altura, QImage::Format_ARGB32_Premultiplied);
    imagem.fill(GetPaintCanvas()->Brush.Color);
    if (!campo->IsNull()) {
        const int indice = campo->DataType() == ftFloat || campo->DataType() == ftCurrency
            ? static_cast<int>(campo->AsFloat())
            : campo->AsInteger();
        if (indice >= 0) {
            QPainter pintor(&imagem);
            FImageList->Draw(pintor, 0, 0, indice);
        }
    }
    const int esquerda = std::max(r.Left, (r.Left + r.Right - largura) / 2);
    const int topo = std::max(r.Top, (r.Top + r.Bottom - altura) / 2);
    const QRect destino(esquerda, topo, std::min(largura, r.Right - esquerda), std::min(altura, r.Bottom - topo));
    QPainter& p = GetPaintCanvas()->Painter();
    if (parametros.section(QLatin1Char(';'), 0, 0) == QLatin1String("Shrink To Fit"))
        p.drawImage(destino, imagem);
    else
        p.drawImage(destino.topLeft(), imagem, QRect(0, 0, destino.width(), destino.height()));
    if (FDesenho.MolduraFoco)
        dvDrawFocusFrame(p, r, palette());
    DrawCellLines(r, coluna, estado, linha);
}

void TdvCustomDBGrid::DesenhaRodape()
{
    TCanvas& canvas = *GetPaintCanvas();
    QPainter& p = canvas.Painter();
    const TRect faixa = GetFooterRect();
    if (faixa.Height() <= 0)
        return;
    p.save();
    p.setClipRect(faixa.ToQRect());
    p.fillRect(faixa.ToQRect(), Color());
    p.fillRect(faixa.ToQRect(), FFooterColor);
    TEdgePainter::DrawEdge(p, faixa, TEdgePainter::BDR_RAISEDINNER, TEdgePainter::BF_RECT, palette());
    const bool tresD = FOptions & dgFooter3DCells;
    std::vector<int> colunas;
    for (int i = FIndicatorOffset; i < FixedCols(); ++i)
        colunas.push_back(i);
    for (int i = LeftCol(); i < ColCount(); ++i)
        colunas.push_back(i);
    for (const int coluna : colunas) {
        const TRect celula = CellRect(coluna, FixedRows() > 0 ? 0 : TopRow());
        if (celula.Width() <= 0)
            continue;
        const TRect r{celula.Left, faixa.Top + 2, celula.Right, faixa.Bottom - 2};
        TField* campo = Fields(coluna - FIndicatorOffset);
        const QString texto = ColumnByIndex(coluna - FIndicatorOffset)->FooterValue();
        canvas.Brush.Color = FFooterCellColor;
        canvas.Font = {font(), palette().color(QPalette::Text)};
        bool padrao = true;
        if (OnDrawFooterCell)
            OnDrawFooterCell(this, canvas, r, campo, texto, padrao);
        if (!padrao || texto.isEmpty())
            continue;
        canvas.FillRect(r);
        TEdgePainter::DrawEdge(p, r, tresD ? TEdgePainter::EDGE_SUNKEN : TEdgePainter::BDR_SUNKENOUTER,
                               TEdgePainter::BF_RECT, palette());
        const int alturaTexto = dvTextHeight(canvas.Font.Font);
        const QRect area(r.Left + 5, r.Top + (r.Height() - alturaTexto) / 2, std::max(0, r.Width() - 14), alturaTexto);
        int alinhamento = Qt::AlignLeft;
        if (campo && campo->Alignment() == taRightJustify)
            alinhamento = Qt::AlignRight;
        else if (campo && campo->Alignment() == taCenter)
            alinhamento = Qt::AlignHCenter;
        canvas.ApplyFont();
        p.drawText(area, alinhamento | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs, texto);
    }
    p.restore();
}
