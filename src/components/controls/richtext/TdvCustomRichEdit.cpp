#include "components/controls/richtext/TdvCustomRichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFontDialog>
#include <QIODevice>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <QUrl>
#include <cmath>
#include <stdexcept>

#include "components/data/richtext/TdvRtfReader.h"
#include "components/data/richtext/TdvRtfWriter.h"
#include "components/controls/richtext/TdvUrlHighlighter.h"
#include "components/controls/richtext/dvRichDocument.h"
#include "components/controls/richtext/dvRichOle.h"
#include "components/controls/richtext/dvRichSearch.h"
#include "components/data/settings/TdvIntl.h"
#include "components/data/common/dvBeep.h"
#include "components/data/common/dvControlState.h"
#include "platform/report/printing/IImpressoras.h"
#include "platform/report/printing/TImpressaoPaginas.h"
#include "platform/report/pages/TPapel.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/widgets/grid/TCustomGrid.h"

namespace {

const QString FormatoRtf = QStringLiteral("text/rtf");

// Plain text: each CR LF, lone CR and lone LF ends a line.
TdvRtfDocument DocumentoDeTexto(const QString& texto)
{
    TdvRtfDocument d;
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& linha : t.split(QLatin1Char('\n'))) {
        TdvRtfParagraph p;
        if (!linha.isEmpty())
            p.Runs.push_back({linha, TdvRtfCharFormat()});
        d.Paragraphs.push_back(std::move(p));
    }
    return d;
}

}   // namespace

TdvCustomRichEdit::TdvCustomRichEdit(QWidget* parent)
    : QTextEdit(parent)
    , PrintJobName(QCoreApplication::applicationName())
    , FLines(std::make_unique<TdvRichEditStrings>(*this))
    , FLinks(new TdvUrlHighlighter(*this))
{
    setAcceptRichText(true);
    setTabChangesFocus(true);
    connect(this, &QTextEdit::selectionChanged, this, &TdvCustomRichEdit::SelectionChanged);
    connect(this, &QTextEdit::cursorPositionChanged, this, &TdvCustomRichEdit::SelectionChanged);
}

TdvCustomRichEdit::~TdvCustomRichEdit() = default;

void TdvCustomRichEdit::SetAutoURLDetect(bool valor)
{
    if (FAutoURLDetect == valor)
        return;
    FAutoURLDetect = valor;
    const bool modificado = Modified();
    FLinks->rehighlight();
    SetModified(modificado);
}

void TdvCustomRichEdit::SetWordWrap(bool valor)
{
    setLineWrapMode(valor ? WidgetWidth : NoWrap);
    AtualizaLarguraFormatacao();
}

void TdvCustomRichEdit::Ocupado(const std::function<void()>& f)
{
    const bool antes = FOcupado;
    FOcupado = true;
    try {
        f();
    } catch (...) {
        FOcupado = antes;
        throw;
    }
    FOcupado = antes;
}

bool TdvCustomRichEdit::Modified() const
{
    return document()->isModified();
}

void TdvCustomRichEdit::SetModified(bool valor)
{
    document()->setModified(valor);
}

// --- Streaming --------------------------------------------------------------------------------

void TdvCustomRichEdit::LoadFromStreamAs(QIODevice& origem, bool naSelecao, int blocos)
{
    if (!origem.isOpen() || !origem.isReadable())
        throw std::runtime_error("Failed to Load Stream");
    QByteArray bytes = blocos > 0 ? origem.read(static_cast<qint64>(blocos) * 2048) : origem.readAll();
    if (blocos > 0 && !origem.atEnd() && TdvRtfReader::IsRtf(bytes)) {
        // Only the start is wanted: the text is cut where the first paragraph's groups begin.
        const qsizetype pard = bytes.indexOf("\\pard");
        const qsizetype chave = pard >= 0 ? bytes.indexOf('{', pard) : -1;
        if (chave >= 0)
            bytes = bytes.left(chave) + '}';
    }
    LoadFromBytes(bytes, naSelecao);
}

void TdvCustomRichEdit::LoadFromBytes(const QByteArray& bytes, bool naSelecao)
{
    std::optional<TdvRtfDocument> documento;
    if (!PlainText)
        documento = TdvRtfReader::Read(bytes);
    if (!documento)
        documento = DocumentoDeTexto(QString::fromLatin1(bytes));
    Ocupado([&] {
        QTextCursor cursor = textCursor();
        if (!naSelecao) {
            document()->clear();
            cursor = QTextCursor(document());
        }
        dvRichDocument::Insere(cursor, *documento);
        if (!naSelecao) {
            cursor.movePosition(QTextCursor::Start);
            SetModified(false);
        }
        setTextCursor(cursor);
    });
}

QByteArray TdvCustomRichEdit::RichText(bool selecao) const
{
    const QTextCursor c = textCursor();
    const TdvRtfDocument d = selecao ? dvRichDocument::Extrai(*document(), c.selectionStart(), c.selectionEnd())
                                     : dvRichDocument::Extrai(*document());
    return TdvRtfWriter::Write(d);
}

QByteArray TdvCustomRichEdit::SaveToBytes(bool selecao, bool comoTextoSimples) const
{
    if (!PlainText && !comoTextoSimples)
        return RichText(selecao);
    const QTextCursor c = textCursor();
    const TdvRtfDocument d = selecao ? dvRichDocument::Extrai(*document(), c.selectionStart(), c.selectionEnd())
                                     : dvRichDocument::Extrai(*document());
    return d.PlainText().toLatin1();
}

QString TdvCustomRichEdit::Text() const
{
    return FLines->Text();
}

void TdvCustomRichEdit::SetText(const QString& texto)
{
    Ocupado([&] {
        document()->clear();
        QTextCursor cursor(document());
        dvRichDocument::Insere(cursor, DocumentoDeTexto(texto));
        cursor.movePosition(QTextCursor::Start);
        setTextCursor(cursor);
        SetModified(false);
    });
}

bool TdvCustomRichEdit::canInsertFromMimeData(const QMimeData* origem) const
{
    // Pictures would be embedded objects, which this platform cannot hold.
    return origem && (origem->hasText() || origem->hasHtml() || origem->hasFormat(FormatoRtf));
}

void TdvCustomRichEdit::insertFromMimeData(const QMimeData* origem)
{
    if (!origem || EffectiveReadOnly())
        return;
    BeginFieldEdit();
    if (!PlainText && origem->hasFormat(FormatoRtf)) {
        QTextCursor c = textCursor();
        const auto d = TdvRtfReader::Read(origem->data(FormatoRtf));
        if (d) {
            dvRichDocument::Insere(c, *d);
            setTextCursor(c);
            return;
        }
    }
    if (PlainText || !origem->hasHtml())
        insertPlainText(origem->text());
    else
        QTextEdit::insertFromMimeData(origem);
}

QMimeData* TdvCustomRichEdit::createMimeDataFromSelection() const
{
    QMimeData* dados = QTextEdit::createMimeDataFromSelection();
    if (dados && !PlainText)
        dados->setData(FormatoRtf, RichText(true));
    return dados;
}

void TdvCustomRichEdit::dropEvent(QDropEvent* e)
{
    if (EffectiveReadOnly()) {
        e->ignore();
        return;
    }
    unsigned teclas = 0;
    if (e->modifiers() & Qt::ControlModifier)
        teclas |= dvDropEffect::KeyControl;
    if (e->modifiers() & Qt::ShiftModifier)
        teclas |= dvDropEffect::KeyShift;
    unsigned efeito = 0;
    if (e->possibleActions() & Qt::CopyAction)
        efeito |= dvDropEffect::Copy;
    if (e->possibleActions() & Qt::MoveAction)
        efeito |= dvDropEffect::Move;
    if (e->possibleActions() & Qt::LinkAction)
        efeito |= dvDropEffect::Link;
    dvRichDropEffect(false, teclas, efeito);
    if (efeito == dvDropEffect::Copy || efeito == dvDropEffect::Move)
        e->setDropAction(efeito == dvDropEffect::Copy ? Qt::CopyAction : Qt::MoveAction);
    BeginFieldEdit();
    QTextEdit::dropEvent(e);
}

// --- Events -----------------------------------------------------------------------------------

void TdvCustomRichEdit::DoURLOpen(const QString& url, bool& abre)
{
    if (OnURLOpen)
        OnURLOpen(this, url, abre);
}

void TdvCustomRichEdit::DoCreateDialog(QWidget* form)
{
    if (OnCreateDialog)
        OnCreateDialog(form);
}

void TdvCustomRichEdit::DoInitDialog(QWidget* form)
{
    if (OnInitDialog)
        OnInitDialog(form);
}

void TdvCustomRichEdit::DoCloseDialog(QWidget* form)
{
    if (OnCloseDialog)
        OnCloseDialog(form);
}

QString TdvCustomRichEdit::UrlAt(int posicao) const
{
    if (!FAutoURLDetect)
        return {};
    const QTextBlock bloco = document()->findBlock(posicao);
    if (!bloco.isValid())
        return {};
    const int noBloco = posicao - bloco.position();
    for (const auto& [inicio, tamanho] : TdvUrlHighlighter::Links(bloco.text()))
        if (noBloco >= inicio && noBloco < inicio + tamanho)
            return bloco.text().mid(inicio, tamanho);
    return {};
}

void TdvCustomRichEdit::mousePressEvent(QMouseEvent* e)
{
    FUrlArmada.clear();
    if (e->button() == Qt::LeftButton)
        FUrlArmada = UrlAt(cursorForPosition(e->position().toPoint()).position());
    QTextEdit::mousePressEvent(e);
}

void TdvCustomRichEdit::mouseReleaseEvent(QMouseEvent* e)
{
    QTextEdit::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton || FUrlArmada.isEmpty())
        return;
    const QString url = FUrlArmada;
    FUrlArmada.clear();
    if (UrlAt(cursorForPosition(e->position().toPoint()).position()) != url)
        return;
    bool abre = true;
    DoURLOpen(url, abre);
    if (!abre)
        return;
    const QUrl endereco = QUrl::fromUserInput(url);
    if (AbreUrl)
        AbreUrl(endereco.toString());
    else
        QDesktopServices::openUrl(endereco);
}

QWidget* TdvCustomRichEdit::GradePai() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<TCustomGrid*>(w))
            return w;
    return nullptr;
}

bool TdvCustomRichEdit::PassaTeclaAGrade(QKeyEvent* e)
{
    auto* grade = qobject_cast<TCustomGrid*>(GradePai());
    if (!grade)
        return false;
    const Qt::KeyboardModifiers m = e->modifiers();
    const int k = e->key();
    const bool ctrl = (m & Qt::ControlModifier) != 0;
    bool passa = false;
    switch (k) {
    case Qt::Key_Escape:
        passa = !Modified();
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        passa = true;
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        passa = (m & Qt::AltModifier) == 0;
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        passa = ctrl;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        passa = !WantReturns || ctrl;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        passa = (grade->Options() & goTabs) != 0;
        break;
    default:
        break;
    }
    if (!passa)
        return false;
    grade->setFocus();
    QKeyEvent copia(e->type(), k, m, e->text());
    QCoreApplication::sendEvent(grade, &copia);
    return true;
}

void TdvCustomRichEdit::keyPressEvent(QKeyEvent* e)
{
    if (PassaTeclaAGrade(e))
        return;
    const int k = e->key();
    const Qt::KeyboardModifiers m = e->modifiers();
    const bool colar = (k == Qt::Key_Insert && m == Qt::ShiftModifier) || (k == Qt::Key_V && m == Qt::ControlModifier);
    if (k == Qt::Key_F2 && (PopupOptions & rpoPopupEdit) != 0) {
        ExecuteEditor();
        return;
    }
    if (colar && !CanPasteClipboard())
        return;
    if ((k == Qt::Key_Tab || k == Qt::Key_Backtab) && !WantTabs) {
        e->ignore();
        focusNextPrevChild(k == Qt::Key_Tab && !(m & Qt::ShiftModifier));
        return;
    }
    const bool enter = k == Qt::Key_Return || k == Qt::Key_Enter;
    if (enter && !WantReturns) {
        e->ignore();
        return;
    }
    if (GetBoundField() && IsContentLoaded() && !EffectiveReadOnly()) {
        const bool edita = k == Qt::Key_Delete || k == Qt::Key_Backspace || colar || enter
            || (k == Qt::Key_X && m == Qt::ControlModifier) || (k == Qt::Key_Tab && WantTabs)
            || (!e->text().isEmpty() && e->text().at(0) >= QChar(32) && !(m & Qt::ControlModifier));
        if (edita)
            BeginFieldEdit();
    }
    if (MaxLength > 0 && !e->text().isEmpty() && e->text().at(0) >= QChar(32) && !textCursor().hasSelection()
        && document()->characterCount() - 1 >= MaxLength) {
        dvBeep();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void TdvCustomRichEdit::resizeEvent(QResizeEvent* e)
{
    QTextEdit::resizeEvent(e);
    AtualizaLarguraFormatacao();
}

void TdvCustomRichEdit::AtualizaLarguraFormatacao()
{
    if (EditWidth == TdvRichEditWidth::rewPrinterSize && WordWrap()) {
        setLineWrapMode(FixedPixelWidth);
        setLineWrapColumnOrWidth(static_cast<int>(PrintableSize().width() * logicalDpiX() / 96.0));
    } else if (lineWrapMode() == FixedPixelWidth) {
        setLineWrapMode(WidgetWidth);
    }
}

// --- Context menu -----------------------------------------------------------------------------

void TdvCustomRichEdit::contextMenuEvent(QContextMenuEvent* e)
{
    std::unique_ptr<QMenu> menu(CreatePopupMenu());
    menu->exec(e->globalPos());
}

QMenu* TdvCustomRichEdit::CreatePopupMenu()
{
    const TdvRichEditPopupMenuLabels& t = dvIntl().RichEdit.PopupMenuLabels;
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu"));
    const bool somenteLeitura = EffectiveReadOnly();
    unsigned opcoes = PopupOptions & ~rpoPopupMSWordSpellCheck;   // no spell checker here
    if (somenteLeitura)
        opcoes &= rpoPopupEdit | rpoPopupCut | rpoPopupCopy | rpoPopupPaste | rpoPopupFind;
    // Objects cannot be embedded here, so Insert Object never shows.
    opcoes &= ~rpoPopupInsertObject;
    auto item = [&](const char* nome, const QString& titulo, unsigned opcao, auto acao) {
        QAction* a = menu->addAction(titulo);
        a->setObjectName(QLatin1String(nome));
        a->setVisible((opcoes & opcao) != 0);
        connect(a, &QAction::triggered, this, acao);
        return a;
    };
    item("Edit", somenteLeitura ? t.ViewCaption : t.EditCaption, rpoPopupEdit, [this] { ExecuteEditor(); });
    menu->addSeparator();
    item("Cut", t.CutCaption, rpoPopupCut, [this] {
        BeginFieldEdit();
        cut();
    })->setEnabled(HasSelection() && !somenteLeitura);
    item("Copy", t.CopyCaption, rpoPopupCopy, [this] { copy(); })->setEnabled(HasSelection());
    item("Paste", t.PasteCaption, rpoPopupPaste, [this] {
        paste();
    })->setEnabled(CanPasteClipboard() && !somenteLeitura);
    menu->addSeparator();
    const struct {
        const char* nome;
        QString titulo;
        unsigned opcao;
        TdvRichEffect efeito;
    } efeitos[] = {
        {"Bold", t.BoldCaption, rpoPopupBold, TdvRichEffect::Bold},
        {"Italic", t.ItalicCaption, rpoPopupItalic, TdvRichEffect::Italic},
        {"Underline", t.UnderlineCaption, rpoPopupUnderline, TdvRichEffect::Underline},
    };
    for (const auto& e : efeitos) {
        const TdvRichEffect efeito = e.efeito;
        QAction* a = item(e.nome, e.titulo, e.opcao, [] {});
        a->setCheckable(true);
        a->setChecked(SelectionHasEffect(efeito));
        // The item's mark was the state: the click sets the other one.
        connect(a, &QAction::triggered, this, [this, efeito](bool marcado) {
            BeginFieldEdit();
            ToggleSelectionEffect(efeito, marcado);
        });
    }
    menu->addSeparator();
    item("Font", t.FontCaption, rpoPopupFont, [this] { ExecuteFontDialog(); });
    QAction* marcador = item("Bullet", t.BulletStyleCaption, rpoPopupBullet, [] {});
    marcador->setCheckable(true);
    marcador->setChecked(textCursor().currentList() != nullptr);
    connect(marcador, &QAction::triggered, this, [this](bool marcado) { SetBullet(marcado); });
    item("Paragraph", t.ParagraphCaption, rpoPopupParagraph, [this] { ExecuteParagraphDialog(); });
    item("Tabs", t.TabsCaption, rpoPopupTabs, [this] { ExecuteTabDialog(); });
    menu->addSeparator();
    item("Find", t.FindCaption, rpoPopupFind, [this] { ExecuteFindDialog(); });
    item("Replace", t.ReplaceCaption, rpoPopupReplace, [this] { ExecuteReplaceDialog(); });
    menu->addSeparator();
    item("InsertObject", t.InsertObjectCaption, rpoPopupInsertObject, [this] { InsertObject(); });
    item("SpellCheck", t.SpellCheckCaption, rpoPopupMSWordSpellCheck, [this] { SpellCheck(); });
    menu->setSeparatorsCollapsible(true);
    return menu;
}

// --- Search -----------------------------------------------------------------------------------

void TdvCustomRichEdit::BeginSearch()
{
    FInicioBusca = textCursor().selectionStart();
    FDeuVolta = false;
}

bool TdvCustomRichEdit::SearchStep(const QString& procura, const QString* substituto, unsigned opcoes, bool tudo)
{
    if (procura.isEmpty())
        return false;
    do {
        QTextCursor c = textCursor();
        int inicio = c.selectionStart();
        const int fim = c.selectionEnd();
        QString texto = document()->toRawText();
        bool substituiu = false;
        if (substituto && fim - inicio == procura.size()
            && dvRichSearch::Procura(texto, procura, inicio, fim, opcoes) == inicio) {
            BeginFieldEdit();
            c.insertText(*substituto);
            if (FDeuVolta)
                FInicioBusca += static_cast<int>(substituto->size() - procura.size());
            setTextCursor(c);
            inicio = c.position();
            texto = document()->toRawText();
            substituiu = true;
        }
        // After a replacement, or from a bare caret, the search goes on from the caret itself,
        // so that a match right behind it is not skipped.
        const int de = substituiu || !c.hasSelection() ? inicio : inicio + 1;
        int achou = dvRichSearch::Procura(texto, procura, de, static_cast<int>(texto.size()), opcoes);
        if (FDeuVolta && achou >= FInicioBusca)
            achou = -1;
        if (!FDeuVolta && achou < 0 && inicio != 0) {
            achou = dvRichSearch::Procura(texto, procura, 0, static_cast<int>(texto.size()), opcoes);
            if (achou >= FInicioBusca)
                achou = -1;
            FDeuVolta = true;
        }
        if (achou < 0) {
            InterfaceUsuario::Mostra(dvIntl().UserMessages.LocateNoMoreMatches, TipoDialogo::Informacao, Botao::Ok);
            FInicioBusca = textCursor().selectionStart();
            FDeuVolta = false;
            return false;
        }
        QTextCursor selecao(document());
        selecao.setPosition(achou);
        selecao.setPosition(achou + static_cast<int>(procura.size()), QTextCursor::KeepAnchor);
        setTextCursor(selecao);
    } while (tudo);
    return true;
}

bool TdvCustomRichEdit::FindNextMatch()
{
    return SearchStep(LastSearchText, nullptr, SearchOptions, false);
}

bool TdvCustomRichEdit::ReplaceMatch(const QString& substituto, bool tudo)
{
    if (EffectiveReadOnly())
        return false;
    return SearchStep(LastSearchText, &substituto, SearchOptions, tudo);
}

bool TdvCustomRichEdit::ReplaceNextMatch(const QString& procura, const QString& substituto, unsigned opcoes)
{
    const QString texto = document()->toRawText();
    const int achou = dvRichSearch::Procura(texto, procura, textCursor().position(), static_cast<int>(texto.size()),
                                            opcoes);
    if (achou < 0 || procura.isEmpty())
        return false;
    BeginFieldEdit();
    QTextCursor c(document());
    c.setPosition(achou);
    c.setPosition(achou + static_cast<int>(procura.size()), QTextCursor::KeepAnchor);
    c.insertText(substituto);
    setTextCursor(c);
    return true;
}

int TdvCustomRichEdit::FindTextUpward(const QString& procura, int inicio, int tamanho, unsigned opcoes) const
{
    return dvRichSearch::ProcuraParaTras(document()->toRawText(), procura, inicio, tamanho, opcoes);
}

// --- Formatting -------------------------------------------------------------------------------

void TdvCustomRichEdit::AplicaFormato(const std::function<void(QTextCharFormat&)>& muda)
{
    QTextCharFormat f;
    muda(f);
    QTextCursor c = textCursor();
    if (c.hasSelection())
        c.mergeCharFormat(f);
    mergeCurrentCharFormat(f);
}

void TdvCustomRichEdit::SetSelectionFont(const QString& face, double pontos, const QColor& cor, unsigned estilo)
{
    AplicaFormato([&](QTextCharFormat& f) {
        f.setFontFamilies(QStringList{face.left(32)});
        f.setFontPointSize(pontos);
        f.setForeground(cor);
        f.setFontWeight((estilo & fsBold) ? QFont::Bold : QFont::Normal);
        f.setFontItalic((estilo & fsItalic) != 0);
        f.setFontUnderline((estilo & fsUnderline) != 0);
        f.setFontStrikeOut((estilo & fsStrikeOut) != 0);
    });
}

void TdvCustomRichEdit::SetSelectionFace(const QString& face)
{
    AplicaFormato([&](QTextCharFormat& f) { f.setFontFamilies(QStringList{face.left(32)}); });
}

void TdvCustomRichEdit::SetSelectionSize(double pontos)
{
    if (pontos > 0)
        AplicaFormato([&](QTextCharFormat& f) { f.setFontPointSize(pontos); });
}

void TdvCustomRichEdit::SetSelectionColor(const QColor& cor)
{
    AplicaFormato([&](QTextCharFormat& f) { f.setForeground(cor); });
}

bool TdvCustomRichEdit::SelectionHasEffect(TdvRichEffect efeito) const
{
    const QTextCharFormat f = textCursor().charFormat();
    switch (efeito) {
    case TdvRichEffect::Bold:
        return f.fontWeight() >= QFont::Bold;
    case TdvRichEffect::Italic:
        return f.fontItalic();
    case TdvRichEffect::Underline:
        return f.fontUnderline();
    case TdvRichEffect::StrikeOut:
        return f.fontStrikeOut();
    }
    return false;
}

void TdvCustomRichEdit::ToggleSelectionEffect(TdvRichEffect efeito, bool liga)
{
    AplicaFormato([&](QTextCharFormat& f) {
        switch (efeito) {
        case TdvRichEffect::Bold:
            f.setFontWeight(liga ? QFont::Bold : QFont::Normal);
            break;
        case TdvRichEffect::Italic:
            f.setFontItalic(liga);
            break;
        case TdvRichEffect::Underline:
            f.setFontUnderline(liga);
            break;
        case TdvRichEffect::StrikeOut:
            f.setFontStrikeOut(liga);
            break;
        }
    });
}

void TdvCustomRichEdit::SetSelectionHighlight(const QColor& cor)
{
    if (!cor.isValid()) {
        RemoveSelectionHighlight();
    } else {
        AplicaFormato([&](QTextCharFormat& f) { f.setBackground(cor); });
    }
    QTextCursor c = textCursor();
    c.clearSelection();
    setTextCursor(c);
}

QColor TdvCustomRichEdit::GetSelectionHighlight() const
{
    const QTextCharFormat f = textCursor().charFormat();
    return f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color() : QColor();
}

void TdvCustomRichEdit::RemoveSelectionHighlight()
{
    const QTextCursor selecao = textCursor();
    const int de = selecao.selectionStart();
    const int ate = selecao.selectionEnd();
    QTextCursor c(document());
    c.beginEditBlock();
    for (QTextBlock b = document()->findBlock(de); b.isValid() && b.position() <= ate; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const int i = std::max(de, frag.position());
            const int f = std::min(ate, frag.position() + frag.length());
            if (f <= i || !frag.charFormat().hasProperty(QTextFormat::BackgroundBrush))
                continue;
            QTextCharFormat formato = frag.charFormat();
            formato.clearProperty(QTextFormat::BackgroundBrush);
            c.setPosition(i);
            c.setPosition(f, QTextCursor::KeepAnchor);
            c.setCharFormat(formato);
        }
    }
    c.endEditBlock();
    QTextCharFormat atual = currentCharFormat();
    atual.clearProperty(QTextFormat::BackgroundBrush);
    setCurrentCharFormat(atual);
}

TdvParagraphFormat TdvCustomRichEdit::GetParagraphFormat() const
{
    const TdvRtfParagraph p = dvRichDocument::ParagrafoDe(textCursor().block());
    TdvParagraphFormat r;
    r.Align = p.Alignment == TdvRtfAlignment::Right ? 2
        : p.Alignment == TdvRtfAlignment::Center    ? 3
        : p.Alignment == TdvRtfAlignment::Justify   ? 4
                                                    : 1;
    r.OffsetValue = -p.FirstIndent;
    r.StartIndentValue = p.LeftIndent + p.FirstIndent;
    r.RightIndentValue = p.RightIndent;
    r.SpaceBeforeValue = p.SpaceBefore;
    r.SpaceAfterValue = p.SpaceAfter;
    r.Tabs = p.Tabs;
    r.Bullet = p.Bullet;
    if (p.LineSpacing == 0) {
        r.LineSpacingRule = 0;
    } else if (p.LineMultiple) {
        r.LineSpacingRule = 5;
        r.LineSpacingValue = std::abs(p.LineSpacing) / 12;
    } else {
        r.LineSpacingRule = p.LineSpacing > 0 ? 3 : 4;
        r.LineSpacingValue = std::abs(p.LineSpacing);
    }
    return r;
}

void TdvCustomRichEdit::SetParagraphFormat(const TdvParagraphFormat& r)
{
    BeginFieldEdit();
    const TdvRichEditParagraphDlg& textos = dvIntl().RichEdit.ParagraphDialog;
    const QTextCursor selecao = textCursor();
    QTextCursor c(document());
    c.beginEditBlock();
    const int ate = selecao.selectionEnd();
    for (QTextBlock b = document()->findBlock(selecao.selectionStart()); b.isValid() && b.position() <= ate;
         b = b.next()) {
        TdvRtfParagraph p = dvRichDocument::ParagrafoDe(b);
        int inicio = p.LeftIndent + p.FirstIndent;
        int deslocamento = -p.FirstIndent;
        if (r.Changes & TdvParagraphFormat::Alignment)
            p.Alignment = r.AlignmentCaption == textos.AlignLeft ? TdvRtfAlignment::Left
                : r.AlignmentCaption == textos.AlignRight        ? TdvRtfAlignment::Right
                                                                 : TdvRtfAlignment::Center;
        if (r.Changes & TdvParagraphFormat::Numbering)
            p.Bullet = r.Bullet;
        if (r.Changes & TdvParagraphFormat::Offset)
            deslocamento = r.OffsetValue;
        if (r.Changes & TdvParagraphFormat::StartIndent)
            inicio = r.StartIndentValue;
        p.LeftIndent = inicio + deslocamento;
        p.FirstIndent = -deslocamento;
        if (r.Changes & TdvParagraphFormat::RightIndent)
            p.RightIndent = r.RightIndentValue;
        if (r.Changes & TdvParagraphFormat::TabStops) {
            QList<int> tabs = r.Tabs.mid(0, 32);
            std::sort(tabs.begin(), tabs.end());
            tabs.erase(std::unique(tabs.begin(), tabs.end()), tabs.end());
            p.Tabs = tabs;
        }
        if (r.Changes & TdvParagraphFormat::SpaceBefore)
            p.SpaceBefore = r.SpaceBeforeValue;
        if (r.Changes & TdvParagraphFormat::SpaceAfter)
            p.SpaceAfter = r.SpaceAfterValue;
        if (r.Changes & TdvParagraphFormat::LineSpacing) {
            // One and a half and double lines go as multiples of a line (30 and 40 twentieths).
            const int rule = r.LineSpacingRule;
            const int valor = rule == 1 ? 30 : rule == 2 ? 40 : r.LineSpacingValue;
            p.LineMultiple = rule == 1 || rule == 2 || rule == 5;
            p.LineSpacing = rule == 0 ? 0
                : p.LineMultiple      ? valor * 12
                : rule == 4           ? -std::abs(valor)
                                      : std::abs(valor);
        }
        c.setPosition(b.position());
        dvRichDocument::AplicaParagrafo(c, p);
    }
    c.endEditBlock();
    emit SelectionChanged();
}

void TdvCustomRichEdit::SetBullet(bool liga)
{
    TdvParagraphFormat r;
    r.Changes = TdvParagraphFormat::Numbering;
    r.Bullet = liga;
    if (liga) {
        r.Changes |= TdvParagraphFormat::Offset;
        r.OffsetValue = 720;
    }
    SetParagraphFormat(r);
}

bool TdvCustomRichEdit::CanPasteClipboard() const
{
    return canInsertFromMimeData(QApplication::clipboard()->mimeData());
}

bool TdvCustomRichEdit::CanUndo() const
{
    return document()->isUndoAvailable();
}

bool TdvCustomRichEdit::CanRedo() const
{
    return document()->isRedoAvailable();
}

bool TdvCustomRichEdit::HasSelection() const
{
    return textCursor().hasSelection();
}

bool TdvCustomRichEdit::ExecuteFontDialog()
{
    bool ok = false;
    const QFont atual = textCursor().charFormat().font();
    const QFont fonte = QFontDialog::getFont(&ok, atual, this);
    if (!ok)
        return false;
    BeginFieldEdit();
    unsigned estilo = 0;
    if (fonte.bold())
        estilo |= fsBold;
    if (fonte.italic())
        estilo |= fsItalic;
    if (fonte.underline())
        estilo |= fsUnderline;
    if (fonte.strikeOut())
        estilo |= fsStrikeOut;
    const QColor cor = textCursor().charFormat().foreground().color();
    SetSelectionFont(fonte.family(), fonte.pointSizeF(), cor, estilo);
    return true;
}

bool TdvCustomRichEdit::InsertObject()
{
    return false;
}

// --- Printing ---------------------------------------------------------------------------------

int TdvCustomRichEdit::MeasurementToTwips(double valor) const
{
    double t = valor * TwipsPorPolegada;
    if (MeasurementUnits == TdvMeasurementUnits::muCentimeters)
        t /= CentimetrosPorPolegada;
    return static_cast<int>(t);
}

int TdvCustomRichEdit::ParseMeasurement(const QString& texto) const
{
    int twips = 0;
    return dvParseMeasurement(texto, MeasurementUnits, twips) ? twips : 0;
}

QSizeF TdvCustomRichEdit::PrintableSize() const
{
    TPapel papel;
    papel.DefineCodigo(PaperSize);
    auto px = [this](double medida) { return std::max(0, MeasurementToTwips(medida)) / 15.0; };
    const double largura = papel.Largura() - px(PrintMargins.Left) - px(PrintMargins.Right);
    const double altura = papel.Altura() - px(PrintMargins.Top) - px(PrintMargins.Bottom);
    return {std::max(largura, 48.0), std::max(altura, 48.0)};
}

bool TdvCustomRichEdit::Print(const QString& titulo)
{
    const std::unique_ptr<QPrinter> impressora = Impressoras::Atual().CriaImpressora(titulo);
    if (!impressora)
        return false;
    TPapel papel;
    papel.DefineCodigo(PaperSize);
    const QSizeF util = PrintableSize();
    const QPointF canto(std::max(0, MeasurementToTwips(PrintMargins.Left)) / 15.0,
                        std::max(0, MeasurementToTwips(PrintMargins.Top)) / 15.0);

    const std::unique_ptr<QTextDocument> copia(document()->clone());
    copia->setDocumentMargin(0);
    copia->setTextWidth(util.width());
    const double altura = copia->size().height();   // lays the whole text out
    // Pages break between lines: a line that does not fit begins the next page.
    std::vector<std::pair<double, double>> paginas;
    double topo = 0;
    for (QTextBlock b = copia->begin(); b.isValid(); b = b.next()) {
        const QTextLayout* leiaute = b.layout();
        for (int i = 0; leiaute && i < leiaute->lineCount(); ++i) {
            const QTextLine linha = leiaute->lineAt(i);
            const double y = leiaute->position().y() + linha.y();
            if (y + linha.height() - topo > util.height() && y > topo) {
                paginas.emplace_back(topo, y);
                topo = y;
            }
        }
    }
    paginas.emplace_back(topo, std::max(topo + 1, altura));
    TImpressaoPaginas trabalho(*impressora, papel, titulo);
    for (const auto& [de, ate] : paginas) {
        QPicture pagina;
        QPainter pintor(&pagina);
        pintor.translate(canto.x(), canto.y() - de);
        // The clip stays inside the page so that the lines touching its edges are left out.
        copia->drawContents(&pintor, QRectF(0, de + 0.01, util.width(), ate - de - 0.02));
        pintor.end();
        if (!trabalho.Pagina(pagina))
            break;
    }
    return trabalho.Conclui();
}

void TdvCustomRichEdit::PaintCopy(QPainter& pintor, const QRect& area) const
{
    if (!dvIsPaintCopyState(this) || !GradePai() || area.isEmpty())
        return;
    // A copy of the document, so that the control's own layout stays as it is.
    const std::unique_ptr<QTextDocument> copia(document()->clone());
    copia->setDocumentMargin(0);
    copia->setTextWidth(area.width());
    QAbstractTextDocumentLayout::PaintContext contexto;
    contexto.palette.setColor(QPalette::Text, pintor.pen().color());
    contexto.clip = QRectF(0, 0, area.width(), area.height());
    pintor.save();
    pintor.translate(area.topLeft());
    pintor.setClipRect(contexto.clip, Qt::IntersectClip);
    copia->documentLayout()->draw(&pintor, contexto);
    pintor.restore();
}

bool TdvCustomRichEdit::PrintThroughWord(const QString& /*modelo*/)
{
    InterfaceUsuario::Mostra(dvIntl().UserMessages.RichEditMSWordNotFound, TipoDialogo::Erro, Botao::Ok);
    return false;
}
