#include "platform/widgets/controls/TMonthCalControl.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "platform/widgets/painting/SystemColors.h"
#include "platform/widgets/painting/TEdgePainter.h"
#include "platform/widgets/windows/TExcecaoDeEvento.h"

namespace {

constexpr int Margem = 4;   // inside the month, left and right of the grid and below it
constexpr int Linhas = 6;
constexpr int Colunas = 7;

// The month's title: "Month Year", the month and the year in their own rectangles.
QString Titulo(const QString& mes, int ano)
{
    return mes + QLatin1Char(' ') + QString::number(ano);
}

QFont Negrito(const QFont& fonte)
{
    QFont f = fonte;
    f.setBold(true);
    return f;
}

// The triangle of a scroll button pointing left or right.
void Seta(QPainter& p, const TRect& r, bool esquerda, const QColor& cor)
{
    const int meio = r.Top + r.Height() / 2;
    const int meia = std::max(2, std::min(r.Width(), r.Height()) / 3);
    const int x = r.Left + r.Width() / 2;
    QPainterPath caminho;
    if (esquerda) {
        caminho.moveTo(x - meia / 2, meio);
        caminho.lineTo(x + meia / 2 + 1, meio - meia);
        caminho.lineTo(x + meia / 2 + 1, meio + meia);
    } else {
        caminho.moveTo(x + meia / 2 + 1, meio);
        caminho.lineTo(x - meia / 2, meio - meia);
        caminho.lineTo(x - meia / 2, meio + meia);
    }
    caminho.closeSubpath();
    p.fillPath(caminho, cor);
}

}   // namespace

TMonthCalControl::TMonthCalControl(QWidget* parent)
    : QWidget(parent)
{
    FColors = {SystemColors::Window(),        SystemColors::WindowText(), SystemColors::ActiveCaption(),
               SystemColors::HighlightText(), SystemColors::Window(),     SystemColors::InactiveCaptionText()};
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QDate hoje = QDate::currentDate();
    FShownYear = hoje.year();
    FShownMonth = hoje.month();
    FitSize();
}

void TMonthCalControl::SetCalStyle(unsigned estilo)
{
    FStyle = estilo;
    if (!(FStyle & MCS_MULTISELECT))
        FSelEnd = FSelStart;
    RefreshDayState();
    FitSize();
    update();
}

void TMonthCalControl::SetBordered(bool valor)
{
    FBordered = valor;
    setContentsMargins(valor ? 1 : 0, valor ? 1 : 0, valor ? 1 : 0, valor ? 1 : 0);
    FitSize();
    update();
}

bool TMonthCalControl::InRange(const QDate& dia) const
{
    return dia.isValid() && (!FMin.isValid() || dia >= FMin) && (!FMax.isValid() || dia <= FMax);
}

bool TMonthCalControl::SetCurSel(const QDate& dia)
{
    if (!InRange(dia))
        return false;
    FSelStart = FSelEnd = dia;
    ShowMonth(dia.year(), dia.month());
    update();
    return true;
}

int TMonthCalControl::SelectedDays(const QDate& a, const QDate& b) const
{
    return static_cast<int>(std::abs(a.daysTo(b))) + 1;
}

bool TMonthCalControl::SetSelRange(const QDate& inicio, const QDate& fim)
{
    const QDate a = std::min(inicio, fim);
    const QDate b = std::max(inicio, fim);
    if (!InRange(a) || !InRange(b) || SelectedDays(a, b) > FMaxSelCount)
        return false;
    FSelStart = a;
    FSelEnd = (FStyle & MCS_MULTISELECT) ? b : a;
    ShowMonth(a.year(), a.month());
    update();
    return true;
}

void TMonthCalControl::SetMaxSelCount(int quantidade)
{
    FMaxSelCount = std::max(1, quantidade);
}

void TMonthCalControl::SetRange(const QDate& minimo, const QDate& maximo)
{
    FMin = minimo;
    FMax = maximo;
    update();
}

void TMonthCalControl::SetFirstDayOfWeek(int dia)
{
    FFirstDayOfWeek = std::clamp(dia, 0, 6);
    RefreshDayState();
    update();
}

QColor TMonthCalControl::CalColor(int indice) const
{
    return indice >= 0 && indice < static_cast<int>(FColors.size()) ? FColors[static_cast<std::size_t>(indice)]
                                                                    : QColor();
}

void TMonthCalControl::SetCalColor(int indice, const QColor& cor)
{
    if (indice < 0 || indice >= static_cast<int>(FColors.size()))
        return;
    FColors[static_cast<std::size_t>(indice)] = cor;
    update();
}

void TMonthCalControl::SetNames(const TNames& nomes)
{
    FNames = nomes;
    FitSize();
    update();
}

void TMonthCalControl::SetShowsFocus(bool valor)
{
    FShowsFocus = valor;
    update();
}

void TMonthCalControl::ShowMonth(int ano, int mes)
{
    if (!QDate(ano, mes, 1).isValid() || (ano == FShownYear && mes == FShownMonth))
        return;
    FShownYear = ano;
    FShownMonth = mes;
    RefreshDayState();
    update();
}

void TMonthCalControl::RefreshDayState()
{
    FDayStates = {};
    if (!(FStyle & MCS_DAYSTATE) || !OnGetDayState)
        return;
    // The grid shows the end of the month before and the start of the month after.
    const QDate antes = QDate(FShownYear, FShownMonth, 1).addMonths(-1);
    const std::vector<std::uint32_t> estados = OnGetDayState(antes.year(), antes.month(), 3);
    for (std::size_t i = 0; i < FDayStates.size() && i < estados.size(); ++i)
        FDayStates[i] = estados[i];
    update();
}

bool TMonthCalControl::IsBoldDay(const QDate& dia) const
{
    const QDate antes = QDate(FShownYear, FShownMonth, 1).addMonths(-1);
    const int indice = (dia.year() - antes.year()) * 12 + dia.month() - antes.month();
    if (indice < 0 || indice >= static_cast<int>(FDayStates.size()))
        return false;
    return (FDayStates[static_cast<std::size_t>(indice)] >> (dia.day() - 1)) & 1u;
}

QDate TMonthCalControl::FirstCell(int ano, int mes, int primeiroDiaDaSemana)
{
    const QDate primeiro(ano, mes, 1);
    const int diaDaSemana = primeiro.dayOfWeek() - 1;   // 0 Monday .. 6 Sunday
    return primeiro.addDays(-((diaDaSemana - primeiroDiaDaSemana + 7) % 7));
}

TMonthCalControl::TLayout TMonthCalControl::LayoutFor(const TMetrics& m, const QSize& cliente, unsigned estilo,
                                                      int larguraMes, int larguraEspaco, int larguraAno)
{
    TLayout l;
    const int alturaTitulo = m.LineHeight + 8;
    const int botao = alturaTitulo - 6;
    const int alturaNomes = m.LineHeight + 3;
    l.CellWidth = m.CellWidth;
    l.CellHeight = m.LineHeight + 2;
    const int semanas = (estilo & MCS_WEEKNUMBERS) ? m.CellWidth : 0;
    const int alturaHoje = (estilo & MCS_NOTODAY) ? 0 : m.LineHeight + 6;
    const int larguraGrade = semanas + Colunas * l.CellWidth;
    const int conteudo = std::max({larguraGrade, m.TitleWidth + 2 * (botao + 6), m.TodayWidth + 24});
    l.MinSize = QSize(conteudo + 2 * Margem,
                      alturaTitulo + 2 + alturaNomes + Linhas * l.CellHeight + 2 + alturaHoje + Margem);

    const int esquerda = std::max(0, (cliente.width() - l.MinSize.width()) / 2);
    const int topo = std::max(0, (cliente.height() - l.MinSize.height()) / 2);
    l.Block = {esquerda, topo, esquerda + l.MinSize.width(), topo + l.MinSize.height()};
    l.Title = {l.Block.Left, l.Block.Top, l.Block.Right, l.Block.Top + alturaTitulo};
    l.PrevButton = {l.Title.Left + 3, l.Title.Top + 3, l.Title.Left + 3 + botao, l.Title.Top + 3 + botao};
    l.NextButton = {l.Title.Right - 3 - botao, l.Title.Top + 3, l.Title.Right - 3, l.Title.Top + 3 + botao};
    const int texto = l.Title.Left + (l.Title.Width() - (larguraMes + larguraEspaco + larguraAno)) / 2;
    l.TitleMonth = {texto, l.Title.Top + 2, texto + larguraMes, l.Title.Bottom - 2};
    l.TitleYear = {l.TitleMonth.Right + larguraEspaco, l.Title.Top + 2, l.TitleMonth.Right + larguraEspaco + larguraAno,
                   l.Title.Bottom - 2};

    const int grade = l.Block.Left + Margem + (conteudo - larguraGrade) / 2;
    l.DayNames = {grade + semanas, l.Title.Bottom + 2, grade + larguraGrade, l.Title.Bottom + 2 + alturaNomes};
    l.Days = {grade + semanas, l.DayNames.Bottom, grade + larguraGrade, l.DayNames.Bottom + Linhas * l.CellHeight};
    if (semanas > 0)
        l.WeekNumbers = {grade, l.Days.Top, grade + semanas, l.Days.Bottom};
    if (alturaHoje > 0)
        l.Today = {l.Block.Left + Margem, l.Days.Bottom + 2, l.Block.Right - Margem, l.Days.Bottom + 2 + alturaHoje};
    return l;
}

QString TMonthCalControl::MonthName(int mes) const
{
    if (FNames.Months.size() == 12)
        return FNames.Months[mes - 1];
    return QLocale::c().monthName(mes);
}

QString TMonthCalControl::DayName(int diaDaSemana) const
{
    if (FNames.Days.size() == 7)
        return FNames.Days[diaDaSemana];
    return QLocale::c().dayName(diaDaSemana + 1, QLocale::ShortFormat);
}

QDate TMonthCalControl::Today() const
{
    return QDate::currentDate();
}

QString TMonthCalControl::TodayText(const QDate& hoje) const
{
    return QStringLiteral("Today: ") + hoje.toString(Qt::ISODate);
}

TMonthCalControl::TMetrics TMonthCalControl::Metrics() const
{
    const QFontMetrics normal(font());
    const QFontMetrics negrito(Negrito(font()));
    TMetrics m;
    m.LineHeight = normal.height();
    int celula = negrito.horizontalAdvance(QStringLiteral("00"));
    for (int d = 0; d < 7; ++d)
        celula = std::max(celula, normal.horizontalAdvance(DayName(d)));
    m.CellWidth = celula + 8;
    for (int mes = 1; mes <= 12; ++mes)
        m.TitleWidth = std::max(m.TitleWidth, negrito.horizontalAdvance(Titulo(MonthName(mes), 2000)));
    m.TodayWidth = negrito.horizontalAdvance(TodayText(Today()));
    return m;
}

TMonthCalControl::TLayout TMonthCalControl::CurrentLayout() const
{
    const QFontMetrics negrito(Negrito(font()));
    return LayoutFor(Metrics(), contentsRect().size(), FStyle, negrito.horizontalAdvance(MonthName(FShownMonth)),
                     negrito.horizontalAdvance(QLatin1Char(' ')),
                     negrito.horizontalAdvance(QString::number(FShownYear)));
}

QSize TMonthCalControl::MinReqSize() const
{
    const QMargins margens = contentsMargins();
    return CurrentLayout().MinSize.grownBy(margens);
}

void TMonthCalControl::FitSize()
{
    const QSize minimo = MinReqSize();
    setMinimumSize(minimo);
    if (width() < minimo.width() || height() < minimo.height())
        resize(std::max(width(), minimo.width()), std::max(height(), minimo.height()));
}

TMonthCalControl::THitTest TMonthCalControl::HitTest(const QPoint& ponto) const
{
    const TLayout l = CurrentLayout();
    const QPoint p = ponto - contentsRect().topLeft();
    auto dentro = [&p](const TRect& r) { return r.ToQRect().contains(p); };
    THitTest h;
    if (dentro(l.PrevButton))
        h.Hit = MCHT_TITLEBTNPREV;
    else if (dentro(l.NextButton))
        h.Hit = MCHT_TITLEBTNNEXT;
    else if (dentro(l.TitleMonth))
        h.Hit = MCHT_TITLEMONTH;
    else if (dentro(l.TitleYear))
        h.Hit = MCHT_TITLEYEAR;
    else if (dentro(l.Title))
        h.Hit = MCHT_TITLEBK;
    else if (dentro(l.DayNames))
        h.Hit = MCHT_CALENDARDAY;
    else if (dentro(l.WeekNumbers))
        h.Hit = MCHT_CALENDARWEEKNUM;
    else if (dentro(l.Days)) {
        const int coluna = (p.x() - l.Days.Left) / l.CellWidth;
        const int linha = (p.y() - l.Days.Top) / l.CellHeight;
        h.Date = FirstCell(FShownYear, FShownMonth, FFirstDayOfWeek).addDays(linha * Colunas + coluna);
        const int mes = (h.Date.year() - FShownYear) * 12 + h.Date.month() - FShownMonth;
        h.Hit = mes < 0 ? MCHT_CALENDARDATEPREV : mes > 0 ? MCHT_CALENDARDATENEXT : MCHT_CALENDARDATE;
    } else if (dentro(l.Today))
        h.Hit = MCHT_TODAYLINK;
    else if (dentro(l.Block))
        h.Hit = MCHT_CALENDARBK;
    return h;
}

QRect TMonthCalControl::DayRect(const QDate& dia) const
{
    const TLayout l = CurrentLayout();
    const qint64 indice = FirstCell(FShownYear, FShownMonth, FFirstDayOfWeek).daysTo(dia);
    if (indice < 0 || indice >= Linhas * Colunas)
        return {};
    const int i = static_cast<int>(indice);
    return QRect(l.Days.Left + (i % Colunas) * l.CellWidth, l.Days.Top + (i / Colunas) * l.CellHeight, l.CellWidth,
                 l.CellHeight)
        .translated(contentsRect().topLeft());
}

void TMonthCalControl::SelectByUser(const QDate& inicio, const QDate& fim)
{
    if (inicio == FSelStart && fim == FSelEnd)
        return;
    FSelStart = inicio;
    FSelEnd = fim;
    ShowMonth(FSelStart.year(), FSelStart.month());
    update();
    if (OnSelChange)
        OnSelChange(FSelStart, FSelEnd);
}

void TMonthCalControl::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const THitTest h = HitTest(e->position().toPoint());
    switch (h.Hit) {
    case MCHT_TITLEBTNPREV:
    case MCHT_TITLEBTNNEXT: {
        const QDate mes = QDate(FShownYear, FShownMonth, 1).addMonths(h.Hit == MCHT_TITLEBTNPREV ? -1 : 1);
        ShowMonth(mes.year(), mes.month());
        break;
    }
    case MCHT_TODAYLINK:
        if (InRange(Today()))
            SelectByUser(Today(), Today());
        break;
    default:
        if (h.OnDay() && InRange(h.Date)) {
            FAnchor = h.Date;
            FDragging = (FStyle & MCS_MULTISELECT) != 0;
            SelectByUser(h.Date, h.Date);
        }
        break;
    }
}

void TMonthCalControl::mouseMoveEvent(QMouseEvent* e)
{
    if (!FDragging || !(e->buttons() & Qt::LeftButton))
        return;
    const THitTest h = HitTest(e->position().toPoint());
    if (!h.OnDay() || !InRange(h.Date))
        return;
    // The range grows from where the drag began, never past MaxSelCount days.
    const int passo = h.Date < FAnchor ? -1 : 1;
    const qint64 distancia = std::min<qint64>(std::abs(FAnchor.daysTo(h.Date)), FMaxSelCount - 1);
    const QDate ponta = FAnchor.addDays(passo * distancia);
    SelectByUser(std::min(FAnchor, ponta), std::max(FAnchor, ponta));
}

void TMonthCalControl::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        FDragging = false;
}

void TMonthCalControl::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        FitSize();
}

bool TMonthCalControl::event(QEvent* e)
{
    try {
        return QWidget::event(e);
    } catch (...) {
        TExcecaoDeEvento::Trata(std::current_exception());
        return true;
    }
}

void TMonthCalControl::PaintDays(QPainter& p, const TLayout& l) const
{
    const QDate primeira = FirstCell(FShownYear, FShownMonth, FFirstDayOfWeek);
    const QDate hoje = Today();
    const QFont normal = font();
    const QFont negrito = Negrito(font());
    for (int i = 0; i < Linhas * Colunas; ++i) {
        const QDate dia = primeira.addDays(i);
        const QRect r(l.Days.Left + (i % Colunas) * l.CellWidth, l.Days.Top + (i / Colunas) * l.CellHeight, l.CellWidth,
                      l.CellHeight);
        const bool doMes = dia.month() == FShownMonth;
        const bool selecionado = FSelStart.isValid() && dia >= FSelStart && dia <= FSelEnd;
        QColor cor = doMes && InRange(dia) ? FColors[MCSC_TEXT] : FColors[MCSC_TRAILINGTEXT];
        if (selecionado) {
            p.fillRect(r, FColors[MCSC_TITLEBK]);
            cor = FColors[MCSC_MONTHBK];
        }
        p.setFont(IsBoldDay(dia) ? negrito : normal);
        p.setPen(cor);
        p.drawText(r, Qt::AlignCenter, QString::number(dia.day()));
        if (dia == hoje && !(FStyle & MCS_NOTODAYCIRCLE)) {
            p.setPen(QColor(255, 0, 0));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        }
        if (dia == FSelStart && !(FStyle & MCS_MULTISELECT) && (hasFocus() || FShowsFocus))
            TEdgePainter::DrawFocusRect(p, TRect::From(r.adjusted(1, 1, -1, -1)), palette());
    }
}

void TMonthCalControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (FBordered) {
        p.fillRect(rect(), palette().color(QPalette::Shadow));
    }
    const QRect area = contentsRect();
    p.fillRect(area, FColors[MCSC_BACKGROUND]);
    p.translate(area.topLeft());
    const TLayout l = CurrentLayout();

    p.fillRect(l.Block.ToQRect(), FColors[MCSC_MONTHBK]);
    p.fillRect(l.Title.ToQRect(), FColors[MCSC_TITLEBK]);
    p.setFont(Negrito(font()));
    p.setPen(FColors[MCSC_TITLETEXT]);
    p.drawText(l.TitleMonth.ToQRect(), Qt::AlignCenter, MonthName(FShownMonth));
    p.drawText(l.TitleYear.ToQRect(), Qt::AlignCenter, QString::number(FShownYear));
    Seta(p, l.PrevButton, true, FColors[MCSC_TITLETEXT]);
    Seta(p, l.NextButton, false, FColors[MCSC_TITLETEXT]);

    p.setFont(font());
    p.setPen(FColors[MCSC_TITLEBK]);
    for (int c = 0; c < Colunas; ++c) {
        const QRect r(l.DayNames.Left + c * l.CellWidth, l.DayNames.Top, l.CellWidth, l.DayNames.Height() - 2);
        p.drawText(r, Qt::AlignCenter, DayName((FFirstDayOfWeek + c) % 7));
    }
    p.setPen(FColors[MCSC_TEXT]);
    p.drawLine(l.DayNames.Left, l.DayNames.Bottom - 1, l.DayNames.Right - 1, l.DayNames.Bottom - 1);

    if (l.WeekNumbers.Width() > 0) {
        const QDate primeira = FirstCell(FShownYear, FShownMonth, FFirstDayOfWeek);
        const int quinta = (3 - FFirstDayOfWeek + 7) % 7;   // a week is numbered by its Thursday
        p.setPen(FColors[MCSC_TITLEBK]);
        for (int linha = 0; linha < Linhas; ++linha) {
            const QRect r(l.WeekNumbers.Left, l.WeekNumbers.Top + linha * l.CellHeight, l.WeekNumbers.Width(),
                          l.CellHeight);
            p.drawText(r, Qt::AlignCenter, QString::number(primeira.addDays(linha * Colunas + quinta).weekNumber()));
        }
        p.drawLine(l.WeekNumbers.Right - 1, l.WeekNumbers.Top, l.WeekNumbers.Right - 1, l.WeekNumbers.Bottom - 1);
    }

    PaintDays(p, l);

    if (l.Today.Height() > 0) {
        int x = l.Today.Left + 2;
        if (!(FStyle & MCS_NOTODAYCIRCLE)) {
            p.setPen(QColor(255, 0, 0));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(x + 0.5, l.Today.Top + 2.5, 16, l.Today.Height() - 5), 4, 4);
        }
        x += 22;
        p.setFont(Negrito(font()));
        p.setPen(FColors[MCSC_TEXT]);
        p.drawText(QRect(x, l.Today.Top, l.Today.Right - x, l.Today.Height()), Qt::AlignLeft | Qt::AlignVCenter,
                   TodayText(Today()));
    }
}
