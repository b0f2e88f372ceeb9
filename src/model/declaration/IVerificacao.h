#pragma once
#include <QString>

// The verification run into which the declaration's and the annexes' checks report their
// pending items: the checks fill the run's own error list (a TErros), then ask it to copy that
// list into the verification table. Rows have the columns A_QUEM_PERTENCE, QUEM_EH, OBJETO,
// GRAVIDADE and DESCRICAO and are posted at once.
class IVerificacao {
public:
    virtual ~IVerificacao() = default;

    // True once the user asked to stop: the walks over items and annexes end at the next item,
    // and no summary is stored.
    [[nodiscard]] virtual bool Interrompida() const = 0;
    // Pending items of type error counted so far in this run.
    [[nodiscard]] virtual int NumErros() const = 0;

    // Copies the run's error list, in order, one row per pending item: its keys, its object, its
    // type as gravity, and DESCRICAO = the type as two digits ("00" warning, "01" error) followed
    // by its message. Errors are counted in NumErros; warnings are counted apart and copied only
    // while warnings are shown. The list itself is left as it is.
    virtual void IncluiErros() = 0;
    // A text row (keys empty, OBJETO and GRAVIDADE 255): "10" + title opens a section with
    // pending items, "20" + title one without, and the empty text separates sections.
    virtual void IncluiLinha(const QString& Texto) = 0;
    // The heading row of one fund or club: "09" followed by a title with its name and number.
    virtual void IncluiTituloFundo(const QString& NumeroFormatado, const QString& Nome) = 0;
    // The number of items verified so far, shown as the run goes.
    virtual void MostraVerificados(int Quantidade) = 0;
    // The run ended (true): stop, print and locate are updated.
    virtual void SetaConcluida(bool Concluida) = 0;
};
