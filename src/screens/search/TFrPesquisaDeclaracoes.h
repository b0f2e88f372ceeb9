#pragma once
#include <QFrame>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class TDataSource;
class TdvDBDateTimePicker;
class TdvDBGrid;
class TdvTable;

// The list of the delivery files recorded on the volumes of the machine, with the data of each
// file's header, from which the user selects some (check boxes of the grid). The transmission
// assistant lists them to transmit, the print assistant to print their receipts. The list lives
// in the table Geradas of the data folder, filled anew at every Abre.
class TFrPesquisaDeclaracoes final : public QFrame {
    Q_OBJECT
public:
    static const QString TextoTransmitidas;
    static const QString TextoSemTransmitidas;
    static const QString TextoNaoTransmitidas;
    static const QString TextoSemNaoTransmitidas;
    static const QString TextoTodas;
    static const QString TextoSemTodas;

    explicit TFrPesquisaDeclaracoes(QWidget* parent = nullptr);
    ~TFrPesquisaDeclaracoes() override;

    // 0 recorded and not yet transmitted (the default), 1 transmitted, 2 every recorded file.
    void SetSituacao(std::uint8_t Situacao) { FSituacao = Situacao; }
    [[nodiscard]] std::uint8_t Situacao() const { return FSituacao; }

    // Searches the volumes and lists what it finds; Arquivos (not owned, it outlives the frame's
    // use) is emptied and is the list ArquivosSelecionados fills. A failure to fill the table is
    // shown; the list is then empty.
    void Abre(QStringList& Arquivos);
    // Empties the caller's list and adds the full path of every selected row, in the order they
    // were selected; answers that list (an empty one when Abre was not called).
    QStringList& ArquivosSelecionados();
    // Lets go of the selection, closes the table and empties it.
    void Fecha();

    [[nodiscard]] int QuantidadeSelecionados() const { return FQuantidadeSelecionados; }

    // CD-ROM media are searched too (the print assistant's receipts).
    bool IncluiCDROM = false;
    // Raised after each change of the selection.
    std::function<void(TFrPesquisaDeclaracoes* frame)> OnChangeSelection;

    QFrame* Panel1;
    QLabel* LbMens;
    TdvDBGrid* DbgGeradas;
    TdvDBDateTimePicker* dvDBDateTimePicker1;   // shows DATA_GERA in the grid's current cell
    [[nodiscard]] TdvTable& TbGeradas() const { return *FTbGeradas; }

private:
    void Preenche();
    void MultiSelecao(bool Selecionando);

    std::uint8_t FSituacao = 0;
    QStringList* FArquivos = nullptr;   // not owned
    QStringList FSemLista;              // answered before any Abre
    int FQuantidadeSelecionados = 0;
    std::unique_ptr<TdvTable> FTbGeradas;
    std::unique_ptr<TDataSource> DsGeradas;
};
