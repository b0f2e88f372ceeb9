#pragma once
#include <deque>
#include <optional>
#include <vector>

#include "platform/report/printing/IImpressoras.h"
#include "shell/printing/IDialogoImpressao.h"

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
    // The next printer set-up chooses this; std::nullopt gives up.
    void RespondeConfiguracao(const std::optional<TEscolhaImpressora>& escolha);

    TEscolhaImpressao Executa(QPrinter& impressora, int minimo, int maximo, QWidget* dono) override;
    bool Configura(TEscolhaImpressora& escolha, const QStringList& impressoras, QWidget* dono) override;

    struct TOferta {
        int Minimo;
        int Maximo;
    };
    // The page ranges offered, one per dialog shown.
    [[nodiscard]] const std::vector<TOferta>& Ofertas() const { return FOfertas; }
    // The printers offered by each printer set-up shown, and the choice it started from.
    struct TOfertaConfiguracao {
        QStringList Impressoras;
        TEscolhaImpressora Inicial;
    };
    [[nodiscard]] const std::vector<TOfertaConfiguracao>& OfertasConfiguracao() const { return FOfertasConfiguracao; }

private:
    IDialogoImpressao* FAnterior;
    std::deque<TEscolhaImpressao> FRespostas;
    std::vector<TOferta> FOfertas;
    std::deque<std::optional<TEscolhaImpressora>> FConfiguracoes;
    std::vector<TOfertaConfiguracao> FOfertasConfiguracao;
};
