#pragma once
#include <QString>
#include <vector>

#include "model/declaration/IVerificacao.h"
#include "model/values/TErro.h"

// Test double of a verification run: copies the pending items of its list into rows as the
// verification table would hold them, and writes down the other calls.
class VerificacaoRegistrada : public IVerificacao {
public:
    struct Linha {
        QString AQuemPertence;
        QString QuemEh;
        int Objeto;
        int Gravidade;
        QString Descricao;
    };

    explicit VerificacaoRegistrada(const TErros& lista)
        : FLista(lista)
    {}

    bool Interrompe = false;    // what Interrompida answers
    bool MostraAvisos = true;   // the box that shows warnings
    int Avisos = 0;
    int Verificados = -1;   // last MostraVerificados
    bool Concluida = false;
    std::vector<Linha> Linhas;

    [[nodiscard]] bool Interrompida() const override { return Interrompe; }
    [[nodiscard]] int NumErros() const override { return FNumErros; }

    void IncluiErros() override
    {
        for (int i = 0; i < FLista.Count(); ++i) {
            const TErro& erro = FLista.Items(i);
            const int tipo = static_cast<int>(erro.Tipo());
            if (tipo == 1)
                ++FNumErros;
            else if (tipo == 0)
                ++Avisos;
            if (tipo == 0 && !MostraAvisos)
                continue;
            Linhas.push_back({erro.AQuemPertence(), erro.QuemEh(), erro.Objeto(), tipo,
                              QString::number(tipo).rightJustified(2, QLatin1Char('0')) + erro.GetMensagem()});
        }
    }
    void IncluiLinha(const QString& Texto) override { Linhas.push_back({{}, {}, 255, 255, Texto}); }
    // The title is shortened: the name and the number.
    void IncluiTituloFundo(const QString& NumeroFormatado, const QString& Nome) override
    {
        Linhas.push_back({{}, {}, 255, 255, QStringLiteral("09") + Nome + QLatin1Char(' ') + NumeroFormatado});
    }
    void MostraVerificados(int Quantidade) override { Verificados = Quantidade; }
    void SetaConcluida(bool Concluido) override { Concluida = Concluido; }

private:
    const TErros& FLista;
    int FNumErros = 0;
};
