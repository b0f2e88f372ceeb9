#pragma once
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <vector>

#include "reports/printing/TFoAssistRelatorios.h"

// Clicks through the print assistant: "<" Voltar, ">" Avançar, "!" Concluir (or Fechar), "x"
// Cancelar, any other word the radio button of that name. A disabled button does nothing.
inline void Roteiro(TFoAssistRelatorios& assistente, const std::vector<const char*>& passos)
{
    for (const char* passo : passos) {
        const QString p = QLatin1String(passo);
        const char* botao = p == QLatin1String("<") ? "BtnRetornar"
            : p == QLatin1String(">")               ? "BtnAvancar"
            : p == QLatin1String("!")               ? "BtnOK"
            : p == QLatin1String("x")               ? "CancelBtn"
                                                    : nullptr;
        if (botao) {
            assistente.findChild<QPushButton*>(QLatin1String(botao))->click();
        } else {
            auto* opcao = assistente.findChild<QRadioButton*>(p);
            ASSERT_NE(opcao, nullptr) << passo;
            opcao->click();
        }
    }
}

// The assistant that runs modally; nullptr when none shows.
inline TFoAssistRelatorios* AssistenteAberto()
{
    for (QWidget* janela : QApplication::topLevelWidgets())
        if (auto* a = qobject_cast<TFoAssistRelatorios*>(janela); a && a->isVisible())
            return a;
    return nullptr;
}
