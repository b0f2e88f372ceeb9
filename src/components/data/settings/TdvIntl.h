#pragma once
#include <QString>
#include <functional>

class QObject;
class TField;

// How the grids draw a boolean field as a check box.
enum class TdvCheckBoxInGridStyle { cbStyleAuto, cbStyleCheckmark, cbStyleXmark };

// Font styles of the dialog buttons, as a set of bits.
enum TdvFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TdvFontStyles = unsigned;

// The kinds of button that dvDialogButtonSpec describes.
enum class TdvDialogButtonKind { bkOK, bkCancel, bkHelp };

// A hint that holds a vertical bar is split by it: the short hint before it, the long one after.

struct TdvADOIntl {
    bool UseLocateWhenFindingValue = true;
};

struct TdvDBNavigatorIntlHints {
    QString FirstHint = QStringLiteral("Move to first record");
    QString PriorHint = QStringLiteral("Move to prior record");
    QString NextHint = QStringLiteral("Move to next record");
    QString LastHint = QStringLiteral("Move to last record");
    QString InsertHint = QStringLiteral("Insert new record");
    QString DeleteHint = QStringLiteral("Delete current record");
    QString EditHint = QStringLiteral("Edit current record");
    QString PostHint = QStringLiteral("Post changes of current record");
    QString CancelHint = QStringLiteral("Cancel changes made to current record");
    QString RefreshHint = QStringLiteral("Refresh the contents of the dataset");
    QString PriorPageHint = QStringLiteral("Move backward %d records");
    QString NextPageHint = QStringLiteral("Move forward %d records");
    QString SaveBookmarkHint = QStringLiteral("Bookmark current record");
    QString RestoreBookmarkHint = QStringLiteral("Go back to saved bookmark");
    QString RecordViewDialogHint = QStringLiteral("View current record");
    QString LocateDialogHint = QStringLiteral("Locate a specific record");
    QString FilterDialogHint = QStringLiteral("Filter the dataset");
    QString SearchDialogHint = QStringLiteral("Search the dataset");
};

struct TdvDBNavigatorIntl {
    QString ConfirmDeleteMessage = QStringLiteral("Delete record?");
    TdvDBNavigatorIntlHints Hints;
};

struct TdvUserMessagesIntl {
    QString dvDBGridDiscardChanges = QStringLiteral("Discard changes to this record?");
    QString PictureValidateError = QStringLiteral("Invalid characters. Field : ");
    QString LocateNoMatches = QStringLiteral("No matches found");
    QString LocateNoMoreMatches = QStringLiteral("No more matches found");
    QString MemoChangesWarning = QStringLiteral("Changes have been made!  Are you sure you wish to cancel?");
    QString RichEditExitWarning = QStringLiteral("Changes have been made!  Do you wish to save your changes?");
    QString RichEditClearWarning = QStringLiteral("Clear entire text?");
    QString RichEditSpellCheckComplete = QStringLiteral("The spell check is complete.");
    QString RichEditMSWordNotFound = QStringLiteral("Unable to start Microsoft Word's Spell Checker.");
    QString FilterDlgNoCriteria = QStringLiteral("You have not selected any search criteria");
    QString RecordViewExitWarning = QStringLiteral("Changes have been made!  Do you wish to save your changes?");
};

struct TdvMonthCalendarIntl {
    QString PopupYearLabel = QStringLiteral("Edit Year");
    QString EnterYearPrompt = QStringLiteral("Enter Valid Year");
};

struct TdvSearchDialogIntl {
    QString SearchCharLabel = QStringLiteral("&Search Characters");
    QString SearchCharShortLabel = QStringLiteral("&Search Char");
    QString SearchByLabel = QStringLiteral("Search &By");
    QString StatusRecLabel = QStringLiteral("Rec #");
    QString StatusOfLabel = QStringLiteral("of");
    QString SearchCharHint = QStringLiteral("Enter characters for incremental search");
    QString SearchByHint = QStringLiteral("Incremental searching and sorting order");
};

struct TdvLocateDialogIntl {
    QString FieldValueLabel = QStringLiteral("Field &Value");
    QString SearchTypeLabel = QStringLiteral("&Search Type");
    QString CaseSensitiveLabel = QStringLiteral("&Case-sensitive");
    QString MatchExactLabel = QStringLiteral("&Exact Match");
    QString MatchStartLabel = QStringLiteral("&Partial Match at Beginning");
    QString MatchAnyLabel = QStringLiteral("Partial Match &Anywhere");
    QString FieldsLabel = QStringLiteral("&Fields");
    QString BtnFirst = QStringLiteral("Fi&rst");
    QString BtnNext = QStringLiteral("&Next");
    QString BtnCancel = QStringLiteral("Cancel");
    QString FieldValueHint = QStringLiteral("Enter field's search value");
    QString CaseSensitiveHint = QStringLiteral("Searching is case-sensitive");
    QString MatchExactHint = QStringLiteral("Match occurs only if there is an exact match");
    QString MatchStartHint = QStringLiteral("Match occurs if the start of the field's value matches");
    QString MatchAnyHint = QStringLiteral("Match occurs if any part of the field matches");
    QString BtnFirstHint = QStringLiteral("Find first match");
    QString BtnNextHint = QStringLiteral("Find next match from current record");
    QString FieldNameHint = QStringLiteral("Select the field to search on");
};

struct TdvFilterDialogIntl {
    QString BtnViewSummary = QStringLiteral("View Su&mmary");
    QString BtnViewSummaryHint = QStringLiteral("View summary of current search criteria");
    QString BtnNewSearch = QStringLiteral("&New Search");
    QString BtnNewSearchHint = QStringLiteral("Start a new search");
    QString FieldOrderLabel = QStringLiteral("Field Order");
    QString FieldOrderHint = QStringLiteral("Sort field list alphabetically or in their natural logical order");
    QString AlphabeticLabel = QStringLiteral("Alpha&betic");
    QString LogicalLabel = QStringLiteral("&Logical");
    QString AllFieldsLabel = QStringLiteral("&All");
    QString SearchedFieldsLabel = QStringLiteral("&Searched");
    QString StartingRangeLabel = QStringLiteral("&Starting Range");
    QString EndingRangeLabel = QStringLiteral("En&ding Range");
    QString BtnClearMin = QStringLiteral("&Clear");
    QString BtnClearMax = QStringLiteral("Cl&ear");
    QString BtnClearFilterValue = QStringLiteral("&Clear");
    QString StartingRangeHint = QStringLiteral("Enter starting range for field");
    QString EndingRangeHint = QStringLiteral("Enter ending range for field");
    QString BtnClearMinHint = QStringLiteral("Clear starting range for field");
    QString BtnClearMaxHint = QStringLiteral("Clear ending range for field");
    QString BtnClearFilterValueHint = QStringLiteral("Clear the current field's search value");
    QString ByValueLabel = QStringLiteral("By &Value");
    QString ByRangeLabel = QStringLiteral("By &Range");
    QString FieldValueLabel = QStringLiteral("Field &Value");
    QString FieldValueHint = QStringLiteral("Enter field's search value");
    QString SearchTypeLabel = QStringLiteral("Search Type");
    QString SearchTypeHint = QStringLiteral("Specify how the Field Value should be compared");
    QString MatchExactLabel = QStringLiteral("&Exact Match");
    QString MatchStartLabel = QStringLiteral("&Partial Match at Beginning");
    QString MatchAnyLabel = QStringLiteral("Partial Match Any&where");
    QString CaseSensitiveLabel = QStringLiteral("Case Sensi&tive");
    QString CaseSensitiveHint = QStringLiteral("Searching is case-sensitive");
    QString NonMatchingLabel = QStringLiteral("N&on-matching records");
    QString NonMatchingHint = QStringLiteral("Show records that do not match the field value criteria");
    QString SummaryFieldLabel = QStringLiteral("Field");
    QString SummarySearchLabel = QStringLiteral("Search Type");
    QString SummaryValueLabel = QStringLiteral("Value");
    QString FieldsLabel = QStringLiteral("&Fields");
    QString ValueRangeTabHint = QStringLiteral("Search fields by value or by range");
    QString AllSearchedTabHint = QStringLiteral("Show all fields or only currently searched fields");
    QString ViewSummaryNotText = QStringLiteral("NOT");
};

struct TdvRichEditMenuLabels {
    QString FileCaption = QStringLiteral("&File");
    QString LoadCaption = QStringLiteral("&Load");
    QString SaveAsCaption = QStringLiteral("Save &As");
    QString SaveExitCaption = QStringLiteral("&Save and Exit");
    QString PrintCaption = QStringLiteral("&Print");
    QString PageSetupCaption = QStringLiteral("Page Set&up");
    QString ExitCaption = QStringLiteral("E&xit");
    QString EditCaption = QStringLiteral("&Edit");
    QString UndoCaption = QStringLiteral("&Undo");
    QString CutCaption = QStringLiteral("Cu&t");
    QString CopyCaption = QStringLiteral("&Copy");
    QString PasteCaption = QStringLiteral("&Paste");
    QString ClearCaption = QStringLiteral("Cle&ar");
    QString SelectallCaption = QStringLiteral("Select A&ll");
    QString FindCaption = QStringLiteral("&Find");
    QString FindNextCaption = QStringLiteral("Find &Next");
    QString ReplaceCaption = QStringLiteral("R&eplace");
    QString InsertObjectCaption = QStringLiteral("&Object...");
    QString SpellCheckCaption = QStringLiteral("Check &Spelling");
    QString InsertCaption = QStringLiteral("&Insert");
    QString RulerCaption = QStringLiteral("&Ruler");
    QString RedoCaption;   // empty: the editor then shows its own "&Redo"
    QString ViewCaption = QStringLiteral("&View");
    QString ToolbarCaption = QStringLiteral("&Toolbar");
    QString FormatBarCaption = QStringLiteral("&Format Bar");
    QString ViewStatusBarCaption = QStringLiteral("&Status Bar");
    QString OptionsCaption = QStringLiteral("&Options");
    QString FormatCaption = QStringLiteral("F&ormat");
    QString FontCaption = QStringLiteral("&Font");
    QString BulletStyleCaption = QStringLiteral("&Bullet Style");
    QString ParagraphCaption = QStringLiteral("&Paragraph");
    QString TabsCaption = QStringLiteral("&Tabs");
    QString ToolCaption = QStringLiteral("&Tools");
    QString HelpCaption = QStringLiteral("Help");
};

struct TdvRichEditPopupMenuLabels {
    QString EditCaption = QStringLiteral("&Edit");
    QString ViewCaption = QStringLiteral("&View");
    QString CutCaption = QStringLiteral("Cu&t");
    QString CopyCaption = QStringLiteral("&Copy");
    QString PasteCaption = QStringLiteral("&Paste");
    QString FontCaption = QStringLiteral("&Font");
    QString BulletStyleCaption = QStringLiteral("&Bullet Style");
    QString BoldCaption = QStringLiteral("B&old");
    QString ItalicCaption = QStringLiteral("&Italic");
    QString UnderlineCaption = QStringLiteral("&Underline");
    QString ParagraphCaption = QStringLiteral("P&aragraph");
    QString TabsCaption = QStringLiteral("&Tabs");
    QString FindCaption = QStringLiteral("Fin&d");
    QString ReplaceCaption = QStringLiteral("&Replace");
    QString InsertObjectCaption = QStringLiteral("Insert &Object...");
    QString SpellCheckCaption = QStringLiteral("Check &Spelling");
};

struct TdvRichEditParagraphDlg {
    QString ParagraphDlgCaption = QStringLiteral("Paragraph");
    QString IndentationGroupBoxCaption = QStringLiteral("Indentation");
    QString LeftEditCaption = QStringLiteral("Left:");
    QString RightEditCaption = QStringLiteral("Right:");
    QString FirstLineEditCaption = QStringLiteral("First line:");
    QString AlignmentCaption = QStringLiteral("Alignment");
    QString SpacingGroupCaption = QStringLiteral("Spacing");
    QString BeforeParagraphCaption = QStringLiteral("&Before");
    QString AfterParagraphCaption = QStringLiteral("Aft&er");
    QString WithinParagraphCaption = QStringLiteral("Li&ne Spacing");
    QString WithinParagraphAtCaption = QStringLiteral("&At");
    QString LeftEditHint = QStringLiteral("Left Indentation");
    QString RightEditHint = QStringLiteral("Right Indentation");
    QString FirstLineEditHint = QStringLiteral("First Line of Paragraph Indentation");
    QString AlignmentHint = QStringLiteral("Changes Alignment of Paragraph");
    QString AlignLeft = QStringLiteral("Left");
    QString AlignRight = QStringLiteral("Right");
    QString AlignCenter = QStringLiteral("Center");
    QString SpacingSingle;
    QString Spacing1_5;
    QString SpacingDouble;
    QString SpacingAtLeast;
    QString SpacingExactly;
    QString SpacingMultiple;
    int HelpContext = 0;
};

struct TdvRichEditTabDlg {
    QString TabDlgCaption = QStringLiteral("Tab");
    QString TabGroupBoxCaption = QStringLiteral("&Tab Stop Position");
    QString SetTabButtonCaption = QStringLiteral("Set");
    QString ClearTabButtonCaption = QStringLiteral("Clear");
    QString ClearAllButtonCaption = QStringLiteral("Clear All");
    QString TabPositionEditHint = QStringLiteral("Tab Position Edit Box");
    QString ListBoxHint = QStringLiteral("List of tabs and their positions");
    QString SetButtonHint = QStringLiteral("Set a new tab position");
    QString ClearButtonHint = QStringLiteral("Clear the selected tab position");
    QString ClearAllButtonHint = QStringLiteral("Clear all the tabs");
    int HelpContext = 0;
};

struct TdvDBRichEditIntl {
    QString FontNameComboHint = QStringLiteral("Font | Changes the font of the selection");
    QString FontSizeComboHint = QStringLiteral("Font Size | Changes the font size of the selection");
    QString NewButtonHint = QStringLiteral("New | Creates a new document");
    QString LoadButtonHint = QStringLiteral("Load | Load from file");
    QString SaveAsButtonHint = QStringLiteral("Save As | Save to file");
    QString PrintButtonHint = QStringLiteral("Print | Prints the active document");
    QString FindButtonHint = QStringLiteral("Find | Finds the specified text");
    QString CutButtonHint = QStringLiteral("Cut | Cuts the selection and puts it on the Clipboard");
    QString CopyButtonHint = QStringLiteral("Copy | Copies the selection and puts it on the Clipboard");
    QString UndoButtonHint = QStringLiteral("Undo | Reverses the last action");
    QString RedoButtonHint = QStringLiteral("Redo | Reverses the last undo action");
    QString PasteButtonHint = QStringLiteral("Paste | Inserts Clipboard contents");
    QString BoldButtonHint = QStringLiteral("Bold | Makes the selection bold (toggle)");
    QString ColorButtonHint = QStringLiteral("Color | Formats the selection with a color");
    QString UnderlineButtonHint = QStringLiteral(
        "Underline | Formats the selection with a continuous underline (toggle)");
    QString ItalicButtonHint = QStringLiteral("Italic | Makes the selection italic (toggle)");
    QString LeftButtonHint = QStringLiteral("Align Left | Left-justifies paragraph (toggle)");
    QString CenterButtonHint = QStringLiteral("Center | Center-justifies paragraph (toggle)");
    QString RightButtonHint = QStringLiteral("Align Right | Right-justifies paragraph (toggle)");
    QString BulletButtonHint = QStringLiteral("Bullets | Inserts a bullet on this line (toggle)");
    QString HighlightButtonHint = QStringLiteral("Highlight Text | Makes the selection highlighted");
    QString SaveExitHint = QStringLiteral("Save And Exit | Saves changes and exits editor");
    QString PageSetupHint = QStringLiteral("Page Setup | Changes page layout settings");
    QString ExitHint = QStringLiteral("Exit");
    QString ClearHint = QStringLiteral("Erases the Selection");
    QString SelectAllHint = QStringLiteral("Selects all of the text");
    QString FindNextHint = QStringLiteral("Repeats the last find");
    QString ReplaceHint = QStringLiteral("Replaces specific text with different text");
    QString InsertObjectHint = QStringLiteral("Inserts new embedded object");
    QString SpellCheckHint = QStringLiteral("Check spelling");
    QString ToolbarHint = QStringLiteral("Shows or hides the toolbar");
    QString FormatBarHint = QStringLiteral("Shows or hides the format bar");
    QString ViewStatusBarHint = QStringLiteral("Shows or hides the status bar");
    QString OptionsHint = QStringLiteral("Sets options");
    QString FontHint = QStringLiteral("Selects font for current selection");
    QString ParagraphHint = QStringLiteral("Formats current or selected paragraph(s)");
    QString TabsHint = QStringLiteral("Sets tabs");
    QString CAPLockCaption = QStringLiteral("CAP");
    QString NUMLockCaption = QStringLiteral("NUM");
    TdvRichEditMenuLabels MenuLabels;
    TdvRichEditPopupMenuLabels PopupMenuLabels;
    TdvRichEditParagraphDlg ParagraphDialog;
    TdvRichEditTabDlg TabDialog;
};

// What a dialog button of the library looks like; the widget layer builds the button from it.
struct TdvDialogButtonSpec {
    bool Bitmapped = true;   // a bitmap button (glyph on the left, 2 glyphs, margin 2, spacing -1)
    QString Caption;
    int Width = 0;
    int Height = 0;
    bool ModalResultOk = false;
    bool ModalResultCancel = false;
    bool Cancel = false;   // the button answers the Esc key
    TdvFontStyles FontStyle = 0;
};

// Every user-visible text of the component library and its library-wide options. The datasets
// and controls read only the global instance (dvIntl()); another instance that is connected
// copies its settings into the global one.
class TdvIntl {
public:
    // (Sender, Field, QString& Msg, bool& DoDefault): may change the message, or clear DoDefault to
    // suppress both the beep and the exception.
    using TValidationErrorEvent = std::function<void(QObject* sender, TField* field, QString& msg, bool& doDefault)>;

    TdvIntl() = default;
    TdvIntl(const TdvIntl&) = delete;
    TdvIntl& operator=(const TdvIntl&) = delete;
    virtual ~TdvIntl() = default;

    TdvADOIntl ADO;
    TdvDBNavigatorIntl Navigator;
    TdvSearchDialogIntl SearchDialog;
    TdvLocateDialogIntl LocateDialog;
    TdvMonthCalendarIntl MonthCalendar;
    TdvFilterDialogIntl FilterDialog;
    TdvDBRichEditIntl RichEdit;
    TdvUserMessagesIntl UserMessages;
    bool OKCancelBitmapped = true;
    QString BtnOKCaption = QStringLiteral("&OK");
    QString BtnCancelCaption = QStringLiteral("Cancel");
    int FilterMemoSize = 65536;
    QString IniFileName;
    bool UseLocateMethodForSearch = true;
    TdvFontStyles DialogFontStyle = 0;
    int DefaultEpochYear = 1950;
    TValidationErrorEvent OnValidationErrorUsingMask;
    // After an emptied incremental search on an SQL database a table reopens itself instead of
    // cancelling its range.
    bool ReopenOnResetRange = true;

    [[nodiscard]] TdvCheckBoxInGridStyle CheckBoxInGridStyle() const { return FCheckBoxInGridStyle; }
    // A connected instance passes the style on to the global one as well.
    void SetCheckBoxInGridStyle(TdvCheckBoxInGridStyle valor);

    [[nodiscard]] bool Connected() const { return FConnected; }
    // True copies every setting to the global instance at once; false changes nothing there.
    void SetConnected(bool valor);
    // Called once the owner has set every property: a connected instance copies itself.
    void Loaded();

    // A masked edit refused the text of its field: offers the message to
    // OnValidationErrorUsingMask, then, unless the handler cleared DoDefault, beeps and throws
    // EInvalidOperation with it.
    virtual void ValidationErrorUsingMask(QObject* control, TField* field);

    // The dialog button of a kind, sized for the screen's pixels per inch.
    [[nodiscard]] TdvDialogButtonSpec DialogButtonSpec(TdvDialogButtonKind kind, int pixelsPerInch) const;

private:
    void CopyToGlobal() const;

    TdvCheckBoxInGridStyle FCheckBoxInGridStyle = TdvCheckBoxInGridStyle::cbStyleAuto;
    bool FConnected = false;
};

// The one global instance, made on first use and alive for the whole run.
TdvIntl& dvIntl();

// The size of the buffer that holds a filter text (FilterMemoSize of the global instance).
int dvGetFilterMemoSize();
