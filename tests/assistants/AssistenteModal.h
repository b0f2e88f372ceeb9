#pragma once
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

#include "shell/assistant/TAssistente.h"

// Runs Acao on the modal assistant of class TForm as soon as it shows; one still open afterwards
// is cancelled, so that a failed expectation never leaves the test waiting.
template <class TForm> void AoAbrirAssistente(const std::function<void(TForm&)>& Acao)
{
    QTimer::singleShot(0, [Acao] {
        for (QWidget* janela : QApplication::topLevelWidgets()) {
            auto* assistente = qobject_cast<TForm*>(janela);
            if (!assistente || !assistente->isVisible() || !assistente->testAttribute(Qt::WA_ShowModal))
                continue;
            Acao(*assistente);
            if (assistente->isVisible())
                assistente->done(mrCancel);
            return;
        }
        ADD_FAILURE() << "no assistant shown";
    });
}
