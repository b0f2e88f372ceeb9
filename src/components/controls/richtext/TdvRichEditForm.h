#pragma once
#include <QDialog>
#include <QPointer>
#include <functional>
#include <optional>

#include "components/controls/richtext/TdvCustomRichEdit.h"
#include "platform/widgets/keyboard/KeyboardLocks.h"

class QAction;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolButton;
class TdvRulerPanel;

// The full-window editor of a rich-text edit: menus, toolbar, format bar, ruler and status bar
// around a second edit that works on a copy of the content. Closing with OK (Save and Exit)
// gives the copy back; closing otherwise asks first when the copy was changed.
class TdvRichEditForm final : public QDialog {
    Q_OBJECT
public:
    explicit TdvRichEditForm(TdvCustomRichEdit& origem);
    ~TdvRichEditForm() override;

    // The open and save dialogs; the save dialog gives the chosen filter (1 rich text, 2 plain
    // text). Tests replace them.
    std::function<QString()> DialogoAbrir;
    std::function<QString(int& filtro)> DialogoSalvar;
    // Where the Caps Lock and Num Lock panels read the keyboard; tests replace it.
    std::function<std::optional<TKeyboardLocks>()> LeTravas = ReadKeyboardLocks;

    // The content of the edit that opened the form comes into the editing control.
    void CopiaConteudo();
    // Buttons and items follow the selection.
    void AtualizaSelecao();
    // The Caps Lock and Num Lock panels from the keyboard; blank where it cannot be read.
    void AtualizaTravas();

    // File commands
    bool Carrega();
    bool SalvaComo();
    void Novo();
    bool Imprime();
    bool ConfiguraPagina();

    TdvCustomRichEdit* RichEdit1;
    TdvRulerPanel* Ruler;
    QMenuBar* MainMenu1;
    QMenu *FileMenu, *EditMenu, *ViewMenu, *InsertMenu, *FormatMenu, *ToolsMenu, *HelpMenu;
    QAction *LoadItem, *SaveAsItem, *SaveExitItem, *PrintItem, *PageSetupItem, *ExitItem;
    QAction *UndoItem, *RedoItem, *CutItem, *CopyItem, *PasteItem, *ClearItem, *SelectAllItem, *FindItem, *FindNextItem,
        *ReplaceItem;
    QAction *ToolbarItem, *FormatBarItem, *StatusBarItem, *RulerItem, *OptionsItem;
    QAction *DateTimeItem, *ObjectItem, *FontItem, *BulletItem, *ParagraphItem, *TabsItem, *SpellingItem;
    QWidget* Toolbar;
    QWidget* FormatBar;
    QToolButton *NewButton, *LoadButton1, *SaveAsButton, *PrintButton, *FindButton, *CutButton, *CopyButton,
        *UndoButton, *PasteButton, *RedoButton, *SpellButton;
    QToolButton *BoldButton, *UnderlineButton, *ItalicButton, *LeftButton, *CenterButton, *RightButton, *BulletButton,
        *ColorButton, *HighlightButton;
    QComboBox* FontNameCombo;
    QComboBox* FontSizeCombo;
    QMenu* PopupMenu1;
    QStatusBar* StatusBar;
    QLabel* Panels[4];

public slots:
    void done(int resultado) override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void MontaMenus();
    void MontaBarras();
    void AplicaOpcoes();
    void Alinha(int alinhamento);
    [[nodiscard]] bool Pergunta(const TdvCustomRichEdit::TRTFNotifyEvent& evento);
    [[nodiscard]] bool SomenteLeitura() const;

    TdvCustomRichEdit& FOrigem;
    QHBoxLayout* FLinhaFerramentas = nullptr;
    QPointer<QWidget> FBotaoUsuario[2];
    QPointer<QWidget> FPaiUsuario[2];
};
