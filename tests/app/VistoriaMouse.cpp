#include "VistoriaMouse.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHelpEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <csignal>
#include <functional>
#include <cstring>
#include <unistd.h>

#include "CaminhoNaJanela.h"
#include "components/controls/combos/TdvDBCustomCombo.h"
#include "components/controls/grid/TdvCustomDBGrid.h"
#include "model/values/PastasPrograma.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/widgets/grid/TInplaceEdit.h"
#include "screens/grids/TPruvCustomGrid.h"
#include "screens/tips/TZofHint.h"

namespace {

// What the survey is doing, for the standard error when the program dies doing it.
char onde[512] = "";
struct sigaction anteriores[32];

void AoMorrer(int sinal, siginfo_t* info, void* contexto)
{
    static const char prefixo[] = "\nThe mouse survey died of a signal at: ";
    (void)!write(STDERR_FILENO, prefixo, sizeof prefixo - 1);
    (void)!write(STDERR_FILENO, onde, strnlen(onde, sizeof onde));
    (void)!write(STDERR_FILENO, "\n", 1);
    // Then whatever handled it before (the sanitizer's report, or the default end).
    const struct sigaction& anterior = anteriores[sinal];
    sigaction(sinal, &anterior, nullptr);
    if (anterior.sa_flags & SA_SIGINFO)
        anterior.sa_sigaction(sinal, info, contexto);
    else if (anterior.sa_handler != SIG_IGN && anterior.sa_handler != SIG_DFL)
        anterior.sa_handler(sinal);
    else
        raise(sinal);
}

void InstalaAvisoDeMorte()
{
    static bool instalado = false;
    if (instalado)
        return;
    instalado = true;
    for (int sinal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
        struct sigaction acao {};
        acao.sa_sigaction = AoMorrer;
        acao.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&acao.sa_mask);
        sigaction(sinal, &acao, &anteriores[sinal]);
    }
}

TZofHint* DicaDoPrograma()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dica = w->findChild<TZofHint*>(QStringLiteral("PruvHint"), Qt::FindDirectChildrenOnly))
            return dica;
    return nullptr;
}

// Inside Qt's file dialog: Qt's own, looked at for its words only.
bool DoQt(const QWidget& w)
{
    for (const QWidget* p = &w; p; p = p->parentWidget())
        if (qobject_cast<const QFileDialog*>(p))
            return true;
    return false;
}

bool EhCombo(const QWidget& w)
{
    return qobject_cast<const QComboBox*>(&w) || qobject_cast<const TdvDBCustomCombo*>(&w);
}

// What a combo shows chosen; empty for any other control.
QString EscolhaDoCombo(const QWidget& w)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(&w))
        return combo->currentText();
    if (const auto* combo = qobject_cast<const TdvDBCustomCombo*>(&w))
        return combo->text();
    return {};
}

// An edit of its own, not the line of a combo or a grid's cell editor.
QLineEdit* EditProprio(QWidget& w)
{
    auto* edit = qobject_cast<QLineEdit*>(&w);
    if (!edit || qobject_cast<const QComboBox*>(w.parentWidget()) || qobject_cast<TInplaceEdit*>(edit))
        return nullptr;
    return edit;
}

// A few points of the rectangle, or one every 8 pixels in the long run.
QList<QPoint> Pontos(const QRect& r, bool completa)
{
    QList<QPoint> pontos;
    if (r.width() <= 0 || r.height() <= 0)
        return pontos;
    if (completa) {
        for (int y = r.top() + 2; y < r.bottom(); y += 8)
            for (int x = r.left() + 2; x < r.right(); x += 8)
                pontos << QPoint(x, y);
        return pontos;
    }
    pontos << r.center();
    for (const QPoint& canto : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
        pontos << canto + (r.center() - canto) / 8;
    return pontos;
}

// The rows and columns to rest on, click and read: the fixed ones and a few shown.
QList<int> Amostra(int fixas, int primeira, int visiveis, int total, bool completa)
{
    QList<int> indices;
    for (int i = 0; i < fixas; ++i)
        indices << i;
    const int ultima = std::min(total - 1, primeira + visiveis);
    if (completa) {
        for (int i = primeira; i <= ultima; ++i)
            indices << i;
    } else {
        for (int i : {primeira, (primeira + ultima) / 2, ultima})
            if (i >= fixas && i < total && !indices.contains(i))
                indices << i;
    }
    return indices;
}

QStringList TextosDaGrade(TCustomGrid& controle)
{
    QStringList textos;
    if (auto* grade = qobject_cast<TPruvCustomGrid*>(&controle))
        for (int l = 0; l < grade->RowCount(); ++l)
            for (int c = 0; c < grade->ColCount(); ++c)
                textos << grade->GetTexto(c, l);
    return textos;
}

bool SomenteLeitura(TCustomGrid& controle)
{
    if (auto* grade = qobject_cast<TPruvCustomGrid*>(&controle))
        return grade->ReadOnly();
    if (auto* grade = qobject_cast<TdvCustomDBGrid*>(&controle))
        return grade->ReadOnly();
    return false;
}

}   // namespace

VistoriaMouse::VistoriaMouse(QWidget& janela, QString nome)
    : FJanela(janela)
    , FNome(std::move(nome))
    , FCompleta(qEnvironmentVariable("PRUV_VISTORIA_MOUSE") == QLatin1String("completa"))
{
    InstalaAvisoDeMorte();
}

QMap<QString, QByteArray> VistoriaMouse::Guardado()
{
    QMap<QString, QByteArray> tabelas;
    auto banco = TDatabase::DaPasta(DiretorioDados());
    for (const QString& tabela : banco->NomesTabelas()) {
        QByteArray& tudo = tabelas[tabela];
        TComando c(banco->Conexao(), QStringLiteral("SELECT * FROM \"%1\"").arg(tabela));
        while (c.Passo()) {
            for (int i = 0; i < c.Colunas(); ++i)
                tudo += c.Valor(i).toString().toUtf8() + '\t';
            tudo += '\n';
        }
    }
    return tabelas;
}

QStringList VistoriaMouse::Falhas()
{
    FFalhas.clear();
    const struct {
        const char* Nome;
        void (VistoriaMouse::*Passo)();
    } passos[] = {
        {"resting the pointer", &VistoriaMouse::Repousos},
        {"clicking", &VistoriaMouse::Cliques},
        {"turning the wheel", &VistoriaMouse::Rodas},
        {"dragging the scroll bars", &VistoriaMouse::Barras},
        {"typing on the read-only grids", &VistoriaMouse::DigitaEmGradesSomenteLeitura},
    };
    QMap<const QLineEdit*, QString> fixos;
    for (QWidget* w : Visiveis())
        if (QLineEdit* edit = EditProprio(*w); edit && edit->isReadOnly())
            fixos.insert(edit, edit->text());
    for (const auto& passo : passos) {
        if (!Aberta())
            break;
        const QMap<QString, QByteArray> antes = Guardado();
        (this->*passo.Passo)();
        FechaSobrepostos();
        const QMap<QString, QByteArray> depois = Guardado();
        QStringList mudadas;
        for (auto t = depois.cbegin(); t != depois.cend(); ++t)
            if (antes.value(t.key()) != t.value())
                mudadas << t.key();
        if (!mudadas.isEmpty())
            FFalhas << FNome
                    + QStringLiteral(": %1 changes what the table %2 holds")
                          .arg(QLatin1String(passo.Nome), mudadas.join(QStringLiteral(", ")));
    }
    for (auto e = fixos.cbegin(); e != fixos.cend(); ++e)
        if (FJanela.isAncestorOf(e.key()) && e.key()->isReadOnly() && e.key()->text() != e.value())
            Falha(*e.key(),
                  QStringLiteral("a read-only edit went from \"%1\" to \"%2\"").arg(e.value(), e.key()->text()));
    onde[0] = '\0';
    return FFalhas;
}

QList<QWidget*> VistoriaMouse::Visiveis() const
{
    QList<QWidget*> visiveis;
    for (QWidget* w : FJanela.findChildren<QWidget*>())
        if (w->isVisible() && !w->isWindow() && w->window() == &FJanela && w->width() > 0 && w->height() > 0)
            visiveis << w;
    return visiveis;
}

bool VistoriaMouse::Aberta() const
{
    return FJanela.isVisible();
}

// ---- the pointer at rest ----

void VistoriaMouse::Repousos()
{
    for (QWidget* w : Visiveis()) {
        if (!Aberta())
            return;
        if (!w->isVisible())
            continue;
        Onde(*w, "the pointer rests");
        const QPoint origem = w->mapTo(&FJanela, QPoint(0, 0));
        for (const QPoint& p : Pontos(w->rect(), FCompleta))
            Repousa(origem + p);
        if (auto* grade = qobject_cast<TCustomGrid*>(w))
            RepousosDaGrade(*grade);
    }
}

void VistoriaMouse::Repousa(QPoint ponto)
{
    QWidget* alvo = FJanela.childAt(ponto);
    if (!alvo)
        alvo = &FJanela;
    // As Qt asks once the mouse has rested: the control under it first, then its parents.
    QCoreApplication::postEvent(
        alvo, new QHelpEvent(QEvent::ToolTip, alvo->mapFrom(&FJanela, ponto), FJanela.mapToGlobal(ponto)));
    QCoreApplication::sendPostedEvents(alvo, QEvent::ToolTip);
    if (TZofHint* dica = DicaDoPrograma()) {
        // The hint's own pause, a millisecond here, in steps of one.
        for (int i = 0; i < 1000 && dica->PausaAguardada() >= 0; ++i)
            QTest::qWait(1);
        dica->Esconde();
    }
}

void VistoriaMouse::RepousosDaGrade(TCustomGrid& grade)
{
    QWidget* vista = grade.viewport();
    const QPoint origem = vista->mapTo(&FJanela, QPoint(0, 0));
    const QList<int> linhas = Amostra(grade.FixedRows(), grade.TopRow(), grade.VisibleRowCount(), grade.RowCount(),
                                      FCompleta);
    const QList<int> colunas = Amostra(grade.FixedCols(), grade.LeftCol(), grade.VisibleColCount(), grade.ColCount(),
                                       FCompleta);
    for (int l : linhas)
        for (int c : colunas) {
            const TRect r = grade.CellRect(c, l);
            if (r.Width() > 0 && r.Height() > 0)
                Repousa(origem + r.ToQRect().center());
        }
    // Beyond the last row and the last column.
    if (grade.GridWidth() + 4 < vista->width())
        Repousa(origem + QPoint(grade.GridWidth() + 3, vista->height() / 2));
    const TRect ultima = grade.CellRect(grade.LeftCol(), grade.RowCount() - 1);
    if (ultima.Height() > 0 && ultima.Bottom + 4 < vista->height())
        Repousa(origem + QPoint(vista->width() / 2, ultima.Bottom + 3));
    else if (ultima.Height() == 0)
        Repousa(origem + QPoint(vista->width() / 2, vista->height() - 3));
}

// ---- clicks ----

void VistoriaMouse::Cliques()
{
    for (QWidget* w : Visiveis()) {
        if (!Aberta())
            return;
        if (!w->isVisible() || !w->isEnabled() || DoQt(*w))
            continue;
        if (auto* grade = qobject_cast<TCustomGrid*>(w)) {
            Onde(*w, "clicks on the grid");
            QWidget* vista = grade->viewport();
            // Title row, row title, the first cell shown, then the empty area. A double click on a
            // data cell of a grid where it opens or goes on is a command: the clerk's walk runs it.
            const bool comando = static_cast<bool>(grade->OnDblClick);
            const struct {
                TGridCoord Celula;
                bool Dado;
            } alvos[] = {{{grade->LeftCol(), 0}, false},
                         {{0, grade->TopRow()}, false},
                         {{grade->LeftCol(), grade->TopRow()}, true}};
            for (const auto& a : alvos) {
                const TRect r = grade->CellRect(a.Celula.X, a.Celula.Y);
                if (r.Width() <= 0 || r.Height() <= 0 || !Aberta())
                    continue;
                Clica(*vista, r.ToQRect().center(), false);
                if (!(comando && a.Dado) && Aberta())
                    Clica(*vista, r.ToQRect().center(), true);
            }
            if (Aberta() && grade->GridWidth() + 4 < vista->width())
                Clica(*vista, QPoint(grade->GridWidth() + 3, vista->height() - 4), false);
            if (Aberta())
                MenuDeContexto(*vista);
        } else if (qobject_cast<QAbstractItemView*>(w) && !EhCombo(*w->parentWidget())) {
            Onde(*w, "clicks on the list");
            Clica(*static_cast<QAbstractItemView*>(w)->viewport(), QPoint(4, 4), false);
        } else if (EhCombo(*w)) {
            Onde(*w, "clicks on the combo");
            Clica(*w, w->rect().center(), false);
            FechaSobrepostos();
        } else if (QLineEdit* edit = EditProprio(*w)) {
            Onde(*w, "clicks on the edit");
            Clica(*edit, edit->rect().center(), false);
            Clica(*edit, edit->rect().center(), true);
            FechaSobrepostos();
            if (Aberta())
                MenuDeContexto(*edit);
        }
    }
}

void VistoriaMouse::Clica(QWidget& controle, QPoint ponto, bool duplo)
{
    QPointer<QWidget> vivo(&controle);
    if (duplo)
        QTest::mouseDClick(&controle, Qt::LeftButton, {}, ponto);
    else
        QTest::mouseClick(&controle, Qt::LeftButton, {}, ponto);
    QApplication::processEvents();
    if (vivo)
        FechaSobrepostos();
}

void VistoriaMouse::MenuDeContexto(QWidget& controle)
{
    // The items a right click offers; each is then chosen in turn, the menu opened again for each.
    // On an edit that takes typing, the items that edit its text are typing by the mouse and left
    // to the keyboard walk; on a read-only control every enabled item is chosen, and nothing may
    // change.
    const auto* edit = qobject_cast<const QLineEdit*>(&controle);
    const bool fixo = !edit || edit->isReadOnly();
    static const QStringList editam = {QStringLiteral("edit-undo"), QStringLiteral("edit-redo"),
                                       QStringLiteral("edit-cut"), QStringLiteral("edit-paste"),
                                       QStringLiteral("edit-delete")};
    const QPoint centro = controle.rect().center();
    const auto abre = [&](std::function<void(QMenu&)> escolhe) {
        bool abriu = false;
        QTimer::singleShot(0, [&abriu, escolhe] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                abriu = true;
                escolhe(*menu);
                if (menu->isVisible())
                    menu->close();
            }
        });
        QContextMenuEvent pedido(QContextMenuEvent::Mouse, centro, controle.mapToGlobal(centro));
        QTest::mousePress(&controle, Qt::RightButton, {}, centro);
        QApplication::sendEvent(&controle, &pedido);
        QTest::mouseRelease(&controle, Qt::RightButton, {}, centro);
        QApplication::processEvents();
        return abriu;
    };
    QStringList itens;
    if (!abre([&itens](QMenu& menu) {
            for (QAction* acao : menu.actions())
                if (!acao->isSeparator() && acao->isEnabled() && !acao->menu())
                    itens << acao->objectName() + QLatin1Char('|') + acao->text();
        }))
        return;
    for (const QString& item : itens) {
        if (!Aberta())
            return;
        if (!fixo && editam.contains(item.section(QLatin1Char('|'), 0, 0)))
            continue;
        if (fixo && editam.contains(item.section(QLatin1Char('|'), 0, 0)))
            Falha(controle, QStringLiteral("a read-only control offers \"%1\"").arg(item.section(QLatin1Char('|'), 1)));
        abre([&item](QMenu& menu) {
            for (QAction* acao : menu.actions())
                if (acao->objectName() + QLatin1Char('|') + acao->text() == item) {
                    acao->trigger();
                    return;
                }
        });
    }
}

// ---- the wheel ----

void VistoriaMouse::Rodas()
{
    for (QWidget* w : Visiveis()) {
        if (!Aberta())
            return;
        QWidget* alvo = nullptr;
        if (auto* grade = qobject_cast<TCustomGrid*>(w))
            alvo = grade->viewport();
        else if (auto* lista = qobject_cast<QAbstractItemView*>(w); lista && !EhCombo(*w->parentWidget()))
            alvo = lista->viewport();
        else if (EhCombo(*w))
            alvo = w;
        if (!alvo || !alvo->isVisible() || DoQt(*w))
            continue;
        Onde(*w, "the wheel turns");
        const QPoint centro = alvo->rect().center();
        // A combo's choice is made with a click or the keys, never by the wheel passing over it.
        const QString escolha = EscolhaDoCombo(*w);
        for (int passo : {-120, -120, 120, 120}) {
            QPointer<QWidget> vivo(alvo);
            QWheelEvent roda(centro, alvo->mapToGlobal(centro), {}, {0, passo}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(alvo, &roda);
            QApplication::processEvents();
            if (!vivo || !Aberta())
                break;
            if (const QString agora = EscolhaDoCombo(*w); agora != escolha) {
                Falha(*w, QStringLiteral("the wheel changed the choice from \"%1\" to \"%2\"").arg(escolha, agora));
                break;
            }
        }
        FechaSobrepostos();
    }
}

// ---- the scroll bars ----

void VistoriaMouse::Barras()
{
    for (QWidget* w : Visiveis()) {
        if (!Aberta())
            return;
        auto* barra = qobject_cast<QScrollBar*>(w);
        if (!barra || !barra->isEnabled() || barra->maximum() <= barra->minimum() || DoQt(*w))
            continue;
        Onde(*w, "the scroll bar's thumb is dragged");
        ArrastaPolegar(*barra);
    }
}

void VistoriaMouse::ArrastaPolegar(QScrollBar& barra)
{
    const auto opcao = [&barra] {
        QStyleOptionSlider o;
        o.initFrom(&barra);
        o.subControls = QStyle::SC_All;
        o.orientation = barra.orientation();
        o.minimum = barra.minimum();
        o.maximum = barra.maximum();
        o.sliderPosition = barra.sliderPosition();
        o.sliderValue = barra.value();
        o.singleStep = barra.singleStep();
        o.pageStep = barra.pageStep();
        o.upsideDown = false;
        return o;
    };
    const bool vertical = barra.orientation() == Qt::Vertical;
    for (int destino : {0, 1, 2}) {
        QPointer<QScrollBar> viva(&barra);
        const QStyleOptionSlider o = opcao();
        const QRect polegar = barra.style()->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarSlider,
                                                            &barra);
        const QRect trilho = barra.style()->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarGroove,
                                                           &barra);
        if (polegar.isEmpty() || trilho.isEmpty())
            return;
        const QPoint de = polegar.center();
        QPoint para = de;
        const int inicio = vertical ? trilho.top() : trilho.left();
        const int fim = vertical ? trilho.bottom() : trilho.right();
        const int alvo = destino == 0 ? inicio : destino == 1 ? (inicio + fim) / 2 : fim;
        (vertical ? para.ry() : para.rx()) = alvo;
        QTest::mousePress(&barra, Qt::LeftButton, {}, de);
        QTest::mouseMove(&barra, (de + para) / 2);
        QTest::mouseMove(&barra, para);
        if (!viva)
            return;
        QTest::mouseRelease(&barra, Qt::LeftButton, {}, para);
        QApplication::processEvents();
        if (!viva || !Aberta())
            return;
    }
}

// ---- typing on a read-only grid ----

void VistoriaMouse::DigitaEmGradesSomenteLeitura()
{
    for (QWidget* w : Visiveis()) {
        if (!Aberta())
            return;
        auto* grade = qobject_cast<TCustomGrid*>(w);
        if (!grade || !grade->isEnabled() || !SomenteLeitura(*grade))
            continue;
        Onde(*w, "a character is typed on the read-only grid");
        const QStringList antes = TextosDaGrade(*grade);
        QPointer<TCustomGrid> viva(grade);
        // On a cell shown, chosen as a user does, wherever the bars were left.
        grade->setFocus(Qt::MouseFocusReason);
        if (const TRect r = grade->CellRect(grade->LeftCol(), grade->TopRow()); r.Width() > 0 && r.Height() > 0)
            QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, r.ToQRect().center());
        QApplication::processEvents();
        if (!viva || !Aberta())
            return;
        QGuiApplication::clipboard()->setText(QStringLiteral("123"));
        for (const auto& [tecla, modificador] :
             {std::pair{Qt::Key_9, Qt::NoModifier}, std::pair{Qt::Key_V, Qt::ControlModifier}}) {
            QWidget* foco = QApplication::focusWidget() ? QApplication::focusWidget() : grade;
            QTest::keyClick(foco, tecla, modificador);
            QApplication::processEvents();
            if (!viva || !Aberta())
                return;
            if (TInplaceEdit* editor = grade->InplaceEditor(); editor && editor->isVisible())
                Falha(*grade,
                      QStringLiteral("%1 opens an editor on cell %2,%3")
                          .arg(QKeySequence(tecla | modificador).toString())
                          .arg(grade->Col())
                          .arg(grade->Row()));
        }
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : grade, Qt::Key_Down);
        QApplication::processEvents();
        if (!viva || !Aberta())
            return;
        const QStringList depois = TextosDaGrade(*grade);
        for (int i = 0; i < std::min(antes.size(), depois.size()); ++i)
            if (antes[i] != depois[i]) {
                const int colunas = grade->ColCount();
                Falha(*grade,
                      QStringLiteral("typing changed the read-only cell %1,%2 from \"%3\" to \"%4\"")
                          .arg(i % colunas)
                          .arg(i / colunas)
                          .arg(antes[i], depois[i]));
            }
    }
}

// ---- helpers ----

void VistoriaMouse::FechaSobrepostos()
{
    for (int i = 0; i < 5; ++i) {
        QWidget* sobreposto = QApplication::activePopupWidget();
        if (!sobreposto)
            return;
        sobreposto->close();
        QApplication::processEvents();
    }
}

void VistoriaMouse::Onde(const QWidget& controle, const char* acao)
{
    const QByteArray texto = (FNome + QStringLiteral(": ") + Nome(controle) + QStringLiteral(": ")).toUtf8() + acao;
    const auto n = std::min<qsizetype>(texto.size(), sizeof onde - 1);
    std::memcpy(onde, texto.constData(), static_cast<size_t>(n));
    onde[n] = '\0';
}

void VistoriaMouse::Falha(const QWidget& controle, const QString& problema)
{
    const QString texto = FNome + QStringLiteral(": ") + Nome(controle) + QStringLiteral(": ") + problema;
    if (!FFalhas.contains(texto))
        FFalhas << texto;
}

QString VistoriaMouse::Nome(const QWidget& controle) const
{
    return CaminhoNaJanela(controle, FJanela);
}
