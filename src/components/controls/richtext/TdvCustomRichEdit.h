#pragma once
#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTextEdit>
#include <functional>
#include <memory>

#include "components/controls/richtext/TdvRichEditStrings.h"
#include "components/controls/richtext/dvRichMeasure.h"
#include "components/data/settings/TdvFormPosition.h"

class QIODevice;
class QPainter;
class QMenu;
class QAction;
class TField;
class TdvRichEditForm;
class TdvUrlHighlighter;

enum TdvRichPopupOption : unsigned {
    rpoPopupEdit = 1u << 0,
    rpoPopupCut = 1u << 1,
    rpoPopupCopy = 1u << 2,
    rpoPopupPaste = 1u << 3,
    rpoPopupBold = 1u << 4,
    rpoPopupItalic = 1u << 5,
    rpoPopupUnderline = 1u << 6,
    rpoPopupFont = 1u << 7,
    rpoPopupBullet = 1u << 8,
    rpoPopupParagraph = 1u << 9,
    rpoPopupTabs = 1u << 10,
    rpoPopupFind = 1u << 11,
    rpoPopupReplace = 1u << 12,
    rpoPopupInsertObject = 1u << 13,
    rpoPopupMSWordSpellCheck = 1u << 14,
};
constexpr unsigned rpoPopupAll = (1u << 15) - 1;

enum TdvRichEditorOption : unsigned {
    reoShowLoad = 1u << 0,
    reoShowSaveAs = 1u << 1,
    reoShowSaveExit = 1u << 2,
    reoShowPrint = 1u << 3,
    reoShowPageSetup = 1u << 4,
    reoShowFormatBar = 1u << 5,
    reoShowToolBar = 1u << 6,
    reoShowStatusBar = 1u << 7,
    reoShowHints = 1u << 8,
    reoShowRuler = 1u << 9,
    reoShowInsertObject = 1u << 10,
    reoCloseOnEscape = 1u << 11,
    reoFlatButtons = 1u << 12,
    reoShowSpellCheck = 1u << 13,
    reoShowMainMenuIcons = 1u << 14,
};
constexpr unsigned reoEditorAll = (1u << 15) - 1;

enum TdvRichOleOption : unsigned { reoAdjustPopupMenu = 1u << 0, reoDisableOLE = 1u << 1 };

enum class TdvRichEditWidth { rewWindowSize, rewPrinterSize };
enum class TdvRichEffect { Bold, Italic, Underline, StrikeOut };

struct TdvPrintMargins {
    double Top = 1.0;
    double Bottom = 1.0;
    double Left = 1.0;
    double Right = 1.0;
};

// What a paragraph dialog or a format command changes in the current paragraphs. Measures are
// twips; StartIndent is the first line's indent, Offset where the following lines start
// relative to it (the rich edit's own terms).
struct TdvParagraphFormat {
    enum Change : unsigned {
        Alignment = 1u << 0,
        Numbering = 1u << 1,
        Offset = 1u << 2,
        RightIndent = 1u << 3,
        StartIndent = 1u << 4,
        TabStops = 1u << 5,
        SpaceBefore = 1u << 6,
        SpaceAfter = 1u << 7,
        LineSpacing = 1u << 8,
    };
    unsigned Changes = 0;
    QString AlignmentCaption;   // the paragraph texts' AlignLeft, AlignRight, else centre
    int Align = 1;              // read back: 1 left, 2 right, 3 centre, 4 justify
    int LineSpacingRule = 0;    // 0 single, 1 one and a half, 2 double, 3 at least, 4 exactly, 5 multiple
    int LineSpacingValue = 0;   // twips for 3 and 4, twentieths of a line for 5
    int SpaceBeforeValue = 0;
    int SpaceAfterValue = 0;
    QList<int> Tabs;   // at most 32 are sent
    int StartIndentValue = 0;
    int RightIndentValue = 0;
    int OffsetValue = 0;
    bool Bullet = false;
};

// The component library's rich-text edit: a QTextEdit behind the library's own interface
// (Lines, streaming as rich or plain text, context menu, search, formatting, printing with
// margins, the full-window editor). Objects are never embedded: this platform has no object
// servers, so the object callback is never installed and Insert Object stays hidden.
class TdvCustomRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TdvCustomRichEdit(QWidget* parent = nullptr);
    ~TdvCustomRichEdit() override;

    // Properties (defaults as the library's)
    bool PlainText = false;
    bool WantReturns = true;
    bool WantTabs = false;
    int MaxLength = 0;   // 0: no limit
    unsigned PopupOptions = rpoPopupAll & ~(rpoPopupBold | rpoPopupItalic | rpoPopupUnderline);
    unsigned EditorOptions = reoEditorAll & ~(reoShowLoad | reoShowSaveAs);
    unsigned OleOptions = reoAdjustPopupMenu;
    QString EditorCaption = QStringLiteral("Edit Rich Text");
    TdvFormPosition EditorPosition;
    TdvMeasurementUnits MeasurementUnits = TdvMeasurementUnits::muInches;
    TdvPrintMargins PrintMargins;
    TdvRichEditWidth EditWidth = TdvRichEditWidth::rewWindowSize;
    int PaperSize = 9;   // a printer paper code (see TPapel)
    QColor HighlightColor = Qt::yellow;
    QString PrintJobName;
    QPointer<QWidget> UserSpeedButton1;
    QPointer<QWidget> UserSpeedButton2;

    // Asked before a clicked link opens; clearing the flag keeps it closed.
    std::function<void(TdvCustomRichEdit* sender, const QString& url, bool& abre)> OnURLOpen;
    std::function<void(QWidget*form)> OnCreateDialog, OnInitDialog, OnCloseDialog;
    // Asked by the editor window before its File commands; clearing the flag cancels.
    using TRTFNotifyEvent = std::function<void(QWidget* form, bool& continua)>;
    TRTFNotifyEvent OnMenuLoadClick, OnMenuPrintClick, OnMenuSaveAsClick, OnMenuSaveAndExitClick;
    // Opens a link; the desktop's handler unless a test replaces it.
    std::function<void(const QString& url)> AbreUrl;

    // Links in the text are shown as links and open when clicked.
    [[nodiscard]] bool AutoURLDetect() const { return FAutoURLDetect; }
    void SetAutoURLDetect(bool valor);

    [[nodiscard]] bool WordWrap() const { return lineWrapMode() != NoWrap; }
    void SetWordWrap(bool valor);
    [[nodiscard]] bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool valor) { setReadOnly(valor); }

    [[nodiscard]] TdvRichEditStrings& Lines() { return *FLines; }

    // Streaming: rich text when the bytes are rich text and PlainText is off, else plain text
    // with each lone CR and lone LF taken as a line end. blocos > 0 loads only the first
    // blocos blocks of 2048 bytes. Raises std::runtime_error "Failed to Load Stream" when the
    // stream cannot be read.
    virtual void LoadFromStreamAs(QIODevice& origem, bool naSelecao, int blocos = 0);
    void LoadFromBytes(const QByteArray& bytes, bool naSelecao = false);
    // The content (or the selection) as rich text, or as plain text with CR LF line ends.
    [[nodiscard]] QByteArray SaveToBytes(bool selecao = false, bool comoTextoSimples = false) const;
    // Rich text always, whatever PlainText says.
    [[nodiscard]] QByteArray RichText(bool selecao = false) const;
    [[nodiscard]] QString Text() const;
    void SetText(const QString& texto);

    // Data binding hooks (the data-aware descendant fills them)
    [[nodiscard]] virtual bool EffectiveReadOnly() const { return isReadOnly(); }
    virtual void BeginFieldEdit() {}
    virtual void WriteToField() {}
    [[nodiscard]] virtual bool IsContentLoaded() const { return true; }
    [[nodiscard]] virtual TField* GetBoundField() const { return nullptr; }
    virtual void LoadFromField() {}
    [[nodiscard]] bool IsBusy() const { return FOcupado; }
    [[nodiscard]] bool Modified() const;
    void SetModified(bool valor);

    virtual void DoURLOpen(const QString& url, bool& abre);
    void DoCreateDialog(QWidget* form);
    void DoInitDialog(QWidget* form);
    void DoCloseDialog(QWidget* form);

    // Context menu: built afresh each time it is shown.
    [[nodiscard]] QMenu* CreatePopupMenu();

    // Search (the find and replace dialogs drive these)
    enum TdvSearchOption : unsigned { soMatchCase = 1, soWholeWord = 2 };
    QString LastSearchText;
    virtual bool ExecuteFindDialog();
    virtual bool ExecuteReplaceDialog();
    // One search step from the selection; with a replacement the selected match is replaced
    // first; with tudo the step repeats until no match is left. Shows "No more matches found"
    // and resets the search state when nothing more is found; false then.
    bool SearchStep(const QString& procura, const QString* substituto, unsigned opcoes, bool tudo);
    void BeginSearch();   // the search starts at the caret again
    virtual bool FindNextMatch();
    virtual bool ReplaceMatch(const QString& substituto, bool tudo);
    virtual bool ReplaceNextMatch(const QString& procura, const QString& substituto, unsigned opcoes);
    // Backward search from inicio over at most tamanho characters; -1 when none.
    [[nodiscard]] virtual int FindTextUpward(const QString& procura, int inicio, int tamanho, unsigned opcoes) const;
    unsigned SearchOptions = 0;

    // Formatting of the selection and its paragraphs
    void SetSelectionFont(const QString& face, double pontos, const QColor& cor, unsigned estilo);
    void SetSelectionFace(const QString& face);
    void SetSelectionSize(double pontos);
    void SetSelectionColor(const QColor& cor);
    void ToggleSelectionEffect(TdvRichEffect efeito, bool liga);
    [[nodiscard]] bool SelectionHasEffect(TdvRichEffect efeito) const;
    // An invalid colour removes the highlight; the selection is collapsed after.
    void SetSelectionHighlight(const QColor& cor);
    [[nodiscard]] QColor GetSelectionHighlight() const;
    virtual void RemoveSelectionHighlight();
    void SetParagraphFormat(const TdvParagraphFormat& formato);
    [[nodiscard]] TdvParagraphFormat GetParagraphFormat() const;
    void SetBullet(bool liga);
    [[nodiscard]] bool CanPasteClipboard() const;
    [[nodiscard]] bool CanUndo() const;
    [[nodiscard]] bool CanRedo() const;
    [[nodiscard]] bool HasSelection() const;
    virtual bool ExecuteFontDialog();
    virtual bool ExecuteParagraphDialog();
    virtual bool ExecuteTabDialog();
    virtual bool ExecuteEditor();
    // Never embeds: there are no object servers here.
    virtual bool InsertObject();
    virtual bool SpellCheck() { return true; }

    // Printing
    // Prints the whole content page by page inside PrintMargins; false when there is no
    // printer or the job failed.
    virtual bool Print(const QString& titulo);
    // No word processor can be reached here: shows "Unable to start Microsoft Word's Spell
    // Checker." and answers false.
    virtual bool PrintThroughWord(const QString& modelo);
    // Page height and width in 96-dpi pixels between the margins, for the paper of PaperSize.
    [[nodiscard]] QSizeF PrintableSize() const;

    // Measurements in MeasurementUnits
    [[nodiscard]] QString FormatMeasurement(double valor) const { return dvFormatMeasurement(valor, MeasurementUnits); }
    [[nodiscard]] QString FormatMeasurementRounded(double valor, int divisoes = 0) const
    {
        return dvFormatMeasurementRounded(valor, MeasurementUnits, divisoes);
    }
    [[nodiscard]] int ParseMeasurement(const QString& texto) const;
    [[nodiscard]] double TwipsToMeasurement(int twips) const { return dvTwipsToMeasurement(twips, MeasurementUnits); }
    [[nodiscard]] int MeasurementToTwips(double valor) const;

    // The link under a document position, empty when none (with AutoURLDetect).
    [[nodiscard]] QString UrlAt(int posicao) const;

    // Paints the content, formatted and laid out to the area's width from its top, into a cell
    // of the grid that holds the control while the grid marks it as painting a copy
    // (TdvPaintCopy); text of no colour of its own takes the painter's pen. Paints nothing
    // otherwise.
    void PaintCopy(QPainter& pintor, const QRect& area) const;

signals:
    void SelectionChanged();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void insertFromMimeData(const QMimeData* origem) override;
    QMimeData* createMimeDataFromSelection() const override;
    void dropEvent(QDropEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* origem) const override;

    // Runs f with the busy flag on, so that the change it makes is not an edit of the user.
    void Ocupado(const std::function<void()>& f);
    // The formatting width follows the printable width with rewPrinterSize.
    void AtualizaLarguraFormatacao();
    // Keys the grid parent takes; true when handed over.
    virtual bool PassaTeclaAGrade(QKeyEvent* e);
    [[nodiscard]] QWidget* GradePai() const;

private:
    void AplicaFormato(const std::function<void(QTextCharFormat&)>& muda);

    std::unique_ptr<TdvRichEditStrings> FLines;
    TdvUrlHighlighter* FLinks;   // owned by the document
    bool FAutoURLDetect = false;
    bool FOcupado = false;
    int FInicioBusca = 0;
    bool FDeuVolta = false;
    QString FUrlArmada;
};
