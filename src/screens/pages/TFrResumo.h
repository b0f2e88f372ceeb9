#pragma once
#include <QWidget>
#include <array>
#include <memory>

#include "screens/fields/TInicioDeArraste.h"

class QGroupBox;
class QTabWidget;
class TDataSource;
class TdvDBDateTimePicker;
class TdvDBGrid;
class TdvTable;
class TPruv;
class TPruvEdit;

// The summary page of the declaration frame: the declaration's totals (with its funds'), the date
// and volumes of its last writing, and the suspended-enforceability and compensation totals,
// shown only when the declaration holds any.
class TFrResumo final : public QWidget {
    Q_OBJECT
public:
    explicit TFrResumo(QWidget* pai = nullptr);
    ~TFrResumo() override;

    void SetPruv(TPruv& Pruv) { FPruv = &Pruv; }
    void SetMostraAnexos(bool Mostra);
    // Binds the total edits to the declaration's summary.
    void Abre();
    void Fecha();
    // The page is entered: the date, the tab of the funds and the judicial boxes follow the
    // declaration as it now stands.
    void Entra();

    // The codes grid's rule for one row of the code table: the annex variants that a year lists
    // under their normal code are left out.
    [[nodiscard]] static bool VarianteExcluida(const QString& Codigo, const QString& Anexo, const QString& Ano);

protected:
    // The pages' sizes follow the window: the two grids take what the page has below the boxes.
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    [[nodiscard]] std::array<TPruvEdit*, 11> Edits() const;
    void PosicionaGrades();
    void FiltraCodigo(bool& Aceita);
    void AbreDetalhe();
    // A press on a money cell of the detail grid makes its value ready to be dragged into the
    // money fields.
    void PressionaDetalhe(int x, int y);

    QTabWidget* PgResumo;
    QWidget* TsGeral;
    QWidget* TsDiscriminado;
    TdvDBDateTimePicker* DtpDataGera;
    TPruvEdit* DeQtdVolumes;
    TPruvEdit* DeTotBen;
    TPruvEdit* DeTotRend;
    TPruvEdit* DeTotDed;
    TPruvEdit* DeTotIrrf;
    TPruvEdit* DeTotAnoAtual;
    TPruvEdit* DeTotAnosAnteriores;
    TPruvEdit* DeTotRendSubJud;
    TPruvEdit* DeTotDedSubJud;
    TPruvEdit* DeTotIrrfSubJud;
    TPruvEdit* DeTotDepSubJud;
    QGroupBox* GbGravacao;
    QGroupBox* GbTotais;
    QGroupBox* GbSubJud;
    QGroupBox* GbCompensacao;
    QGroupBox* GbCodigos;
    TdvDBGrid* dvDBGrid2;
    TdvDBGrid* DbgDiscriminado;
    std::unique_ptr<TdvTable> TbCodRet;
    std::unique_ptr<TdvTable> TbPruvItem;
    std::unique_ptr<TdvTable> TbDetResumo;
    std::unique_ptr<TDataSource> DsCodRet;
    std::unique_ptr<TDataSource> DsDetResumo;

    TPruv* FPruv = nullptr;   // not owned
    bool FMostraAnexos = false;
    TInicioDeArraste FArraste;
    QString FValorArrastado;
};
