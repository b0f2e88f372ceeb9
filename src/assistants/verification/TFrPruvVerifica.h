#pragma once
#include <QFrame>
#include <QPixmap>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "assistants/verification/TEstiloLinhaVerificacao.h"
#include "model/declaration/IVerificacao.h"

class QCheckBox;
class QLabel;
class QPushButton;
class TColecaoPruv;
class TDataSource;
class TErros;
class TGradeVerificacao;
class TPruv;
class TdvTable;
struct TRect;

// The frame that runs the verification of pending items of stored declarations and shows its
// result. The model's checks (TPruv::Verifica) report into it; it writes every pending item, as an
// error or a warning, and the section headings into the verification table (TabelaVerifica),
// counts errors and warnings, lets the user stop the run, locate the field of a pending item and
// print the list. The pending-items window and the delivery-file assistant place it.
//
// States: idle after construction (Concluida); running (a Verifica in progress, the stop button
// enabled when shown); finished (Concluida: locate and print enabled); stopped (Interrompida).
// While Verifica runs the frame pumps events; its owner must not destroy it before it returns.
class TFrPruvVerifica final : public QFrame, public IVerificacao {
    Q_OBJECT
public:
    // The locate callback: the owner's key (declaration or annex), the item's key and the field code.
    using TAoLocalizar = std::function<void(const QString& AQuemPertence, const QString& QuemEh, std::uint8_t Objeto)>;

    static constexpr int Largura = 457;
    static constexpr int Altura = 214;

    explicit TFrPruvVerifica(QWidget* parent = nullptr);
    ~TFrPruvVerifica() override;

    // The declarations to verify, one entry each: the calendar year (4 characters) followed by the
    // root of the declarant's number (up to 12 characters).
    QStringList Chaves;
    TAoLocalizar AoLocalizar;
    bool PermiteLocalizar = true;     // the locate button is shown and a double-click locates
    bool PermiteInterromper = true;   // the stop button is shown
    bool Visualizar = true;           // the print button previews (true) or prints

    // Empties the verification table and verifies every entry of Chaves in order (an entry whose
    // declaration is not stored is passed over); Quantidade receives the number of beneficiaries
    // verified. A second establishment of the same root with another nature gets error 138. Ends
    // Concluida also when it fails: the failure is raised afterwards and the run does not allow
    // writing. Nothing while a run is in progress.
    void Verifica(int& Quantidade);
    // No error counted, and the run was neither stopped nor failed.
    [[nodiscard]] bool PodeGravar() const;
    // Closes the verification table.
    void FechaTabela();
    // The list takes the focus, now or when its window is next activated.
    void FocaLista();
    // Each sets its flag; then stop is enabled exactly when b is false, print exactly when stop is
    // not, and locate exactly when b is true.
    void SetaInterrompida(bool b);
    void SetaConcluida(bool b) override;
    [[nodiscard]] bool Concluida() const { return FConcluida; }
    [[nodiscard]] int NumAvisos() const { return FNumAvisos; }
    [[nodiscard]] int NumVerificados() const { return FNumVerificados; }
    // The verification table (open after a run).
    [[nodiscard]] TdvTable& Tabela() const { return *TbVerificacao; }
    // Prints the table as the pending-items report, previewed (Previa) or straight to the
    // printer; without a printer, message 161.
    void Imprime(bool Previa);

    // ---- the sink of the model's checks ----
    [[nodiscard]] bool Interrompida() const override { return FInterrompida; }
    [[nodiscard]] int NumErros() const override { return FNumErros; }
    void IncluiErros() override;
    void IncluiLinha(const QString& Texto) override;
    void IncluiTituloFundo(const QString& Texto1, const QString& Texto2) override;
    void MostraVerificados(int Quantidade) override;
    // The heading row of a declarant.
    void IncluiTituloDeclarante(const QString& Numero, const QString& Nome, const QString& Ano);

private:
    void CriaComponentes();
    void VerificaChaves(int& Quantidade);
    void VerificaChave(const QString& Chave, TPruv& Pruv, TColecaoPruv& Colecao, int& Natureza, int& Quantidade);
    // The end of every run: the error list let go and the buttons of a finished run.
    void Termina();
    // Stop is enabled exactly when b is false, print exactly when stop is not, locate when b is.
    void AtualizaBotoes(bool b);
    // No blank line ends the list.
    void RemoveLinhaVaziaFinal();
    void IncluiTexto(const QString& Descricao);
    void MostraContadores();
    void BbStopClick();
    void BbImprimirClick();
    void Localiza();
    void TbVerificacaoAfterScroll();
    void DbgErrosEncontradosDrawDataCell(const TRect& Rect);

    // The rows' pictures (ImgDeclar, ImgClipes, ImgErro, ImgAviso, ImgOk, ImgExclama), by TIconeVerificacao.
    std::array<QPixmap, QuantidadeIconesVerificacao> FImagens;
    std::unique_ptr<TdvTable> TbVerificacao;
    std::unique_ptr<TDataSource> DsVerificacao;
    std::unique_ptr<TErros> FErrosVerificacao;   // only while a run is in progress
    int FNumErros = 0;
    int FNumAvisos = 0;
    int FNumVerificados = 0;
    bool FInterrompida = false;
    bool FConcluida = true;
    bool FFalhou = false;   // the run ended on a failure: it never allows writing

    QWidget* Panel3;
    QWidget* Panel2;
    QLabel* LabelMens;
    QLabel* LabelStop;
    QLabel* PanelNumErros;
    QLabel* PanelNumAvisos;
    QLabel* PnVerificados;
    QCheckBox* CkbAvisos;
    QPushButton* BbStop;
    QPushButton* BbLocalizar;
    QPushButton* BbImprimir;
    TGradeVerificacao* DbgErrosEncontrados;
};
