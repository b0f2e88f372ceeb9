#pragma once
#include <QDialog>
#include <QStringList>

#include "platform/report/printing/IImpressoras.h"

class QComboBox;
class QRadioButton;

// The printer set-up, "Configurar Impressora": one of the installed printers, its paper and its
// orientation. The papers offered are those of the program's paper codes that the printer takes
// (all of them when it does not tell).
class TDialogoConfiguraImpressora final : public QDialog {
    Q_OBJECT
public:
    // The help of the printer set-up.
    static constexpr int HelpContext = 13050;
    TDialogoConfiguraImpressora(const QStringList& impressoras, const TEscolhaImpressora& inicial,
                                QWidget* dono = nullptr);

    [[nodiscard]] TEscolhaImpressora Escolha() const;

    QComboBox* CbImpressora;
    QComboBox* CbPapel;
    QRadioButton* RbRetrato;
    QRadioButton* RbPaisagem;

    // The paper codes offered for a printer that takes these sizes, one per size; every size of a
    // code when none of them is known.
    [[nodiscard]] static QList<int> CodigosOferecidos(const QList<QPageSize>& tamanhos);

private:
    void PreenchePapeis(int codigoDesejado);
};
