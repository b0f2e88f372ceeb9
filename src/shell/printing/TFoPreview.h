#pragma once
#include <QDialog>
#include <exception>
#include <functional>

class QLabel;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;
class TDocumentoRelatorio;
class TPreviewRelatorio;
class TRelatorio;

// The one preview window of every report. It generates the report's pages while they show,
// lets the user zoom, page and print a range, and carries reports generated in batches: the
// button ProximasPaginas asks for the next batch.
//
// Closing is refused while pages are being generated; once the window accepted to close
// (Fechando), every command is ignored.
class TFoPreview final : public QDialog {
    Q_OBJECT

public:
    // The help of the print preview.
    static constexpr int HelpContext = 13040;
    explicit TFoPreview(QWidget* dono = nullptr);
    ~TFoPreview() override;

    QToolBar* ToolBar1;
    QToolButton* ZoomFit;
    QToolButton* Zoom100;
    QToolButton* ZoomToWidth;
    QToolButton* FirstPage;
    QToolButton* PreviousPage;
    QToolButton* NextPage;
    QToolButton* LastPage;
    QToolButton* Print;
    QToolButton* ProximasPaginas;
    QToolButton* ToolButton2;
    TPreviewRelatorio* QRPreview;
    QStatusBar* StatusBar;
    QLabel* PainelPagina;      // "Página n/m"
    QLabel* PainelProgresso;   // the report's progress while it generates
    QTimer* Timer1;

    // The report shown (not owned); its keep-alive, progress and new-document events belong to
    // the window until another report or nullptr is given.
    void DefineRelatorio(TRelatorio* relatorio);
    [[nodiscard]] TRelatorio* Relatorio() const { return FRelatorio; }
    bool Fechando = false;
    bool MaisPaginas = false;
    std::function<void()> EventoProximasPaginas;

    void AtualizaStatus();
    // Shows the report's current document in QRPreview.
    void AtribuiImpressora();
    void HabilitaProximas();

    // What an event of the generation raised; VisualizaRelatorio raises it again.
    [[nodiscard]] std::exception_ptr Erro() const { return FErro; }
    [[nodiscard]] bool Gerando() const { return FGerando; }

public slots:
    void reject() override;   // Escape and the like ask to close, as the system menu does

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private slots:
    void Timer1Timer();
    void QRPreviewPageAvailable();
    void ZoomFitClick();
    void Zoom100Click();
    void ZoomToWidthClick();
    void FirstPageClick();
    void PreviousPageClick();
    void NextPageClick();
    void LastPageClick();
    void PrintClick();
    void ProximasPaginasClick();
    void ToolButton2Click();

private:
    bool FormCloseQuery();
    bool TrataTecla(const QKeyEvent& evento);
    // Runs part of the generation and answers whether it ended; an exception from the
    // report's events ends it, is kept for the caller and closes the window.
    bool Gera(const std::function<bool()>& passo);
    void ContinuaLote();
    QToolButton* CriaBotao(const char* nome, const QString& texto, const QString& dica);

    TRelatorio* FRelatorio = nullptr;
    std::function<void()> FAoProcessarAnterior;
    std::function<void(int)> FAoMudarProgressoAnterior;
    std::function<void(TDocumentoRelatorio&)> FAoCriarDocumentoAnterior;
    bool FGerando = false;
    bool FCancelamentoPedido = false;
    std::exception_ptr FErro;
};

// Shows the report in the preview window, modally, and frees the window afterwards; the
// report's pages are freed too. Nothing when a preview is already open. An exception raised by
// the report's events while it generated is raised again here, after the window is gone.
void VisualizaRelatorio(TRelatorio& relatorio);
// Shows the report's current document in the open preview; called by a report when it starts
// generating (the preview also does it by itself).
void AtribuiImpressoraPreview();
// Announces a further batch: enables Print and ProximasPaginas.
void HabilitaProximasPaginas();
// The routine the button ProximasPaginas calls to generate the next batch into the report;
// given before VisualizaRelatorio or while the preview is open.
void SetaEventoProximasPaginas(std::function<void()> evento);
// The open preview; nullptr when none.
TFoPreview* FoPreview();
