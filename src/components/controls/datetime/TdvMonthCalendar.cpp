#include "components/controls/datetime/TdvMonthCalendar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "components/controls/datetime/EDateTimeError.h"
#include "components/controls/datetime/dvCalendar.h"
#include "components/controls/edits/dvInputBox.h"
#include "components/data/common/dvBeep.h"
#include "components/data/settings/TdvIntl.h"
#include "platform/widgets/painting/SystemColors.h"

namespace {

constexpr int LarguraInicial = 155;
constexpr int MesesPedidos = 14;   // at most this many months of bold days per request

TMonthCalControl::TNames NomesDoPrograma()
{
    TMonthCalControl::TNames nomes;
    for (int mes = 1; mes <= 12; ++mes)
        nomes.Months << dvLongMonthName(mes);
    // The columns are headed by the days' initials, as the platform's calendars head them.
    for (int dia = 0; dia < 7; ++dia)
        nomes.Days << dvShortDayName(dia).left(1);
    return nomes;
}

}   // namespace

TdvMonthCalendar::TdvMonthCalendar(QWidget* parent)
    : TMonthCalControl(parent)
    , FColors(this)
    , FColor(SystemColors::Window())
    , FMonthMenu(new TPopupMenu(this))
{
    FDateTime = dvNow();
    SetNames(NomesDoPrograma());
    OnSelChange = [this](const QDate& inicio, const QDate& fim) { SelChange(inicio, fim); };
    OnGetDayState = [this](int ano, int mes, int quantidade) { return DayStates(ano, mes, quantidade); };
    std::vector<TMenuItem> meses(12);
    for (int mes = 1; mes <= 12; ++mes)
        meses[static_cast<std::size_t>(mes - 1)].Caption = dvLongMonthName(mes);
    FMonthMenu->SetItems(std::move(meses));
    SetTabStop(true);
    CreateWnd();
    resize(LarguraInicial, height());
}

TdvMonthCalendar::~TdvMonthCalendar() = default;

void TdvMonthCalendar::CreateWnd()
{
    unsigned estilo = 0;
    if (FOptions & mdoDayState)
        estilo |= MCS_DAYSTATE;
    if (FOptions & mdoMultiSelect)
        estilo |= MCS_MULTISELECT;
    if (FOptions & mdoWeekNumbers)
        estilo |= MCS_WEEKNUMBERS;
    if (FOptions & mdoNoTodayCircle)
        estilo |= MCS_NOTODAYCIRCLE;
    if (FOptions & mdoNoToday)
        estilo |= MCS_NOTODAY;
    SetCalStyle(estilo);
    SetBordered(FBorderStyle == TBorderStyle::bsSingle);
    ApplyRange();
    if ((FOptions & mdoMultiSelect) != 0) {
        SetMaxSelCount(FMaxSelectCount);
        if (FSelStart != 0 && FSelEnd != 0)
            SetSelRange(dvToQDate(FSelStart), dvToQDate(FSelEnd));
        else
            SetDateTime(FDateTime);
    } else {
        SetDateTime(FDateTime);
    }
    for (int i = TdvDateTimeColors::Background; i <= TdvDateTimeColors::TrailingText; ++i)
        SetCalColor(i, FColors.Color(i));
    TMonthCalControl::SetFirstDayOfWeek(EffectiveFirstDayOfWeek());
    FitSize();
}

void TdvMonthCalendar::ApplyRange()
{
    SetRange(FMinDate != 0 ? dvToQDate(FMinDate) : QDate(), FMaxDate != 0 ? dvToQDate(FMaxDate) : QDate());
}

void TdvMonthCalendar::SetBorderStyle(TBorderStyle estilo)
{
    FBorderStyle = estilo;
    CreateWnd();
}

void TdvMonthCalendar::SetOptions(TdvMonthOptions opcoes)
{
    FOptions = opcoes;
    CreateWnd();
}

void TdvMonthCalendar::SetColor(const QColor& cor)
{
    FColor = cor;
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, cor);
    setPalette(paleta);
}

void TdvMonthCalendar::SetTabStop(bool valor)
{
    setFocusPolicy(valor ? Qt::StrongFocus : Qt::ClickFocus);
}

int TdvMonthCalendar::EffectiveFirstDayOfWeek() const
{
    return FFirstDayOfWeek == TdvCalDayOfWeek::dvdowLocaleDefault ? dvProgramFirstDayOfWeek
                                                                  : static_cast<int>(FFirstDayOfWeek);
}

void TdvMonthCalendar::SetFirstDayOfWeek(TdvCalDayOfWeek dia)
{
    FFirstDayOfWeek = dia;
    TMonthCalControl::SetFirstDayOfWeek(EffectiveFirstDayOfWeek());
}

void TdvMonthCalendar::SetMaxSelectCount(int quantidade)
{
    if (quantidade == FMaxSelectCount)
        return;
    FMaxSelectCount = quantidade;
    SetMaxSelCount(quantidade);
}

void TdvMonthCalendar::SetMaxDate(double valor)
{
    EDateTimeError::CheckNewMaxDate(valor, FMinDate);
    if (valor == FMaxDate)
        return;
    FMaxDate = valor;
    ApplyRange();
}

void TdvMonthCalendar::SetMinDate(double valor)
{
    EDateTimeError::CheckNewMinDate(valor, FMaxDate);
    if (valor == FMinDate)
        return;
    FMinDate = valor;
    ApplyRange();
}

double TdvMonthCalendar::Date() const
{
    return dvDatePart(FDateTime);
}

double TdvMonthCalendar::Time() const
{
    return dvTimePart(FDateTime);
}

void TdvMonthCalendar::SetDate(double valor)
{
    const double dia = dvDatePart(valor);
    if (dia == dvDatePart(FDateTime))
        return;
    const double novo = dvJoinDateTime(dia, dvTimePart(FDateTime));
    if (novo == 0) {
        update();
        return;
    }
    EDateTimeError::CheckLimits(novo, FMinDate, FMaxDate);
    SetDateTime(novo);
}

void TdvMonthCalendar::SetTime(double valor)
{
    if (valor == dvTimePart(FDateTime))
        return;
    const double novo = dvJoinDateTime(dvDatePart(FDateTime), valor);
    if (novo != 0)
        FDateTime = novo;
    update();
}

void TdvMonthCalendar::SetDateTime(double valor)
{
    double v = valor;
    if (FMaxDate != 0 && dvDatePart(v) > FMaxDate)
        v = FMaxDate;
    if (FMinDate != 0 && v < FMinDate)
        v = FMinDate;
    if (FMinDate == 0 && v < 0)
        v = 1;   // 31/12/1899
    const QDate dia = dvToQDate(v);
    bool aceito = false;
    if ((FOptions & mdoMultiSelect) != 0) {
        aceito = SetSelRange(dia, dia);
        if (aceito)
            FSelStart = FSelEnd = v;
    } else {
        aceito = SetCurSel(dia);
    }
    if (aceito)
        FDateTime = v;
    FKeyAnchor = 0;
}

void TdvMonthCalendar::SetSelectionStart(double valor)
{
    SetSelectionEdge(FSelStart, valor);
}

void TdvMonthCalendar::SetSelectionEnd(double valor)
{
    SetSelectionEdge(FSelEnd, valor);
}

void TdvMonthCalendar::SetSelectionEdge(double& ponta, double valor)
{
    try {
        EDateTimeError::CheckLimits(valor, FMinDate, FMaxDate);
    } catch (const EDateTimeError&) {
        ponta = FMaxDate != 0 && dvDatePart(valor) > FMaxDate ? FMaxDate : FMinDate;
        throw;
    }
    ponta = valor;
    if (FSelStart != 0 && FSelEnd != 0) {
        if (FSelStart > FSelEnd)
            std::swap(FSelStart, FSelEnd);
        SetSelRange(dvToQDate(FSelStart), dvToQDate(FSelEnd));
    }
}

bool TdvMonthCalendar::PopupMenuShowing() const
{
    return FMonthMenu->Showing() || (FYearMenu && FYearMenu->Showing());
}

void TdvMonthCalendar::Change()
{
    if (OnChange)
        OnChange(this);
}

void TdvMonthCalendar::MoveTo(double valor)
{
    const double antes = Date();
    SetDate(valor);
    if (Date() != antes)
        Change();
}

QDate TdvMonthCalendar::Today() const
{
    return dvToQDate(dvToday());
}

QString TdvMonthCalendar::TodayText(const QDate& hoje) const
{
    return QStringLiteral("Hoje: ") + dvShortDateText(dvFromQDate(hoje));
}

std::vector<std::uint32_t> TdvMonthCalendar::DayStates(int ano, int mes, int quantidade)
{
    return dvBoldDayStates(ano, mes, std::min(quantidade, MesesPedidos), [this](double quando, int m, int d, int a) {
        bool aceita = false;
        if (OnCalcBoldDay)
            OnCalcBoldDay(this, quando, m, d, a, aceita);
        return aceita;
    });
}

void TdvMonthCalendar::SelChange(const QDate& inicio, const QDate& fim)
{
    const double a = dvFromQDate(inicio);
    const double b = dvFromQDate(fim);
    if ((FOptions & mdoMultiSelect) != 0) {
        const bool mudou = a != dvDatePart(FSelStart) || b != dvDatePart(FSelEnd);
        if (a != dvDatePart(FSelStart))
            SetSelectionStart(a);
        if (b != dvDatePart(FSelEnd))
            SetSelectionEnd(b);
        FSelectionChanged = mudou;
        FKeyAnchor = 0;
        if (a == b && a != Date()) {
            SetDate(a);
            Change();
        }
        return;
    }
    if (a != Date()) {
        SetDate(a);
        Change();
    }
}

bool TdvMonthCalendar::OutsideLimits(double day, double minDate, double maxDate)
{
    const double d = dvDatePart(day);
    return (minDate != 0 && d < dvDatePart(minDate)) || (maxDate != 0 && d > dvDatePart(maxDate));
}

std::vector<TMenuItem> TdvMonthCalendar::MonthMenuItems(double date, int shownYear, int shownMonth, double minDate,
                                                        double maxDate)
{
    const double noAno = dvWithYear(date, shownYear);
    std::vector<TMenuItem> itens;
    for (int mes = 1; mes <= 12; ++mes) {
        TMenuItem item;
        item.Caption = dvLongMonthName(mes);
        item.Checked = mes == shownMonth;
        item.Enabled = !OutsideLimits(dvWithMonth(noAno, mes), minDate, maxDate);
        itens.push_back(item);
    }
    return itens;
}

std::vector<TMenuItem> TdvMonthCalendar::YearMenuItems(const TdvPopupYearOptions& opcoes, double date, int shownYear,
                                                       double minDate, double maxDate, const QString& editYearLabel)
{
    std::vector<TMenuItem> itens;
    const bool editaAno = opcoes.ShowEditYear;
    if (editaAno) {
        itens.push_back({editYearLabel, false, true, false, {}});
        itens.push_back({QStringLiteral("-"), false, true, false, {}});
    }
    const int quantidade = opcoes.YearsPerColumn * opcoes.NumberColumns;
    for (int i = 0; i < quantidade; ++i) {
        const int ano = opcoes.StartYear + i;
        TMenuItem item;
        item.Caption = QString::number(ano);
        item.Checked = ano == shownYear;
        const double mesmoDia = dvWithYear(date, ano);
        item.Enabled = dvDecodeDate(mesmoDia).Year == ano && !OutsideLimits(mesmoDia, minDate, maxDate);
        item.BarBreak = i == 0 ? editaAno && opcoes.YearsPerColumn != 1
                               : opcoes.YearsPerColumn > 0 && i % opcoes.YearsPerColumn == 0;
        itens.push_back(item);
    }
    return itens;
}

int TdvMonthCalendar::YearMenuLeft(int yearTextLeft, const TdvPopupYearOptions& opcoes, int editLabelWidth,
                                   int pixelsPerInch)
{
    if (opcoes.ShowEditYear && opcoes.YearsPerColumn != 1)
        return yearTextLeft - editLabelWidth - 45 * pixelsPerInch / 96;
    return yearTextLeft;
}

TdvYearQuestion TdvMonthCalendar::EditYearQuestion(double minDate, double maxDate, const QString& enterYearPrompt)
{
    TdvYearQuestion q;
    q.Caption = enterYearPrompt;
    q.Prompt = QStringLiteral("Enter New Year:");
    if (minDate != 0)
        q.MinYear = dvDecodeDate(minDate).Year;
    if (maxDate != 0)
        q.MaxYear = dvDecodeDate(maxDate).Year;
    if (minDate != 0 && maxDate != 0)
        q.Caption += QStringLiteral(" (%1-%2)").arg(q.MinYear).arg(q.MaxYear);
    else if (minDate != 0)
        q.Caption += QStringLiteral(" (>=%1)").arg(q.MinYear);
    else if (maxDate != 0)
        q.Caption += QStringLiteral(" (<=%1)").arg(q.MaxYear);
    else
        q.Prompt = QStringLiteral(" ");
    return q;
}

bool TdvMonthCalendar::AcceptsYear(const QString& resposta, const TdvYearQuestion& pergunta, int& ano)
{
    bool numero = false;
    const int valor = resposta.trimmed().toInt(&numero);
    if (!numero || valor < pergunta.MinYear || valor > pergunta.MaxYear)
        return false;
    ano = valor;
    return true;
}

void TdvMonthCalendar::ShowMonthMenu()
{
    std::vector<TMenuItem> itens = MonthMenuItems(Date(), ShownYear(), ShownMonth(), FMinDate, FMaxDate);
    for (std::size_t i = 0; i < itens.size(); ++i) {
        const int mes = static_cast<int>(i) + 1;
        itens[i].OnClick = [this, mes] {
            ShowMonth(ShownYear(), mes);
            MoveTo(dvWithMonth(dvWithYear(Date(), ShownYear()), mes));
        };
    }
    FMonthMenu->SetItems(std::move(itens));
    const TLayout l = CurrentLayout();
    FMonthMenu->Popup(mapToGlobal(contentsRect().topLeft() + QPoint(l.TitleMonth.Left, l.Title.Bottom)));
}

void TdvMonthCalendar::ShowYearMenu()
{
    if (!FYearMenu)
        FYearMenu = new TPopupMenu(this);
    const QString rotulo = dvIntl().MonthCalendar.PopupYearLabel;
    std::vector<TMenuItem> itens = YearMenuItems(FPopupYearOptions, Date(), ShownYear(), FMinDate, FMaxDate, rotulo);
    std::size_t primeiroAno = 0;
    if (FPopupYearOptions.ShowEditYear) {
        itens[0].OnClick = [this] { EditYear(); };
        primeiroAno = 2;
    }
    for (std::size_t i = primeiroAno; i < itens.size(); ++i) {
        const int ano = itens[i].Caption.toInt();
        itens[i].OnClick = [this, ano] { MoveTo(dvWithYear(Date(), ano)); };
    }
    FYearMenu->SetItems(std::move(itens));
    const TLayout l = CurrentLayout();
    const int esquerda = YearMenuLeft(l.TitleYear.Left, FPopupYearOptions,
                                      FYearMenu->fontMetrics().horizontalAdvance(rotulo), logicalDpiX());
    FYearMenu->Popup(mapToGlobal(contentsRect().topLeft() + QPoint(esquerda, l.Title.Bottom)));
}

void TdvMonthCalendar::EditYear()
{
    const TdvYearQuestion pergunta = EditYearQuestion(FMinDate, FMaxDate, dvIntl().MonthCalendar.EnterYearPrompt);
    const QString padrao = QString::number(ShownYear());
    int ano = 0;
    while (!AcceptsYear(dvInputBox(pergunta.Caption, pergunta.Prompt, padrao), pergunta, ano)) {}
    MoveTo(dvWithYear(Date(), ano));
}

bool TdvMonthCalendar::Intercepted(const THitTest& h) const
{
    switch (h.Hit) {
    case MCHT_TITLEMONTH:
    case MCHT_TITLEYEAR:
    case MCHT_TITLEBTNPREV:
    case MCHT_TITLEBTNNEXT:
        return true;
    default:
        return h.OnDay() && OutsideLimits(dvFromQDate(h.Date), FMinDate, FMaxDate);
    }
}

void TdvMonthCalendar::Report(const TmcMouseUpDownEvent& evento, QMouseEvent* e, const THitTest& h)
{
    if (!evento)
        return;
    const QPoint p = e->position().toPoint();
    const int mes = h.OnDay() ? h.Date.month() : ShownMonth();
    const int ano = h.OnDay() ? h.Date.year() : ShownYear();
    evento(this, e->button(), e->modifiers(), p.x(), p.y(), mes, h.OnDay() ? h.Date.day() : 0, ano);
}

void TdvMonthCalendar::MouseDown(QMouseEvent* e, const THitTest& h)
{
    if (focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
    Report(OnMouseDown, e, h);
    if (e->button() != Qt::LeftButton)
        return;
    switch (h.Hit) {
    case MCHT_TITLEBTNPREV:
    case MCHT_TITLEBTNNEXT: {
        double novo = dvIncMonth(Date(), h.Hit == MCHT_TITLEBTNPREV ? -1 : 1);
        if (FMinDate != 0 && novo < FMinDate) {
            novo = FMinDate;
            dvBeep();
        } else if (FMaxDate != 0 && dvDatePart(novo) > FMaxDate) {
            novo = FMaxDate;
            dvBeep();
        }
        MoveTo(novo);
        break;
    }
    case MCHT_TITLEMONTH:
        ShowMonthMenu();
        break;
    case MCHT_TITLEYEAR:
        ShowYearMenu();
        break;
    default:
        if (h.OnDay() && OutsideLimits(dvFromQDate(h.Date), FMinDate, FMaxDate))
            MoveTo(FMinDate != 0 && dvFromQDate(h.Date) < FMinDate ? FMinDate : FMaxDate);
        break;
    }
}

void TdvMonthCalendar::MouseUp(QMouseEvent* e, const THitTest& h)
{
    Report(OnMouseUp, e, h);
}

void TdvMonthCalendar::Press(QMouseEvent* e)
{
    const THitTest h = HitTest(e->position().toPoint());
    if (e->button() != Qt::LeftButton || !Intercepted(h))
        TMonthCalControl::mousePressEvent(e);
    MouseDown(e, h);
}

void TdvMonthCalendar::mousePressEvent(QMouseEvent* e)
{
    Press(e);
}

void TdvMonthCalendar::mouseDoubleClickEvent(QMouseEvent* e)
{
    Press(e);
}

void TdvMonthCalendar::mouseMoveEvent(QMouseEvent* e)
{
    TMonthCalControl::mouseMoveEvent(e);
    if (!OnMouseMove)
        return;
    const THitTest h = HitTest(e->position().toPoint());
    const QPoint p = e->position().toPoint();
    OnMouseMove(this, e->modifiers(), p.x(), p.y(), h.OnDay() ? h.Date.month() : ShownMonth(),
                h.OnDay() ? h.Date.day() : 0, h.OnDay() ? h.Date.year() : ShownYear());
}

void TdvMonthCalendar::mouseReleaseEvent(QMouseEvent* e)
{
    const THitTest h = HitTest(e->position().toPoint());
    const bool foraDosLimites = h.OnDay() && OutsideLimits(dvFromQDate(h.Date), FMinDate, FMaxDate);
    if (e->button() != Qt::LeftButton || !foraDosLimites)
        TMonthCalControl::mouseReleaseEvent(e);
    MouseUp(e, h);
}

void TdvMonthCalendar::StretchSelection(int dias)
{
    if (FKeyAnchor == 0)
        FKeyAnchor = dvDatePart(FSelStart != 0 ? FSelStart : FDateTime);
    const double ponta = (dvDatePart(FSelStart) == FKeyAnchor ? dvDatePart(FSelEnd) : dvDatePart(FSelStart)) + dias;
    if (OutsideLimits(ponta, FMinDate, FMaxDate) || std::abs(ponta - FKeyAnchor) + 1 > FMaxSelectCount)
        return;
    const double a = std::min(FKeyAnchor, ponta);
    const double b = std::max(FKeyAnchor, ponta);
    if (!SetSelRange(dvToQDate(a), dvToQDate(b)))
        return;
    FSelStart = a;
    FSelEnd = b;
    FSelectionChanged = true;
    Change();
}

bool TdvMonthCalendar::HandleKey(int key, Qt::KeyboardModifiers shift)
{
    int dias = 0;
    int meses = 0;
    switch (key) {
    case Qt::Key_PageUp:
        meses = -1;
        break;
    case Qt::Key_PageDown:
        meses = 1;
        break;
    case Qt::Key_Left:
        dias = -1;
        break;
    case Qt::Key_Right:
        dias = 1;
        break;
    case Qt::Key_Up:
        dias = -7;
        break;
    case Qt::Key_Down:
        dias = 7;
        break;
    default:
        return false;
    }
    if (dias != 0 && (FOptions & mdoMultiSelect) != 0 && (shift & Qt::ShiftModifier)) {
        StretchSelection(dias);
        return true;
    }
    SetDate(meses != 0 ? dvIncMonth(Date(), meses) : Date() + dias);
    Change();
    return true;
}

void TdvMonthCalendar::keyPressEvent(QKeyEvent* e)
{
    if (HandleKey(e->key(), e->modifiers()))
        e->accept();
    else
        TMonthCalControl::keyPressEvent(e);
}
