#include "VistoriaJanela.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QKeySequence>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QHeaderView>
#include <QSizeGrip>
#include <QSet>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolBar>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>

#include "CaminhoNaJanela.h"
#include "TextosPintados.h"
#include "components/controls/combos/TdvDBCustomComboBox.h"
#include "components/controls/grid/TdvCustomDBGrid.h"
#include "platform/widgets/grid/TCustomGrid.h"

namespace {

// A control whose children are its own inner parts, not controls of the form.
bool Composto(const QWidget& w)
{
    if (qobject_cast<const QScrollArea*>(&w))
        return false;
    return qobject_cast<const QComboBox*>(&w) || qobject_cast<const QAbstractSpinBox*>(&w)
        || qobject_cast<const QLineEdit*>(&w) || qobject_cast<const QTabBar*>(&w) || qobject_cast<const QScrollBar*>(&w)
        || qobject_cast<const QMenuBar*>(&w) || qobject_cast<const QCalendarWidget*>(&w)
        || qobject_cast<const QAbstractScrollArea*>(&w) || qobject_cast<const QAbstractButton*>(&w);
}

// Containers whose children are placed by Qt itself, around each other by design.
bool ArranjadoPeloQt(const QWidget& w)
{
    return qobject_cast<const QMainWindow*>(&w) || qobject_cast<const QToolBar*>(&w)
        || qobject_cast<const QSplitter*>(&w) || qobject_cast<const QTabWidget*>(&w);
}

QString SemMnemonico(QString texto)
{
    texto.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    texto.remove(QLatin1Char('&'));
    texto.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return texto;
}

// A plain frame without children is a drawn bevel or line, meant to lie around or under controls;
// a size grip is drawn in a window's corner, over what lies there.
bool Decoracao(const QWidget& w)
{
    if (qobject_cast<const QSizeGrip*>(&w))
        return true;
    if (w.metaObject() != &QFrame::staticMetaObject)
        return false;
    for (QObject* filho : w.children())
        if (filho->isWidgetType())
            return false;
    return true;
}

bool Visivel(const QWidget& w)
{
    return w.isVisible() && !w.isWindow() && w.width() > 0 && w.height() > 0;
}

}   // namespace

VistoriaJanela::VistoriaJanela(QWidget& janela, QString nome)
    : FJanela(janela)
    , FNome(std::move(nome))
{}

QStringList VistoriaJanela::Falhas()
{
    FFalhas.clear();
    Ingles(FJanela, FJanela.windowTitle());
    // A window of one size that offers the window manager's maximise button, which does nothing.
    const Qt::WindowFlags bandeiras = FJanela.windowFlags();
    if (FJanela.minimumSize() == FJanela.maximumSize() && !(bandeiras & Qt::FramelessWindowHint)
        && (!(bandeiras & Qt::CustomizeWindowHint) || (bandeiras & Qt::WindowMaximizeButtonHint)))
        FFalhas << FNome + QStringLiteral(": has one size but offers to maximise it");
    Percorre(FJanela);
    return FFalhas;
}

// Texts, overlaps and the keyboard are looked at separately: the keyboard once per window.
void VistoriaJanela::Percorre(QWidget& controle)
{
    if (!ArranjadoPeloQt(controle))
        Sobreposicoes(controle);
    for (QObject* objeto : controle.children()) {
        auto* filho = qobject_cast<QWidget*>(objeto);
        if (!filho || !Visivel(*filho))
            continue;
        Textos(*filho);
        if (!Composto(*filho))
            Percorre(*filho);
        else if (auto* area = qobject_cast<QScrollArea*>(filho); area && area->widget())
            Percorre(*area->widget());
    }
}

QStringList VistoriaJanela::FalhasDeTeclado()
{
    FFalhas.clear();
    Tabulacao();
    Comandos();
    Setas();
    Menus();
    return FFalhas;
}

QStringList VistoriaJanela::FalhasDeAbertura(const QWidget& aberta)
{
    FFalhas.clear();
    const auto acimaDeTudo = [](const QWidget& w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); };
    // A window manager keeps a window above the one it is transient for, within its layer; an
    // always-on-top window is a layer above every other.
    bool transitoria = false;
    for (const QWidget* w = aberta.parentWidget(); w && !transitoria; w = w->parentWidget())
        transitoria = w->window() == &FJanela;
    const QString qual = aberta.objectName().isEmpty() ? QString::fromLatin1(aberta.metaObject()->className())
                                                       : aberta.objectName();
    if (acimaDeTudo(FJanela) && !acimaDeTudo(aberta))
        FFalhas << FNome + QStringLiteral(": opens %1 beneath itself: it stays on top, %1 does not").arg(qual);
    else if (!transitoria && !acimaDeTudo(aberta))
        FFalhas << FNome + QStringLiteral(": opens %1, which is not kept above it").arg(qual);
    return FFalhas;
}

QStringList VistoriaJanela::FalhasDeSelecao(const QWidget& campo)
{
    FFalhas.clear();
    if (const QWidget* foco = QApplication::focusWidget(); foco != &campo)
        Falha(
            campo,
            QStringLiteral("does not hold the focus, %1 does")
                .arg(foco ? QString::fromLatin1(foco->metaObject()->className()) + QLatin1Char(' ') + foco->objectName()
                          : QStringLiteral("nothing")));
    else if (auto* edit = qobject_cast<const QLineEdit*>(&campo); edit && edit->selectedText() != edit->text())
        Falha(campo,
              QStringLiteral("shows \"%1\" with \"%2\" selected and the caret at %3: what is typed goes beside it")
                  .arg(edit->text(), edit->selectedText())
                  .arg(edit->cursorPosition()));
    return FFalhas;
}

void VistoriaJanela::Textos(QWidget& controle)
{
    if (auto* rotulo = qobject_cast<QLabel*>(&controle))
        Rotulo(*rotulo);
    else if (auto* botao = qobject_cast<QAbstractButton*>(&controle))
        Botao(*botao);
    else if (auto* grupo = qobject_cast<QGroupBox*>(&controle))
        Grupo(*grupo);
    else if (auto* abas = qobject_cast<QTabBar*>(&controle))
        Abas(*abas);
    else if (auto* combo = qobject_cast<QComboBox*>(&controle))
        Combo(*combo);
    else if (qobject_cast<TCustomGrid*>(&controle))
        Grade(controle);
    else if (auto* lista = qobject_cast<TdvDBCustomComboBox*>(&controle))
        ComboDaBiblioteca(*lista);
    else if (auto* edit = qobject_cast<QLineEdit*>(&controle))
        Ingles(controle, edit->text());
    else if (auto* vista = qobject_cast<QAbstractItemView*>(&controle))
        Itens(*vista);
}

// A list or tree of Qt's own (the file dialog's): its column titles and the texts of its rows.
void VistoriaJanela::Itens(QAbstractItemView& vista)
{
    const QAbstractItemModel* modelo = vista.model();
    if (!modelo)
        return;
    const QModelIndex raiz = vista.rootIndex();
    for (int c = 0; c < modelo->columnCount(raiz); ++c)
        Ingles(vista, modelo->headerData(c, Qt::Horizontal).toString());
    // The titles of its columns whole, as the list opens.
    const QHeaderView* titulos = nullptr;
    if (auto* arvore = qobject_cast<QTreeView*>(&vista))
        titulos = arvore->header();
    else if (auto* tabela = qobject_cast<QTableView*>(&vista))
        titulos = tabela->horizontalHeader();
    if (titulos && titulos->isVisible()) {
        const int margem = 2 * titulos->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titulos);
        for (int c = 0; c < titulos->count(); ++c) {
            if (titulos->isSectionHidden(c))
                continue;
            const QString titulo = modelo->headerData(c, Qt::Horizontal).toString();
            const int precisa = titulos->fontMetrics().horizontalAdvance(titulo) + margem;
            if (titulos->sectionSize(c) < precisa)
                Falha(vista,
                      QStringLiteral("the column title \"%1\" needs %2 px, has %3")
                          .arg(titulo)
                          .arg(precisa)
                          .arg(titulos->sectionSize(c)));
        }
    }
    for (int l = 0; l < std::min(modelo->rowCount(raiz), 100); ++l)
        for (int c = 0; c < modelo->columnCount(raiz); ++c)
            Ingles(vista, modelo->index(l, c, raiz).data().toString());
}

void VistoriaJanela::Rotulo(QLabel& rotulo)
{
    if (rotulo.text().isEmpty() || !rotulo.pixmap().isNull())
        return;
    const bool rico = rotulo.textFormat() == Qt::RichText
        || (rotulo.textFormat() == Qt::AutoText && Qt::mightBeRichText(rotulo.text()));
    Ingles(rotulo, rico ? QTextDocumentFragment::fromHtml(rotulo.text()).toPlainText() : rotulo.text());
    QSize precisa;
    if (rotulo.wordWrap()) {
        precisa = QSize(rotulo.width(), rotulo.heightForWidth(rotulo.width()));
        if (precisa.height() > rotulo.height() + 1)
            Falha(rotulo,
                  QStringLiteral("the text needs %1 px of height, has %2").arg(precisa.height()).arg(rotulo.height()));
    } else {
        precisa = rotulo.sizeHint();
        if (rotulo.width() < precisa.width() - 1)
            Falha(rotulo,
                  QStringLiteral("the text needs %1 px of width, has %2").arg(precisa.width()).arg(rotulo.width()));
        else if (rotulo.height() < precisa.height() - 3)
            Falha(rotulo,
                  QStringLiteral("the text needs %1 px of height, has %2").arg(precisa.height()).arg(rotulo.height()));
    }
    Cortado(rotulo,
            QStyle::alignedRect(rotulo.layoutDirection(), rotulo.alignment(), precisa.boundedTo(rotulo.size()),
                                rotulo.rect()));
}

void VistoriaJanela::Botao(QAbstractButton& botao)
{
    if (botao.text().isEmpty())
        return;
    Ingles(botao, botao.text());
    const int texto = botao.fontMetrics().horizontalAdvance(SemMnemonico(botao.text()));
    const int icone = botao.icon().isNull() ? 0 : botao.iconSize().width() + 4;
    QRect necessaria = botao.rect();
    if (qobject_cast<QCheckBox*>(&botao) || qobject_cast<QRadioButton*>(&botao)) {
        const QSize precisa = botao.sizeHint();
        if (botao.width() < precisa.width() - 1 || botao.height() < precisa.height() - 3)
            Falha(botao,
                  QStringLiteral("the caption needs %1x%2 px, has %3x%4")
                      .arg(precisa.width())
                      .arg(precisa.height())
                      .arg(botao.width())
                      .arg(botao.height()));
        necessaria = QRect(QPoint(0, 0), precisa.boundedTo(botao.size()));
    } else if (auto* empurrar = qobject_cast<QPushButton*>(&botao)) {
        QStyleOptionButton opcao;
        opcao.initFrom(empurrar);
        opcao.text = empurrar->text();
        opcao.icon = empurrar->icon();
        opcao.iconSize = empurrar->iconSize();
        const QRect conteudo = botao.style()->subElementRect(QStyle::SE_PushButtonContents, &opcao, &botao);
        if (conteudo.width() < texto + icone || conteudo.height() < botao.fontMetrics().height() - 2)
            Falha(botao,
                  QStringLiteral("the caption needs %1 px of width, has %2").arg(texto + icone).arg(conteudo.width()));
    } else if (auto* ferramenta = qobject_cast<QToolButton*>(&botao)) {
        if (ferramenta->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return;
        if (botao.width() - 6 < texto + icone)
            Falha(botao,
                  QStringLiteral("the caption needs %1 px of width, has %2").arg(texto + icone + 6).arg(botao.width()));
    }
    Cortado(botao, necessaria);
}

void VistoriaJanela::Grupo(QGroupBox& grupo)
{
    if (grupo.title().isEmpty())
        return;
    Ingles(grupo, grupo.title());
    const int precisa = grupo.fontMetrics().horizontalAdvance(SemMnemonico(grupo.title())) + 16
        + (grupo.isCheckable() ? 20 : 0);
    if (grupo.width() < precisa)
        Falha(grupo, QStringLiteral("the title needs %1 px of width, has %2").arg(precisa).arg(grupo.width()));
    Cortado(grupo, QRect(0, 0, std::min(precisa, grupo.width()), grupo.fontMetrics().height()));
}

void VistoriaJanela::Abas(QTabBar& abas)
{
    for (int i = 0; i < abas.count(); ++i) {
        if (!abas.isTabVisible(i))
            continue;
        Ingles(abas, abas.tabText(i));
        const QRect aba = abas.tabRect(i);
        const int precisa = abas.fontMetrics().horizontalAdvance(SemMnemonico(abas.tabText(i))) + 8
            + (abas.tabIcon(i).isNull() ? 0 : abas.iconSize().width() + 4);
        if (!abas.rect().contains(aba) || aba.width() < precisa)
            Falha(abas, QStringLiteral("the tab \"%1\" is not shown whole").arg(SemMnemonico(abas.tabText(i))));
        else
            Cortado(abas, aba);
    }
}

void VistoriaJanela::Combo(QComboBox& combo)
{
    QStyleOptionComboBox opcao;
    opcao.initFrom(&combo);
    opcao.editable = combo.isEditable();
    opcao.frame = combo.hasFrame();
    const QRect campo = combo.style()->subControlRect(QStyle::CC_ComboBox, &opcao, QStyle::SC_ComboBoxEditField,
                                                      &combo);
    for (int i = 0; i < combo.count(); ++i) {
        const QString item = combo.itemText(i);
        Ingles(combo, item);
        if (combo.fontMetrics().horizontalAdvance(item) + 4 > campo.width())
            Falha(combo, QStringLiteral("the item \"%1\" does not fit in %2 px").arg(item).arg(campo.width()));
    }
    Cortado(combo, combo.rect());
}

void VistoriaJanela::ComboDaBiblioteca(TdvDBCustomComboBox& combo)
{
    // The edit's own margins and frame take 8 pixels besides the button.
    const int campo = combo.width() - combo.EffectiveButtonWidth() - 8;
    for (const QString& item : combo.Items().Strings()) {
        Ingles(combo, item);
        if (combo.fontMetrics().horizontalAdvance(item) > campo)
            Falha(combo, QStringLiteral("the item \"%1\" does not fit in %2 px").arg(item).arg(campo));
    }
    Cortado(combo, combo.rect());
}

// Titles drawn cut or elided (a column that goes on past the grid's right edge is reached by
// scrolling); every text drawn is read for English words.
void VistoriaJanela::Grade(QWidget& controle)
{
    auto& grade = static_cast<TCustomGrid&>(controle);
    int titulos = 0;
    for (int linha = 0; linha < grade.FixedRows(); ++linha)
        titulos += grade.RowHeights(linha);
    QSet<QString> relatados;
    const int direita = grade.viewport()->width();
    for (const TTextoPintado& t : TextosPintados::De(grade)) {
        Ingles(grade, t.Texto);
        if (t.Area.top() >= titulos || relatados.contains(t.Texto) || t.Recorte.right() >= direita - 1)
            continue;
        const QRectF recorte = t.Recorte.adjusted(-1, -1, 1, 1);
        if (t.Texto.contains(QChar(0x2026)) || (!t.Recorte.isEmpty() && !recorte.contains(t.Area))) {
            relatados << t.Texto;
            Falha(grade, QStringLiteral("the column title \"%1\" is cut").arg(t.Texto));
        }
    }
    Cortado(grade, grade.rect());
}

void VistoriaJanela::Sobreposicoes(QWidget& pai)
{
    QList<QWidget*> filhos;
    for (QObject* objeto : pai.children())
        if (auto* filho = qobject_cast<QWidget*>(objeto); filho && Visivel(*filho) && !Decoracao(*filho))
            filhos << filho;
    for (int i = 0; i < filhos.size(); ++i)
        for (int j = i + 1; j < filhos.size(); ++j)
            if (filhos[i]->geometry().intersects(filhos[j]->geometry()))
                Falha(*filhos[i], QStringLiteral("overlaps %1").arg(Nome(*filhos[j])));
}

void VistoriaJanela::Ingles(const QWidget& controle, const QString& texto)
{
    // "OK" is Portuguese too, and the program's own caption where its forms give it; "bytes" as well.
    static const QRegularExpression palavras(QStringLiteral(
        "\\b(True|False|Tru|Fal|Folder|Computer|Cancel|Yes|Open|Save|Close|Apply|Help|Browse|Back|Next|Finish|"
        "Abort|Retry|Ignore|Discard|Directory|Files?|Name|Size|Type|Drive|Look in|Date Modified|"
        "January|February|March|April|May|June|July|August|September|October|November|December|"
        "Feb|Apr|Aug|Sep|Oct|Dec|Mon|Tue|Wed|Thu|Fri|Sat|Sun|AM|PM)\\b"));
    const QString limpo = SemMnemonico(texto).trimmed();
    const QRegularExpressionMatch achado = palavras.match(limpo);
    if (achado.hasMatch())
        Falha(controle, QStringLiteral("shows the English word \"%1\" in \"%2\"").arg(achado.captured(1), limpo));
    else if (limpo == QLatin1String("No"))
        Falha(controle, QStringLiteral("shows the English word \"No\""));
}

void VistoriaJanela::Cortado(const QWidget& controle, const QRect& necessaria)
{
    QRect area = necessaria;
    for (const QWidget* w = &controle; w != &FJanela && w->parentWidget(); w = w->parentWidget()) {
        const QWidget* pai = w->parentWidget();
        area.translate(w->pos());
        // What lies in a scrolled area is reached by scrolling it.
        if (pai->parentWidget() && qobject_cast<const QAbstractScrollArea*>(pai->parentWidget())
            && static_cast<const QAbstractScrollArea*>(pai->parentWidget())->viewport() == pai)
            return;
        if (!pai->rect().contains(area)) {
            Falha(controle,
                  QStringLiteral("is cut by %1 (needs %2,%3 %4x%5 of its %6x%7)")
                      .arg(Nome(*pai))
                      .arg(area.x())
                      .arg(area.y())
                      .arg(area.width())
                      .arg(area.height())
                      .arg(pai->width())
                      .arg(pai->height()));
            return;
        }
    }
}

namespace {

// What a user types into or chooses with, when it is enabled (a button is a command, reached by
// its letter).
bool Entrada(const QWidget& w)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(&w))
        return !edit->isReadOnly() && !Composto(*w.parentWidget());   // a combo's own edit is the combo
    if (auto* texto = qobject_cast<const QTextEdit*>(&w))
        return !texto->isReadOnly();
    if (auto* texto = qobject_cast<const QPlainTextEdit*>(&w))
        return !texto->isReadOnly();
    if (auto* grade = qobject_cast<const TdvCustomDBGrid*>(&w))
        return !grade->ReadOnly();
    return qobject_cast<const QComboBox*>(&w) || qobject_cast<const QAbstractSpinBox*>(&w)
        || qobject_cast<const QCheckBox*>(&w) || qobject_cast<const QRadioButton*>(&w)
        || qobject_cast<const TCustomGrid*>(&w)
        || (qobject_cast<const QAbstractItemView*>(&w)
            && !qobject_cast<const QHeaderView*>(&w));   // a list's titles go with the list
}

// The radio buttons that exclude each other with this one, itself included.
QList<QAbstractButton*> GrupoDe(QAbstractButton& radio)
{
    if (radio.group() && radio.group()->exclusive())
        return radio.group()->buttons();
    QList<QAbstractButton*> grupo;
    if (!radio.autoExclusive())
        return grupo;
    for (QObject* irmao : radio.parentWidget()->children())
        if (auto* outro = qobject_cast<QRadioButton*>(irmao); outro && outro->autoExclusive() && !outro->group())
            grupo << outro;
    return grupo;
}

QList<QAbstractButton*> Ativos(const QList<QAbstractButton*>& botoes)
{
    QList<QAbstractButton*> ativos;
    for (QAbstractButton* b : botoes)
        if (b->isVisible() && b->isEnabled())
            ativos << b;
    return ativos;
}

}   // namespace

void VistoriaJanela::Tabulacao()
{
    QSet<const QWidget*> alcancados;
    for (QWidget* w = FJanela.nextInFocusChain(); w && w != &FJanela; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisible() && w->isEnabled()
            && w->window() == &FJanela)
            alcancados << w;
    const auto alcancado = [&alcancados](QWidget* w) {
        while (w->focusProxy())
            w = w->focusProxy();
        return alcancados.contains(w);
    };
    QSet<QObject*> gruposVistos;
    for (QWidget* w : FJanela.findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || w->window() != &FJanela || !Entrada(*w) || alcancado(w))
            continue;
        if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            // Tab enters a radio group on one of its buttons, the arrows move within.
            const QList<QAbstractButton*> grupo = Ativos(GrupoDe(*radio));
            if (std::any_of(grupo.begin(), grupo.end(), [&](QAbstractButton* b) { return alcancado(b); }))
                continue;
        }
        Falha(*w, QStringLiteral("is an enabled input that Tab does not reach"));
    }
}

namespace {

// A part of one of Qt's own compound controls (a calendar's month button, a tab bar's arrows).
bool DentroDeComposto(const QWidget& w, const QWidget& janela)
{
    for (const QWidget* pai = w.parentWidget(); pai && pai != &janela; pai = pai->parentWidget())
        if (Composto(*pai) && !qobject_cast<const QAbstractScrollArea*>(pai))
            return true;
    return false;
}

int Letra(const QString& texto)
{
    const QKeySequence letra = QKeySequence::mnemonic(texto);
    return letra.isEmpty() ? 0 : letra[0].key();
}

}   // namespace

QStringList VistoriaJanela::FalhasDeOpcoes(const QWidget& parte)
{
    FFalhas.clear();
    QMap<int, QString> letras;
    for (const QPushButton* botao : FJanela.findChildren<const QPushButton*>())
        if (botao->isVisible() && !parte.isAncestorOf(botao))
            if (const int letra = Letra(botao->text()); letra != 0)
                letras.insert(letra, SemMnemonico(botao->text()));
    for (const QAbstractButton* opcao : parte.findChildren<const QAbstractButton*>()) {
        if (!opcao->isVisible()
            || (!qobject_cast<const QRadioButton*>(opcao) && !qobject_cast<const QCheckBox*>(opcao)))
            continue;
        const int letra = Letra(opcao->text());
        if (letra == 0)
            Falha(*opcao, QStringLiteral("the option \"%1\" has no letter").arg(opcao->text()));
        else if (letras.contains(letra))
            Falha(*opcao,
                  QStringLiteral("the option \"%1\" has the letter of \"%2\"").arg(opcao->text(), letras.value(letra)));
        else
            letras.insert(letra, SemMnemonico(opcao->text()));
    }
    return FFalhas;
}

// Tab reaches every command too, but only after every field before it: a command has a letter, a
// key of its own, or is the one Return or Esc presses.
void VistoriaJanela::Comandos()
{
    if (FTeclasProprias)
        return;
    static const QRegularExpression letra(QStringLiteral("\\p{L}"));
    for (QAbstractButton* botao : FJanela.findChildren<QAbstractButton*>()) {
        if (!botao->isVisible() || !botao->isEnabled() || botao->window() != &FJanela || qobject_cast<QCheckBox*>(botao)
            || qobject_cast<QRadioButton*>(botao) || DentroDeComposto(*botao, FJanela))
            continue;
        const auto* ferramenta = qobject_cast<QToolButton*>(botao);
        if (botao->text().isEmpty() || (ferramenta && ferramenta->toolButtonStyle() == Qt::ToolButtonIconOnly))
            continue;   // a picture, beside the keys the window answers itself
        if (Letra(botao->text()) != 0 || !botao->shortcut().isEmpty())
            continue;
        // A caption of signs ("...") has no letter to give: Tab reaches it.
        if (!botao->text().contains(letra) && (botao->focusPolicy() & Qt::TabFocus))
            continue;
        if (const auto* empurrar = qobject_cast<QPushButton*>(botao); empurrar && empurrar->isDefault())
            continue;
        if (const auto* caixa = qobject_cast<QDialogButtonBox*>(botao->parentWidget());
            caixa && caixa->buttonRole(botao) == QDialogButtonBox::RejectRole)
            continue;
        Falha(*botao, QStringLiteral("is a command that no letter or key of its own reaches"));
    }
}

void VistoriaJanela::Menus()
{
    auto* principal = qobject_cast<QMainWindow*>(&FJanela);
    if (!principal || !principal->menuWidget())
        return;
    for (QAction* acao : principal->menuBar()->actions())
        if (acao->menu() && acao->isVisible())
            Letras(*acao->menu());
}

// A letter that several items of a menu bear moves among the enabled ones; when only one of them
// is enabled it is that one's (a submenu opens; a command would run, and is left alone here).
void VistoriaJanela::Letras(QMenu& menu)
{
    QMap<int, QList<QAction*>> porLetra;
    for (QAction* acao : menu.actions()) {
        if (!acao->isVisible() || acao->isSeparator())
            continue;
        if (const int letra = Letra(acao->text()); letra != 0)
            porLetra[letra] << acao;
        if (acao->menu() && acao->isEnabled())
            Letras(*acao->menu());
    }
    const QString nomeMenu = SemMnemonico(menu.title());
    for (auto grupo = porLetra.cbegin(); grupo != porLetra.cend(); ++grupo) {
        QList<QAction*> ativas;
        for (QAction* acao : grupo.value())
            if (acao->isEnabled())
                ativas << acao;
        if (grupo.value().size() < 2 || ativas.isEmpty() || (ativas.size() == 1 && !ativas.first()->menu()))
            continue;
        menu.popup(FJanela.mapToGlobal(QPoint(0, 0)));
        QApplication::processEvents();
        QSet<QAction*> alcancadas;
        for (int i = 0; i <= grupo.value().size() && menu.isVisible(); ++i) {
            QTest::keyClick(&menu, static_cast<Qt::Key>(grupo.key()));
            QApplication::processEvents();
            if (menu.activeAction())
                alcancadas << menu.activeAction();
            if (ativas.size() == 1 && ativas.first()->menu()->isVisible())
                break;
        }
        for (QAction* acao : ativas)
            if (!alcancadas.contains(acao) || (acao->menu() && ativas.size() == 1 && !acao->menu()->isVisible()))
                FFalhas << FNome
                        + QStringLiteral(": menu \"%1\": the letter %2 does not reach \"%3\"")
                              .arg(nomeMenu, QKeySequence(grupo.key()).toString(), SemMnemonico(acao->text()));
        for (QAction* acao : ativas)
            if (acao->menu())
                acao->menu()->hide();
        menu.hide();
        QApplication::processEvents();
    }
}

void VistoriaJanela::Setas()
{
    QList<QList<QAbstractButton*>> grupos;
    for (QRadioButton* radio : FJanela.findChildren<QRadioButton*>()) {
        if (!radio->isVisible() || !radio->isEnabled() || radio->window() != &FJanela)
            continue;
        const QList<QAbstractButton*> grupo = Ativos(GrupoDe(*radio));
        if (grupo.size() >= 2 && grupo.first() == radio)
            grupos << grupo;
    }
    for (const QList<QAbstractButton*>& grupo : grupos) {
        QAbstractButton* inicial = grupo.first();
        for (QAbstractButton* b : grupo)
            if (b->isChecked())
                inicial = b;
        inicial->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        if (QApplication::focusWidget() != inicial) {
            Falha(*inicial, QStringLiteral("a radio button that cannot take the focus"));
            continue;
        }
        bool moveu = false;
        for (Qt::Key seta : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left}) {
            QTest::keyClick(QApplication::focusWidget(), seta);
            QApplication::processEvents();
            auto* foco = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
            if (foco && foco != inicial && grupo.contains(foco) && foco->isChecked()) {
                moveu = true;
                break;
            }
        }
        if (!moveu)
            Falha(*inicial, QStringLiteral("its radio group does not answer the arrow keys"));
        if (!inicial->isChecked() && inicial->isVisible() && inicial->isEnabled())
            inicial->click();   // as it was
    }
}

void VistoriaJanela::Falha(const QWidget& controle, const QString& problema)
{
    const QString texto = FNome + QStringLiteral(": ") + Nome(controle) + QStringLiteral(": ") + problema;
    if (!FFalhas.contains(texto))
        FFalhas << texto;
}

QString VistoriaJanela::Nome(const QWidget& controle) const
{
    QString nome = CaminhoNaJanela(controle, FJanela);
    QString texto;
    if (auto* rotulo = qobject_cast<const QLabel*>(&controle))
        texto = rotulo->text();
    else if (auto* botao = qobject_cast<const QAbstractButton*>(&controle))
        texto = botao->text();
    else if (auto* grupo = qobject_cast<const QGroupBox*>(&controle))
        texto = grupo->title();
    if (!texto.isEmpty())
        nome += QStringLiteral(" \"") + SemMnemonico(texto).left(40) + QLatin1Char('"');
    return nome;
}
