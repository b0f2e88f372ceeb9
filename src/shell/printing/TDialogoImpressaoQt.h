#pragma once
#include "shell/printing/IDialogoImpressao.h"

// The print dialog of Qt.
class TDialogoImpressaoQt final : public IDialogoImpressao {
public:
    TEscolhaImpressao Executa(QPrinter& impressora, int minimo, int maximo, QWidget* dono) override;
    bool Configura(TEscolhaImpressora& escolha, const QStringList& impressoras, QWidget* dono) override;
};
