#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <memory>

#include "assistants/pages/TEstadoDe.h"
#include "shell/assistant/TFormAssist.h"
#include "shell/printing/TRotinasImpressao.h"

class QLabel;
class QRadioButton;
class TColecaoPruv;
class TDataSource;
class TDataSet;
class TPruv;
class TdvDBGrid;
class TdvTable;
class TFrPesquisaDeclaracoes;
class TFrPesquisarPruv;

// The print assistant, "Assistente de Impressão": the one way the user chooses what to print. It
// prints nothing itself; its answer is a choice code (TRotinasImpressao.h) that the main window's
// print command runs. Twelve pages: welcome (1), the kind of report (2), its detail (3), the
// order of the beneficiaries (4, reached by no step: its choice is only kept), preview or print
// (5), what to print (6), the stored declaration (7), the recorded delivery files (8), all
// statements or one (9), the beneficiary (10), why nothing can be printed (11) and the notice
// before the search for recorded files (12).
//
// The choices of the last run are kept in "Pruv.ini" of the data folder and offered again.
class TFoAssistRelatorios final : public TFormAssist {
    Q_OBJECT
public:
    static constexpr int HelpContext = 12600;
    static constexpr int Largura = 557;
    static constexpr int Altura = 231;
    // Why nothing can be printed (page 11).
    static const QString TextoSemBeneficiarios;   // a report of beneficiaries
    static const QString TextoSemComprovantes;    // income statements
    static const QString TextoSemArquivo;         // receipts

    // Pruv: the open declaration when Aberta, else an empty one that page 7 loads; both outlive
    // the assistant. Reads the last choices and runs step 1.
    TFoAssistRelatorios(TPruv& Pruv, TColecaoPruv& Colecao, bool Aberta, QWidget* owner = nullptr);
    ~TFoAssistRelatorios() override;

    void MostraPagina(int n) override;
    bool ExecutaEtapa(int n) override;
    // Page 7 loads the declaration of the row (136 without one); page 10 needs a beneficiary (137).
    bool PodeAvancar(int etapa) override;

    // The choice as the radio buttons stand, with the receipt files and the beneficiary; code 0
    // when the assistant was cancelled or closed from page 11.
    [[nodiscard]] TPedidoImpressao Pedido();
    // Keeps the choices in "Pruv.ini" (after every run, a cancelled one too); a file that cannot
    // be written gets message 159.
    void GravaDadosIni();

    // ---- what the steps ask ----
    [[nodiscard]] bool DeclaracaoAberta() const { return FAberta; }
    // The declaration's summary counts a beneficiary.
    [[nodiscard]] bool TemBeneficiarios() const;
    // "Demais Relatórios" with a report of beneficiaries (anything but "Gerencial") and none to
    // list.
    [[nodiscard]] bool RelatorioSemBeneficiarios() const;
    static constexpr int PaginaErro = 11;
    // Puts the text on page 11, whose step comes next.
    int Erro(const QString& texto);
    // Once the declaration is known: the way of printing (5), or for the statements the choice
    // of all or one (9), or page 11 when there is no beneficiary.
    int ProximoDaImpressao();
    // Step 11 ended the assistant: nothing is printed.
    void FechaSemRelatorio() { FFechouSemRelatorio = true; }

    // ---- the pages ----
    QRadioButton* RBListaBenef;
    QRadioButton* RBTotaisCodigo;
    QRadioButton* RBGerencial;
    QRadioButton* RBTotalMensalCodigo;
    QRadioButton* RBSintetico;
    QRadioButton* RBAnalitico;
    QRadioButton* RBOrdemAlfab;
    QRadioButton* RBOrdemCPF;
    QRadioButton* RBVisualizar;
    QRadioButton* RBImprimir;
    QRadioButton* RBDeclaracao;
    QRadioButton* RBRecibo;
    QRadioButton* RBComprovante;
    QRadioButton* RBVerificacao;
    QRadioButton* RBDemaisRelatorios;
    QRadioButton* RBTodosComprovantes;
    QRadioButton* RBUmBeneficiario;
    QRadioButton* RBJahTransmitidas;
    QRadioButton* RBNaoTransmitidas;
    QLabel* LbErroComprovRecibo;
    TdvDBGrid* DBGrDeclaracao;
    TFrPesquisaDeclaracoes* FrPesquisaDeclaracoes1;
    TFrPesquisarPruv* FrPesquisarPruv;
    // The sample of the report on pages 2 to 4: two title lines, then sample lines.
    std::array<QLabel*, 6> LbExemploTipo{};
    std::array<QLabel*, 5> LbExemploDetalhe{};
    std::array<QLabel*, 3> LbExemploOrdem{};

    [[nodiscard]] TdvTable& TbPruv() const { return *FTbPruv; }

    // ---- the recorded delivery files (page 8) and the beneficiary search (page 10) ----
    // Scans the drives for delivery files, transmitted (Transmitidas) or recorded and not
    // transmitted; true when it found any.
    bool AbreArquivosGravados(bool Transmitidas);
    // The list found some.
    [[nodiscard]] bool ArquivosGravados() const;
    // The files chosen on page 8, as folder + "/" + name; empty when none.
    [[nodiscard]] QStringList ArquivosSelecionados();
    void FechaArquivosGravados();
    void AbrePesquisaBeneficiario();
    // The number of the beneficiary chosen on page 10; empty when none.
    [[nodiscard]] QString BeneficiarioSelecionado() const;
    void FechaPesquisaBeneficiario();

private:
    struct TOpcao {
        QRadioButton** Botao;
        const char* Nome;
        const char* Texto;
    };

    QWidget* CriaPagina(int n);
    // A page of choices under the prompt, the first checked; with the example labels beside
    // them, which each click sets (aoClicar).
    QWidget* PaginaDeOpcoes(const QString& nome, const QString& prompt, std::initializer_list<TOpcao> opcoes,
                            std::span<QLabel*> exemplo = {}, const char* prefixo = nullptr,
                            void (TFoAssistRelatorios::*aoClicar)() = nullptr);
    QWidget* PaginaComFigura(const QString& nome, QWidget* conteudo);
    QRadioButton* Opcao(QWidget* pai, const char* nome, const char* texto);
    void CriaGrade(QWidget* pai);
    // The example labels of each choice.
    void ExemploTipo();
    void ExemploDetalhe();
    void ExemploOrdem();
    void BuscaInformacaoIni();
    // Step 8: scans with the list's mode, and Avançar and Concluir follow what it found.
    void ProcuraArquivosGravados();
    // Avançar and Concluir only while the list holds files; else a running Concluir stops.
    void HabilitaArquivosGravados();
    // Avançar of the double-click on a grid: only while the button is enabled.
    void AvancaSeHabilitado();
    void TbPruvCalcFields(TDataSet* tabela);

    TPruv& FPruv;
    TColecaoPruv& FColecao;
    bool FAberta;
    bool FFechouSemRelatorio = false;
    std::unique_ptr<TdvTable> FTbPruv;
    std::unique_ptr<TDataSource> FDsPruv;
    QStringList FArquivos;   // the delivery files chosen on page 8
};

// The steps: step n shows page n.
using TEstadoRelatorios = TEstadoDe<TFoAssistRelatorios>;

#define PRUV_ESTADO_RELATORIOS(N)                                                                                      \
    class TEstadoRelatorios##N final : public TEstadoRelatorios {                                                      \
    public:                                                                                                            \
        using TEstadoRelatorios::TEstadoRelatorios;                                                                    \
        bool Evento(int codigo) override;                                                                              \
    };
PRUV_ESTADO_RELATORIOS(1)
PRUV_ESTADO_RELATORIOS(2)
PRUV_ESTADO_RELATORIOS(3)
PRUV_ESTADO_RELATORIOS(4)
PRUV_ESTADO_RELATORIOS(5)
PRUV_ESTADO_RELATORIOS(6)
PRUV_ESTADO_RELATORIOS(7)
PRUV_ESTADO_RELATORIOS(8)
PRUV_ESTADO_RELATORIOS(9)
PRUV_ESTADO_RELATORIOS(10)
PRUV_ESTADO_RELATORIOS(11)
PRUV_ESTADO_RELATORIOS(12)
#undef PRUV_ESTADO_RELATORIOS

// Runs the print assistant modally over Dono and frees it: the request receives the choice; 0
// when an assistant already runs.
void ExecutaAssistRelatorios(TPedidoImpressao& Pedido, TPruv& Pruv, TColecaoPruv& Colecao, bool Aberta, QWidget* Dono);
