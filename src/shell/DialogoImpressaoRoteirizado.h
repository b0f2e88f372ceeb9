#pragma once
#include <deque>
#include <vector>

#include "shell/IDialogoImpressao.h"

// Test double of the print dialog: installs itself for its lifetime (putting back what was
// installed before) and answers from a queue of scripted choices. A dialog shown with nothing
// queued raises std::logic_error, so that the test fails instead of guessing.
class DialogoImpressaoRoteirizado final : public IDialogoImpressao {
public:
    DialogoImpressaoRoteirizado();
    ~DialogoImpressaoRoteirizado() override;
    DialogoImpressaoRoteirizado(const DialogoImpressaoRoteirizado&) = delete;
    DialogoImpressaoRoteirizado& operator=(const DialogoImpressaoRoteirizado&) = delete;

    void Responde(const TEscolhaImpressao& escolha);

    TEscolhaImpressao Executa(QPrinter& impressora, int minimo, int maximo,
                              QWidget* dono) override;

    struct TOferta {
        int Minimo;
        int Maximo;
    };
    // The page ranges offered, one per dialog shown.
    [[nodiscard]] const std::vector<TOferta>& Ofertas() const { return FOfertas; }

private:
    IDialogoImpressao* FAnterior;
    std::deque<TEscolhaImpressao> FRespostas;
    std::vector<TOferta> FOfertas;
};
