#include "components/controls/richtext/TdvRichEditForm.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <cerrno>

#include "components/controls/richtext/TdvPageSetupDialog.h"
#include "components/controls/richtext/TdvRulerPanel.h"
#include "components/data/settings/TdvIntl.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TMotivoSistema.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/widgets/controls/TComboBox.h"
#include "platform/widgets/windows/TDialogoArquivo.h"

namespace {

QString Rotulo(const QString& global, const char* padrao)
{
    return global.isEmpty() ? QString::fromUtf8(padrao) : global;
}

// A hint "short | long": the short part for the tip, the long one for the status bar.
void Dica(QWidget* w, const QString& dica)
{
    const qsizetype barra = dica.indexOf(QLatin1Char('|'));
    w->setToolTip(dica.left(barra).trimmed());
    w->setStatusTip(barra < 0 ? dica.trimmed() : dica.mid(barra + 1).trimmed());
}

QString DicaLonga(const QString& dica)
{
    const qsizetype barra = dica.indexOf(QLatin1Char('|'));
    return barra < 0 ? dica.trimmed() : dica.mid(barra + 1).trimmed();
}

// A colour of the colour menu is stored as blue, green and red bytes from high to low.
QColor DaEtiqueta(unsigned etiqueta)
{
    return QColor(static_cast<int>(etiqueta & 0xFF), static_cast<int>((etiqueta >> 8) & 0xFF),
                  static_cast<int>((etiqueta >> 16) & 0xFF));
}

}   // namespace

TdvRichEditForm::TdvRichEditForm(TdvCustomRichEdit& origem)
    : QDialog(origem.window())
    , FOrigem(origem)
{
    setObjectName(QStringLiteral("dvRichEditForm"));
    setWindowTitle(origem.EditorCaption);
    setSizeGripEnabled(true);

    RichEdit1 = new TdvCustomRichEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->OleOptions = origem.OleOptions;
    RichEdit1->SetWordWrap(origem.WordWrap());
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->WantTabs = true;
    RichEdit1->PopupOptions = rpoPopupCut | rpoPopupCopy | rpoPopupPaste | rpoPopupFont | rpoPopupBullet
        | rpoPopupParagraph;
    RichEdit1->document()->setDefaultFont(origem.document()->defaultFont());
    RichEdit1->MeasurementUnits = origem.MeasurementUnits;
    RichEdit1->OnInitDialog = origem.OnInitDialog;
    RichEdit1->PrintMargins = origem.PrintMargins;
    RichEdit1->EditWidth = origem.EditWidth;
    RichEdit1->PaperSize = origem.PaperSize;
    RichEdit1->HighlightColor = origem.HighlightColor;
    RichEdit1->EditorOptions = origem.EditorOptions;
    RichEdit1->MaxLength = origem.MaxLength;
    RichEdit1->SetAutoURLDetect(origem.AutoURLDetect());
    RichEdit1->OnURLOpen = origem.OnURLOpen;
    RichEdit1->AbreUrl = origem.AbreUrl;
    RichEdit1->LastSearchText = origem.LastSearchText;
    RichEdit1->PrintJobName = origem.PrintJobName;
    RichEdit1->setReadOnly(origem.EffectiveReadOnly());

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MontaMenus();
    MontaBarras();
    Ruler = new TdvRulerPanel(*RichEdit1, this);
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    const int larguras[] = {300, 32, 32, 18};
    for (int i = 0; i < 4; ++i) {
        Panels[i] = new QLabel(StatusBar);
        Panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        Panels[i]->setMinimumWidth(larguras[i]);
        Panels[i]->setFrameStyle(i == 1 || i == 2 ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
        StatusBar->addWidget(Panels[i], i == 0 ? 1 : 0);
    }
    // Every key released in the editing area refreshes the lock panels (the form previews keys).
    RichEdit1->installEventFilter(this);
    connect(RichEdit1, &TdvCustomRichEdit::SelectionChanged, this, &TdvRichEditForm::AtualizaSelecao);
    connect(RichEdit1, &QTextEdit::textChanged, this, &TdvRichEditForm::AtualizaSelecao);

    auto* tudo = new QVBoxLayout(this);
    tudo->setContentsMargins(0, 0, 0, 0);
    tudo->setSpacing(2);
    tudo->setMenuBar(MainMenu1);
    tudo->addWidget(Toolbar);
    tudo->addWidget(FormatBar);
    tudo->addWidget(Ruler);
    tudo->addWidget(RichEdit1, 1);
    tudo->addWidget(StatusBar);

    // The designed size, scaled to the screen.
    const double escala = logicalDpiY() / 96.0;
    resize(static_cast<int>(610 * escala), static_cast<int>(455 * escala));
    const TdvFormPosition& p = origem.EditorPosition;
    if (p.Width > 0 && p.Height > 0)
        resize(p.Width, p.Height);
    if (p.Left >= 1 && p.Top >= 1)
        move(p.Left, p.Top);

    DialogoAbrir = [this] {
        return TDialogoArquivo::Abre(this, QString(),
                                     QStringLiteral("Rich Text Files (*.RTF *.rtf);;Text Files (*.TXT *.txt)"));
    };
    DialogoSalvar = [this](int& filtro) {
        const QString filtros[] = {QStringLiteral("Rich Text Files (*.RTF *.rtf)"),
                                   QStringLiteral("Text Files (*.TXT *.txt)")};
        QString escolhido;
        QString nome = TDialogoArquivo::Salva(this, QString(), filtros[0] + QStringLiteral(";;") + filtros[1],
                                              &escolhido);
        filtro = escolhido == filtros[1] ? 2 : 1;
        if (!nome.isEmpty() && QFileInfo(nome).suffix().isEmpty())
            nome += filtro == 2 ? QStringLiteral(".txt") : QStringLiteral(".rtf");
        return nome;
    };

    // The user buttons of the edit go on the toolbar while the form is open.
    QWidget* usuarios[] = {origem.UserSpeedButton1, origem.UserSpeedButton2};
    for (int i = 0; i < 2; ++i) {
        if (!usuarios[i])
            continue;
        FBotaoUsuario[i] = usuarios[i];
        FPaiUsuario[i] = usuarios[i]->parentWidget();
        FLinhaFerramentas->insertWidget(FLinhaFerramentas->count() - 1, usuarios[i]);
        usuarios[i]->show();
    }
    AplicaOpcoes();
}

TdvRichEditForm::~TdvRichEditForm()
{
    for (int i = 0; i < 2; ++i) {
        if (!FBotaoUsuario[i])
            continue;
        FBotaoUsuario[i]->hide();
        FBotaoUsuario[i]->setParent(FPaiUsuario[i]);
    }
}

bool TdvRichEditForm::SomenteLeitura() const
{
    return RichEdit1->isReadOnly();
}

void TdvRichEditForm::MontaMenus()
{
    const TdvRichEditMenuLabels& m = dvIntl().RichEdit.MenuLabels;
    const TdvDBRichEditIntl& d = dvIntl().RichEdit;
    auto menu = [this](const char* nome, const QString& titulo) {
        QMenu* x = MainMenu1->addMenu(titulo);
        x->setObjectName(QLatin1String(nome));
        return x;
    };
    auto item = [this](QMenu* dono, const char* nome, const QString& titulo, const QKeySequence& atalho,
                       const QString& dica, auto acao) {
        QAction* a = dono->addAction(titulo);
        a->setObjectName(QLatin1String(nome));
        a->setShortcut(atalho);
        a->setStatusTip(DicaLonga(dica));
        connect(a, &QAction::triggered, this, acao);
        return a;
    };
    FileMenu = menu("FileMenu", m.FileCaption);
    LoadItem = item(FileMenu, "LoadItem", m.LoadCaption, {}, d.LoadButtonHint, [this] { Carrega(); });
    SaveAsItem = item(FileMenu, "SaveAsItem", m.SaveAsCaption, {}, d.SaveAsButtonHint, [this] { SalvaComo(); });
    FileMenu->addSeparator();
    SaveExitItem = item(FileMenu, "SaveExitItem", m.SaveExitCaption, QKeySequence(QStringLiteral("Ctrl+S")),
                        d.SaveExitHint, [this] {
                            if (Pergunta(FOrigem.OnMenuSaveAndExitClick))
                                done(Accepted);
                        });
    FileMenu->addSeparator();
    PrintItem = item(FileMenu, "PrintItem", m.PrintCaption, QKeySequence(QStringLiteral("Ctrl+P")), d.PrintButtonHint,
                     [this] { Imprime(); });
    PageSetupItem = item(FileMenu, "PageSetupItem", m.PageSetupCaption, {}, d.PageSetupHint,
                         [this] { ConfiguraPagina(); });
    FileMenu->addSeparator();
    ExitItem = item(FileMenu, "ExitItem", m.ExitCaption, {}, d.ExitHint, [this] { done(Rejected); });

    EditMenu = menu("EditMenu", m.EditCaption);
    UndoItem = item(EditMenu, "UndoItem", m.UndoCaption, QKeySequence(QStringLiteral("Ctrl+Z")), d.UndoButtonHint,
                    [this] { RichEdit1->undo(); });
    RedoItem = item(EditMenu, "RedoItem", Rotulo(m.RedoCaption, "&Redo"), QKeySequence(QStringLiteral("Ctrl+Y")),
                    d.RedoButtonHint, [this] { RichEdit1->redo(); });
    EditMenu->addSeparator();
    CutItem = item(EditMenu, "CutItem", m.CutCaption, QKeySequence(QStringLiteral("Ctrl+X")), d.CutButtonHint,
                   [this] { RichEdit1->cut(); });
    CopyItem = item(EditMenu, "CopyItem", m.CopyCaption, QKeySequence(QStringLiteral("Ctrl+C")), d.CopyButtonHint,
                    [this] { RichEdit1->copy(); });
    PasteItem = item(EditMenu, "PasteItem", m.PasteCaption, QKeySequence(QStringLiteral("Ctrl+V")), d.PasteButtonHint,
                     [this] { RichEdit1->paste(); });
    ClearItem = item(EditMenu, "ClearItem", m.ClearCaption, {}, d.ClearHint,
                     [this] { RichEdit1->textCursor().removeSelectedText(); });
    SelectAllItem = item(EditMenu, "SelectAllItem", m.SelectallCaption, QKeySequence(QStringLiteral("Ctrl+A")),
                         d.SelectAllHint, [this] { RichEdit1->selectAll(); });
    EditMenu->addSeparator();
    FindItem = item(EditMenu, "FindItem", m.FindCaption, QKeySequence(QStringLiteral("Ctrl+F")), d.FindButtonHint,
                    [this] { RichEdit1->ExecuteFindDialog(); });
    FindNextItem = item(EditMenu, "FindNextItem", m.FindNextCaption, QKeySequence(Qt::Key_F3), d.FindNextHint,
                        [this] { RichEdit1->FindNextMatch(); });
    ReplaceItem = item(EditMenu, "ReplaceItem", m.ReplaceCaption, QKeySequence(QStringLiteral("Ctrl+H")), d.ReplaceHint,
                       [this] { RichEdit1->ExecuteReplaceDialog(); });

    ViewMenu = menu("ViewMenu", m.ViewCaption);
    auto mostra = [this](const char* nome, const QString& titulo, const QString& dica, auto alvo) {
        QAction* a = ViewMenu->addAction(titulo);
        a->setObjectName(QLatin1String(nome));
        a->setCheckable(true);
        a->setStatusTip(DicaLonga(dica));
        connect(a, &QAction::toggled, this, [alvo](bool ligado) { alvo()->setVisible(ligado); });
        return a;
    };
    ToolbarItem = mostra("ToolbarItem", m.ToolbarCaption, d.ToolbarHint, [this] { return Toolbar; });
    FormatBarItem = mostra("FormatBarItem", m.FormatBarCaption, d.FormatBarHint, [this] { return FormatBar; });
    StatusBarItem = mostra("StatusBarItem", m.ViewStatusBarCaption, d.ViewStatusBarHint,
                           [this] { return static_cast<QWidget*>(StatusBar); });
    RulerItem = mostra("RulerItem", m.RulerCaption, QString(), [this] { return static_cast<QWidget*>(Ruler); });
    ViewMenu->addSeparator();
    OptionsItem = ViewMenu->addAction(m.OptionsCaption);
    OptionsItem->setObjectName(QStringLiteral("OptionsItem"));
    OptionsItem->setVisible(false);

    InsertMenu = menu("InsertMenu", m.InsertCaption);
    DateTimeItem = InsertMenu->addAction(QStringLiteral("Date and Time"));
    DateTimeItem->setObjectName(QStringLiteral("DateTimeItem"));
    DateTimeItem->setVisible(false);
    ObjectItem = item(InsertMenu, "ObjectItem", m.InsertObjectCaption, {}, d.InsertObjectHint,
                      [this] { RichEdit1->InsertObject(); });

    FormatMenu = menu("FormatMenu", m.FormatCaption);
    FontItem = item(FormatMenu, "FontItem", m.FontCaption, {}, d.FontHint, [this] {
        RichEdit1->ExecuteFontDialog();
        AtualizaSelecao();
    });
    BulletItem = item(FormatMenu, "BulletItem", m.BulletStyleCaption, {}, d.BulletButtonHint, [this] {
        RichEdit1->SetBullet(!RichEdit1->GetParagraphFormat().Bullet);
        AtualizaSelecao();
    });
    ParagraphItem = item(FormatMenu, "ParagraphItem", m.ParagraphCaption, {}, d.ParagraphHint, [this] {
        RichEdit1->ExecuteParagraphDialog();
        AtualizaSelecao();
    });
    TabsItem = item(FormatMenu, "TabsItem", m.TabsCaption, {}, d.TabsHint, [this] {
        RichEdit1->ExecuteTabDialog();
        AtualizaSelecao();
    });

    ToolsMenu = menu("ToolsMenu", m.ToolCaption);
    SpellingItem = item(ToolsMenu, "SpellingItem", m.SpellCheckCaption, {}, d.SpellCheckHint,
                        [this] { RichEdit1->SpellCheck(); });
    HelpMenu = menu("HelpMenu", m.HelpCaption);
    HelpMenu->menuAction()->setVisible(false);
}

void TdvRichEditForm::MontaBarras()
{
    const TdvDBRichEditIntl& d = dvIntl().RichEdit;
    auto botao = [](QWidget* dono, QHBoxLayout* linha, const char* nome, const QString& texto, const QString& dica,
                    QStyle::StandardPixmap icone = QStyle::SP_CustomBase) {
        auto* b = new QToolButton(dono);
        b->setObjectName(QLatin1String(nome));
        b->setText(texto);
        if (icone != QStyle::SP_CustomBase)
            b->setIcon(dono->style()->standardIcon(icone));
        b->setToolButtonStyle(icone != QStyle::SP_CustomBase ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
        Dica(b, dica);
        linha->addWidget(b);
        return b;
    };
    Toolbar = new QWidget(this);
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    FLinhaFerramentas = new QHBoxLayout(Toolbar);
    FLinhaFerramentas->setContentsMargins(2, 2, 2, 2);
    FLinhaFerramentas->setSpacing(1);
    QHBoxLayout* l = FLinhaFerramentas;
    NewButton = botao(Toolbar, l, "NewButton", QStringLiteral("New"), d.NewButtonHint, QStyle::SP_FileIcon);
    LoadButton1 = botao(Toolbar, l, "LoadButton1", QStringLiteral("Open"), d.LoadButtonHint,
                        QStyle::SP_DialogOpenButton);
    SaveAsButton = botao(Toolbar, l, "SaveAsButton", QStringLiteral("Save"), d.SaveAsButtonHint,
                         QStyle::SP_DialogSaveButton);
    PrintButton = botao(Toolbar, l, "PrintButton", QStringLiteral("Print"), d.PrintButtonHint);
    FindButton = botao(Toolbar, l, "FindButton", QStringLiteral("Find"), d.FindButtonHint,
                       QStyle::SP_FileDialogContentsView);
    CutButton = botao(Toolbar, l, "CutButton", QStringLiteral("Cut"), d.CutButtonHint);
    CopyButton = botao(Toolbar, l, "CopyButton", QStringLiteral("Copy"), d.CopyButtonHint);
    UndoButton = botao(Toolbar, l, "UndoButton", QStringLiteral("Undo"), d.UndoButtonHint, QStyle::SP_ArrowBack);
    PasteButton = botao(Toolbar, l, "PasteButton", QStringLiteral("Paste"), d.PasteButtonHint);
    RedoButton = botao(Toolbar, l, "RedoButton", QStringLiteral("Redo"), d.RedoButtonHint, QStyle::SP_ArrowForward);
    SpellButton = botao(Toolbar, l, "SpellButton", QStringLiteral("ABC"), d.SpellCheckHint);
    l->addStretch();
    connect(NewButton, &QToolButton::clicked, this, &TdvRichEditForm::Novo);
    connect(LoadButton1, &QToolButton::clicked, this, &TdvRichEditForm::Carrega);
    connect(SaveAsButton, &QToolButton::clicked, this, &TdvRichEditForm::SalvaComo);
    connect(PrintButton, &QToolButton::clicked, this, &TdvRichEditForm::Imprime);
    connect(FindButton, &QToolButton::clicked, RichEdit1, &TdvCustomRichEdit::ExecuteFindDialog);
    connect(CutButton, &QToolButton::clicked, RichEdit1, &QTextEdit::cut);
    connect(CopyButton, &QToolButton::clicked, RichEdit1, &QTextEdit::copy);
    connect(UndoButton, &QToolButton::clicked, RichEdit1, &QTextEdit::undo);
    connect(PasteButton, &QToolButton::clicked, RichEdit1, &QTextEdit::paste);
    connect(RedoButton, &QToolButton::clicked, RichEdit1, &QTextEdit::redo);
    connect(SpellButton, &QToolButton::clicked, RichEdit1, &TdvCustomRichEdit::SpellCheck);

    FormatBar = new QWidget(this);
    FormatBar->setObjectName(QStringLiteral("FormatBar"));
    auto* f = new QHBoxLayout(FormatBar);
    f->setContentsMargins(2, 2, 2, 2);
    f->setSpacing(1);
    FontNameCombo = new TComboBox(FormatBar);
    FontNameCombo->setObjectName(QStringLiteral("FontNameCombo"));
    FontNameCombo->setEditable(true);
    FontNameCombo->setMaxVisibleItems(20);
    FontNameCombo->setInsertPolicy(QComboBox::NoInsert);
    FontNameCombo->setMinimumWidth(150);
    Dica(FontNameCombo, d.FontNameComboHint);
    f->addWidget(FontNameCombo);
    FontSizeCombo = new TComboBox(FormatBar);
    FontSizeCombo->setObjectName(QStringLiteral("FontSizeCombo"));
    FontSizeCombo->setEditable(true);
    FontSizeCombo->setInsertPolicy(QComboBox::NoInsert);
    FontSizeCombo->addItems(
        {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"});
    Dica(FontSizeCombo, d.FontSizeComboHint);
    f->addWidget(FontSizeCombo);
    auto estilo = [&](const char* nome, const QString& texto, const QString& dica, auto muda) {
        QToolButton* b = botao(FormatBar, f, nome, texto, dica);
        b->setCheckable(true);
        QFont fonte = b->font();
        muda(fonte);
        b->setFont(fonte);
        return b;
    };
    BoldButton = estilo("BoldButton", QStringLiteral("B"), d.BoldButtonHint, [](QFont& x) { x.setBold(true); });
    UnderlineButton = estilo("UnderlineButton", QStringLiteral("U"), d.UnderlineButtonHint,
                             [](QFont& x) { x.setUnderline(true); });
    ItalicButton = estilo("ItalicButton", QStringLiteral("I"), d.ItalicButtonHint, [](QFont& x) { x.setItalic(true); });
    f->addSpacing(6);
    LeftButton = estilo("LeftButton", QStringLiteral("Left"), d.LeftButtonHint, [](QFont&) {});
    CenterButton = estilo("CenterButton", QStringLiteral("Center"), d.CenterButtonHint, [](QFont&) {});
    RightButton = estilo("RightButton", QStringLiteral("Right"), d.RightButtonHint, [](QFont&) {});
    f->addSpacing(6);
    BulletButton = estilo("BulletButton", QString(QChar(0x2022)), d.BulletButtonHint, [](QFont&) {});
    ColorButton = botao(FormatBar, f, "ColorButton", QStringLiteral("Color"), d.ColorButtonHint);
    HighlightButton = estilo("HighlightButton", QStringLiteral("Highlight"), d.HighlightButtonHint, [](QFont&) {});
    f->addStretch();

    connect(BoldButton, &QToolButton::clicked, this, [this](bool on) {
        RichEdit1->ToggleSelectionEffect(TdvRichEffect::Bold, on);
        AtualizaSelecao();
    });
    connect(UnderlineButton, &QToolButton::clicked, this, [this](bool on) {
        RichEdit1->ToggleSelectionEffect(TdvRichEffect::Underline, on);
        AtualizaSelecao();
    });
    connect(ItalicButton, &QToolButton::clicked, this, [this](bool on) {
        RichEdit1->ToggleSelectionEffect(TdvRichEffect::Italic, on);
        AtualizaSelecao();
    });
    connect(LeftButton, &QToolButton::clicked, this, [this] { Alinha(0); });
    connect(CenterButton, &QToolButton::clicked, this, [this] { Alinha(1); });
    connect(RightButton, &QToolButton::clicked, this, [this] { Alinha(2); });
    connect(BulletButton, &QToolButton::clicked, this, [this](bool on) {
        RichEdit1->SetBullet(on);
        AtualizaSelecao();
    });
    connect(HighlightButton, &QToolButton::clicked, this, [this](bool on) {
        RichEdit1->SetSelectionHighlight(on ? RichEdit1->HighlightColor : QColor());
        AtualizaSelecao();
    });
    connect(FontNameCombo, &QComboBox::textActivated, this, [this](const QString& face) {
        if (!face.isEmpty() && face != RichEdit1->textCursor().charFormat().font().family())
            RichEdit1->SetSelectionFace(face);
        AtualizaSelecao();
    });
    connect(FontSizeCombo, &QComboBox::textActivated, this, [this](const QString& texto) {
        RichEdit1->SetSelectionSize(texto.toDouble());
        AtualizaSelecao();
    });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const struct {
        const char* nome;
        unsigned etiqueta;
    } cores[] = {
        {"Black", 0},         {"Maroon", 128},       {"Green", 32768},   {"Olive", 32896},
        {"Navy", 8388608},    {"Purple", 8388736},   {"Teal", 8421376},  {"Gray", 8421504},
        {"Silver", 12632256}, {"Red", 255},          {"Lime", 65280},    {"Yellow", 65535},
        {"Blue", 16711680},   {"Fuchsia", 16711935}, {"Aqua", 16776960}, {"White", 16777215},
    };
    auto amostra = [](const QColor& cor) {
        QPixmap p(16, 12);
        p.fill(cor);
        return QIcon(p);
    };
    for (const auto& c : cores) {
        QAction* a = PopupMenu1->addAction(amostra(DaEtiqueta(c.etiqueta)), QLatin1String(c.nome));
        a->setObjectName(QLatin1String(c.nome));
        a->setData(c.etiqueta);
    }
    // Automatic: the colour of the edit's own font.
    const QColor automatica = FOrigem.palette().color(QPalette::Text);
    QAction* autom = PopupMenu1->addAction(amostra(automatica), QStringLiteral("Automatic"));
    autom->setObjectName(QStringLiteral("Automatic"));
    autom->setData(static_cast<unsigned>(automatica.blue() << 16 | automatica.green() << 8 | automatica.red()));
    connect(PopupMenu1, &QMenu::triggered, this, [this](QAction* a) {
        RichEdit1->SetSelectionColor(DaEtiqueta(a->data().toUInt()));
        AtualizaSelecao();
    });
    connect(ColorButton, &QToolButton::clicked, this,
            [this] { PopupMenu1->popup(ColorButton->mapToGlobal(QPoint(0, ColorButton->height()))); });
}

void TdvRichEditForm::AplicaOpcoes()
{
    const unsigned o = FOrigem.EditorOptions;
    const bool leitura = SomenteLeitura();
    LoadItem->setVisible((o & reoShowLoad) != 0);
    LoadButton1->setVisible((o & reoShowLoad) != 0);
    SaveAsItem->setVisible((o & reoShowSaveAs) != 0);
    SaveAsButton->setVisible((o & reoShowSaveAs) != 0);
    PrintItem->setVisible((o & reoShowPrint) != 0);
    PrintButton->setVisible((o & reoShowPrint) != 0);
    PageSetupItem->setVisible((o & reoShowPageSetup) != 0);
    SaveExitItem->setVisible((o & reoShowSaveExit) != 0 && !leitura);
    // No spell checker and no embedded objects on this platform.
    ToolsMenu->menuAction()->setVisible(false);
    SpellButton->setVisible(false);
    InsertMenu->menuAction()->setVisible(false);
    ToolbarItem->setChecked((o & reoShowToolBar) != 0);
    Toolbar->setVisible((o & reoShowToolBar) != 0);
    FormatBarItem->setChecked((o & reoShowFormatBar) != 0);
    FormatBar->setVisible((o & reoShowFormatBar) != 0);
    StatusBarItem->setChecked((o & reoShowStatusBar) != 0);
    StatusBar->setVisible((o & reoShowStatusBar) != 0);
    RulerItem->setChecked((o & reoShowRuler) != 0);
    Ruler->setVisible((o & reoShowRuler) != 0);
    if (leitura) {
        ViewMenu->menuAction()->setVisible(false);
        FormatMenu->menuAction()->setVisible(false);
        NewButton->setVisible(false);
    }
    for (QToolButton* b : findChildren<QToolButton*>())
        b->setAutoRaise((o & reoFlatButtons) != 0);
    if ((o & reoShowHints) == 0)
        for (QWidget* w : findChildren<QWidget*>())
            w->setToolTip(QString());
}

void TdvRichEditForm::CopiaConteudo()
{
    if (!FOrigem.IsContentLoaded())
        FOrigem.LoadFromField();
    const int maximo = RichEdit1->MaxLength;
    RichEdit1->MaxLength = 0;
    RichEdit1->LoadFromBytes(FOrigem.RichText());
    RichEdit1->MaxLength = maximo;
    QTextCursor c = RichEdit1->textCursor();
    c.setPosition(std::min(FOrigem.textCursor().position(), RichEdit1->document()->characterCount() - 1));
    RichEdit1->setTextCursor(c);
    RichEdit1->BeginSearch();
    RichEdit1->SetModified(false);
    AtualizaSelecao();
}

void TdvRichEditForm::showEvent(QShowEvent* e)
{
    if (FontNameCombo->count() == 0) {
        QStringList faces = QFontDatabase::families();
        faces.sort(Qt::CaseInsensitive);
        FontNameCombo->addItems(faces);
    }
    QDialog::showEvent(e);
    AtualizaSelecao();
    AtualizaTravas();
    Ruler->Acompanha();
    RichEdit1->setFocus();
}

void TdvRichEditForm::AtualizaSelecao()
{
    const QTextCharFormat f = RichEdit1->textCursor().charFormat();
    const bool leitura = SomenteLeitura();
    const bool selecao = RichEdit1->HasSelection();
    BoldButton->setChecked(RichEdit1->SelectionHasEffect(TdvRichEffect::Bold));
    UnderlineButton->setChecked(RichEdit1->SelectionHasEffect(TdvRichEffect::Underline));
    ItalicButton->setChecked(RichEdit1->SelectionHasEffect(TdvRichEffect::Italic));
    const QStringList familias = f.fontFamilies().toStringList();
    const QString face = familias.isEmpty() ? RichEdit1->document()->defaultFont().family() : familias.first();
    FontNameCombo->setEditText(face);
    // A face that is not installed shows in red.
    QPalette p = FontNameCombo->palette();
    p.setColor(QPalette::Text,
               FontNameCombo->findText(face, Qt::MatchFixedString) >= 0 || FontNameCombo->count() == 0
                   ? palette().color(QPalette::Text)
                   : QColor(255, 0, 0));
    FontNameCombo->setPalette(p);
    if (FontNameCombo->lineEdit())
        FontNameCombo->lineEdit()->setPalette(p);
    const double pontos = f.fontPointSize() > 0 ? f.fontPointSize() : RichEdit1->document()->defaultFont().pointSizeF();
    FontSizeCombo->setEditText(dvFormatNumber(pontos));
    const TdvParagraphFormat par = RichEdit1->GetParagraphFormat();
    BulletButton->setChecked(par.Bullet);
    HighlightButton->setChecked(RichEdit1->GetSelectionHighlight().isValid());
    LeftButton->setChecked(par.Align == 1 || par.Align == 4);
    CenterButton->setChecked(par.Align == 3);
    RightButton->setChecked(par.Align == 2);
    const bool podeColar = RichEdit1->CanPasteClipboard() && !leitura;
    PasteButton->setEnabled(podeColar);
    PasteItem->setEnabled(podeColar);
    UndoButton->setEnabled(RichEdit1->CanUndo());
    UndoItem->setEnabled(RichEdit1->CanUndo());
    RedoButton->setEnabled(RichEdit1->CanRedo());
    RedoItem->setEnabled(RichEdit1->CanRedo());
    CutButton->setEnabled(selecao && !leitura);
    CutItem->setEnabled(selecao && !leitura);
    ClearItem->setEnabled(selecao && !leitura);
    CopyButton->setEnabled(selecao);
    CopyItem->setEnabled(selecao);
    const bool temTexto = !RichEdit1->document()->isEmpty();
    SelectAllItem->setEnabled(temTexto);
    FindItem->setEnabled(temTexto);
    FindButton->setEnabled(temTexto);
    FindNextItem->setEnabled(temTexto && !RichEdit1->LastSearchText.isEmpty());
    ReplaceItem->setEnabled(temTexto && !leitura);
}

void TdvRichEditForm::Alinha(int alinhamento)
{
    const TdvRichEditParagraphDlg& t = dvIntl().RichEdit.ParagraphDialog;
    TdvParagraphFormat f;
    f.Changes = TdvParagraphFormat::Alignment;
    f.AlignmentCaption = alinhamento == 2 ? t.AlignRight : alinhamento == 1 ? t.AlignCenter : t.AlignLeft;
    RichEdit1->SetParagraphFormat(f);
    AtualizaSelecao();
}

bool TdvRichEditForm::Pergunta(const TdvCustomRichEdit::TRTFNotifyEvent& evento)
{
    bool continua = true;
    if (evento)
        evento(this, continua);
    return continua;
}

bool TdvRichEditForm::Carrega()
{
    if (!Pergunta(FOrigem.OnMenuLoadClick))
        return false;
    const QString nome = DialogoAbrir ? DialogoAbrir() : QString();
    if (nome.isEmpty())
        return false;
    QFile arquivo(nome);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        InterfaceUsuario::Mostra(QStringLiteral("Não foi possível abrir o arquivo %1: %2.")
                                     .arg(QDir::toNativeSeparators(nome), TMotivoSistema::Texto(errno)),
                                 TipoDialogo::Erro, Botao::Ok);
        return false;
    }
    RichEdit1->LoadFromStreamAs(arquivo, false);
    RichEdit1->SetModified(true);
    AtualizaSelecao();
    return true;
}

bool TdvRichEditForm::SalvaComo()
{
    if (!Pergunta(FOrigem.OnMenuSaveAsClick))
        return false;
    int filtro = 1;
    const QString nome = DialogoSalvar ? DialogoSalvar(filtro) : QString();
    if (nome.isEmpty())
        return false;
    if (QFileInfo::exists(nome)
        && InterfaceUsuario::Mostra(QStringLiteral("OK to overwrite %1").arg(QDir::toNativeSeparators(nome)),
                                    TipoDialogo::Confirmacao, Botao::Sim | Botao::Nao | Botao::Cancela)
            != Resposta::Sim)
        return false;
    // What a save killed midway left beside a file of that folder goes first, as the other
    // writers' temporaries go: the start only knows the program's own folders.
    TArquivoNovo::RemoveAbandonados(QFileInfo(nome).absolutePath());
    // The second filter writes plain text; the editor itself stays in rich text.
    const QByteArray bytes = RichEdit1->SaveToBytes(false, filtro == 2);
    // Through the program's own new-file seam, which sees every failed write, flush and sync
    // (a save file misses the failure of its last flush): the earlier file stays unless the
    // new one is whole.
    if (QString erro; !TArquivoNovo::GravaInteiro(nome, bytes, erro)) {
        InterfaceUsuario::Mostra(
            QStringLiteral("Não foi possível gravar o arquivo %1: %2.").arg(QDir::toNativeSeparators(nome), erro),
            TipoDialogo::Erro, Botao::Ok);
        return false;
    }
    return true;
}

void TdvRichEditForm::Novo()
{
    if (InterfaceUsuario::Mostra(dvIntl().UserMessages.RichEditClearWarning, TipoDialogo::Confirmacao,
                                 Botao::Ok | Botao::Cancela)
        != Resposta::Ok)
        return;
    RichEdit1->clear();
    RichEdit1->SetModified(true);
    AtualizaSelecao();
}

bool TdvRichEditForm::Imprime()
{
    if (!Pergunta(FOrigem.OnMenuPrintClick))
        return false;
    if (RichEdit1->Print(FOrigem.PrintJobName))
        return true;
    InterfaceUsuario::Mostra(QStringLiteral("Não foi possível imprimir o texto."), TipoDialogo::Erro, Botao::Ok);
    return false;
}

bool TdvRichEditForm::ConfiguraPagina()
{
    TdvPageSetupDialog dialogo(*RichEdit1, this);
    if (dialogo.exec() != Accepted)
        return false;
    Ruler->Acompanha();
    Ruler->update();
    return true;
}

void TdvRichEditForm::done(int resultado)
{
    if (resultado != Accepted && RichEdit1->Modified() && !SomenteLeitura()) {
        switch (InterfaceUsuario::Mostra(dvIntl().UserMessages.RichEditExitWarning, TipoDialogo::Confirmacao,
                                         Botao::Sim | Botao::Nao | Botao::Cancela)) {
        case Resposta::Sim:
            resultado = Accepted;
            break;
        case Resposta::Nao:
            break;
        default:
            return;   // the editor stays open
        }
    }
    QDialog::done(resultado);
}

bool TdvRichEditForm::event(QEvent* e)
{
    // The long hints of the buttons and items go to the status bar's first panel.
    if (e->type() == QEvent::StatusTip) {
        Panels[0]->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QDialog::event(e);
}

void TdvRichEditForm::AtualizaTravas()
{
    const std::optional<TKeyboardLocks> travas = LeTravas ? LeTravas() : std::nullopt;
    const TdvDBRichEditIntl& textos = dvIntl().RichEdit;
    Panels[1]->setText(travas && travas->CapsLock ? textos.CAPLockCaption : QString());
    Panels[2]->setText(travas && travas->NumLock ? textos.NUMLockCaption : QString());
}

bool TdvRichEditForm::eventFilter(QObject* objeto, QEvent* e)
{
    if (objeto == RichEdit1 && e->type() == QEvent::KeyRelease)
        AtualizaTravas();
    return QDialog::eventFilter(objeto, e);
}

void TdvRichEditForm::keyReleaseEvent(QKeyEvent* e)
{
    AtualizaTravas();
    QDialog::keyReleaseEvent(e);
}

void TdvRichEditForm::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        if (SomenteLeitura() || (FOrigem.EditorOptions & reoCloseOnEscape) != 0)
            done(Rejected);
        else
            RichEdit1->undo();
        return;
    }
    if (e->modifiers() == Qt::ControlModifier) {
        QToolButton* botoes[] = {BoldButton, UnderlineButton, ItalicButton};
        const int teclas[] = {Qt::Key_B, Qt::Key_U, Qt::Key_I};
        for (int i = 0; i < 3; ++i)
            if (e->key() == teclas[i] && !SomenteLeitura()) {
                botoes[i]->click();
                return;
            }
    }
    QDialog::keyPressEvent(e);
}
