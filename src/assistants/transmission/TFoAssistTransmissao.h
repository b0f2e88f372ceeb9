#pragma once
#include "assistants/pages/TEstadoDe.h"
#include "shell/assistant/TFormAssist.h"

class TFrPesquisaDeclaracoes;
class TFrResultTrans;
class TRotuloSitio;

// The transmission assistant, "Assistente de Transmissão de Declarações": the user picks delivery
// files written earlier and not yet transmitted, and sends them through the separate transmission
// program. Three pages, step n on page n: 1 the explanation, 2 the list of recorded files, 3 the
// results of the sending. Avançar and Concluir need a file selected on page 2.
class TFoAssistTransmissao final : public TFormAssist {
    Q_OBJECT
public:
    static constexpr int HelpContext = 16000;

    explicit TFoAssistTransmissao(QWidget* owner = nullptr);
    ~TFoAssistTransmissao() override;

    void MostraPagina(int n) override;
    bool ExecutaEtapa(int n) override;

    TFrPesquisaDeclaracoes* FrPesquisaDeclaracoes;
    TFrResultTrans* FrResultTrans;
    TRotuloSitio* LbSite;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QWidget* CriaPagina1();
    // Avançar and Concluir go with the selection.
    void FrPesquisaDeclaracoesChangeSelection();
};

class TEstadoTrans final : public TEstadoDe<TFoAssistTransmissao> {
public:
    using TEstadoDe::TEstadoDe;
    // 1: on to the list, at once with Concluir; 2: on to the sending; 3: the end.
    bool Evento(int codigo) override;
};

// Creates the assistant over Dono, shows it modally and frees it.
void ExecutaAssistTransmissao(QWidget* Dono = nullptr);
