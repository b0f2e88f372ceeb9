#pragma once

#include "screens/fields/TInicioDeArraste.h"
#include "screens/edits/TPruvCustomEdit.h"
#include "screens/fields/TVinculoDado.h"

class QMimeData;
class TDadoBasico;

// An edit bound to one value of the model, which it observes: a change of the value, wherever it
// comes from, shows at once. A money edit (Numerico) takes an amount dropped on it and writes it
// at once; Shift with the left button drags its amount out.
class TPruvEdit : public TPruvCustomEdit {
    Q_OBJECT
public:
    explicit TPruvEdit(QWidget* parent = nullptr);

    [[nodiscard]] TDadoBasico* Dado() const { return FVinculo.Dado(); }
    // Observes the value (not owned; null unbinds) and shows its text.
    void SetDado(TDadoBasico* Dado);

    // The user cannot type, paste or drop; the edit looks read-only, is no Tab stop and always
    // shows its value formatted.
    [[nodiscard]] bool ReadOnly() const { return ReadOnlyFlag(); }
    void SetReadOnly(bool valor);

    [[nodiscard]] bool TemDado() const override { return Dado() != nullptr; }
    [[nodiscard]] QString GetTexto(bool Formatado) const override;
    void SetTexto(const QString& Texto) override;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    [[nodiscard]] bool AceitaSoltar(const QMimeData* dados) const;

    TVinculoDado FVinculo;
    TInicioDeArraste FArraste;   // Shift and the left button held on a money field
};
