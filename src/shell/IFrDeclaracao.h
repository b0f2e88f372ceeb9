#pragma once

class QWidget;

// What the main window asks of the declaration frame that it shows while a declaration is open.
// The frame belongs to the screens, which sit above the shell.
class IFrDeclaracao {
public:
    virtual ~IFrDeclaracao() = default;

    // The frame's widget, a child of the main window.
    [[nodiscard]] virtual QWidget& Controle() = 0;
    // The focused field and every page accept their contents. When one does not, the frame has
    // shown its message and focused the field, and answers false.
    virtual bool PodeSair() = 0;
    // Unbinds the pages and closes their tables.
    virtual void Fecha() = 0;
    // Whether the income-statement page follows the beneficiaries' values.
    virtual void SetSincronizarComprovante(bool sincronizar) = 0;
};
