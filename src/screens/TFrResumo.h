#pragma once
#include <QWidget>
#include <array>

class QGroupBox;
class QTabWidget;
class TdvDBDateTimePicker;
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
    void SetMostraAnexos(bool Mostra) { FMostraAnexos = Mostra; }
    // Binds the total edits to the declaration's summary.
    void Abre();
    void Fecha();
    // The page is entered: the date, the tab of the funds and the judicial boxes follow the
    // declaration as it now stands.
    void Entra();

private:
    [[nodiscard]] std::array<TPruvEdit*, 11> Edits() const;

    QTabWidget* PgResumo;
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

    TPruv* FPruv = nullptr;   // not owned
    bool FMostraAnexos = false;
};
