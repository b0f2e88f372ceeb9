#pragma once
#include <QDialog>

#include "platform/widgets/painting/TRect.h"

class QPlainTextEdit;
class QPushButton;
class TdvMemoDialog;

// The form of the memo dialog: the memo, the OK and Cancel buttons of the library and a panel
// of two user buttons. Its sizes are those of the window with its frame, as the layout was
// measured: a dialog frame of FrameWidth pixels on each side and a caption of CaptionHeight.
class TdvMemoDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int FrameWidth = 3;
    static constexpr int CaptionHeight = 19;
    static constexpr int DesignedWidth = 561;
    static constexpr int DesignedHeight = 395;

    // Where the controls go in a client area.
    struct TLayout {
        TRect Memo;
        int ButtonsTop = 0;
        int OkLeft = 0;
        int CancelLeft = 0;
        bool CancelVisible = false;
        int PanelTop = 0;
    };
    [[nodiscard]] static TLayout LayoutFor(const QSize& cliente, int larguraBotao, bool somenteLeitura,
                                           bool comBotaoDoUsuario);
    // The client size of a window of the given outer size.
    [[nodiscard]] static QSize ClientSizeFor(int largura, int altura);

    explicit TdvMemoDlg(QWidget* parent = nullptr);

    QPlainTextEdit* Memo;
    QWidget* UserButtonPanel;
    QPushButton* UserButton1;
    QPushButton* UserButton2;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // What dvExecuteMemoDialog gives the form before showing it.
    void SetRequestedBounds(int left, int top, int right, int bottom);
    void SetFontToUse(const QFont& fonte) { FFont = fonte; }
    void SetCaptionToUse(const QString& titulo) { FCaption = titulo; }
    void SetOwnerDialog(TdvMemoDialog* dono) { FOwner = dono; }
    void SetCentred(bool valor) { FCentred = valor; }   // else the given or the window system's place
    void SetSizeable(bool valor) { FSizeable = valor; }

    // The form's handlers.
    void FormShow();
    void ResizeControls();
    [[nodiscard]] bool FormCloseQuery();
    void OKBtnClick();
    void MemoChange();
    void UserButton1Click();
    void UserButton2Click();

    void done(int resultado) override;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    void PlaceUserButtons();

    bool FOKPressed = false;
    int FLeft = 0;
    int FTop = 0;
    int FRight = 0;
    int FBottom = 0;
    bool FShownOnce = false;
    QFont FFont;
    QString FCaption;
    TdvMemoDialog* FOwner = nullptr;   // not owned
    bool FCentred = true;
    bool FSizeable = true;
    int FResult = Rejected;   // the result the closing asks for
};
