#pragma once
#include <QByteArray>
#include <QString>

// Confirmations of substitutions (TSubstituicao) whose mark's companion could not be removed,
// recorded in a folder of their own away from the places, one small file per mark: a medium that
// stops taking removals right after a confirmation cannot make it read as never given. The folder
// must be one that nothing rolls back (no backup holds it), so that a confirmation outlives a
// restore of what the caller records elsewhere.
class TConfirmacoes final {
public:
    explicit TConfirmacoes(QString pasta);   // empty: nothing is recorded, nothing found

    enum class TEstado {
        Ausente,      // none recorded
        Registrada,   // recorded
        Incerta,      // the folder cannot be read: it may be either
    };

    // Records that the substitution at destino, whose mark holds marca, was confirmed; false with
    // the reason in erro when it could not be written (or no folder was given).
    bool Registra(const QString& destino, const QByteArray& marca, QString& erro) const;
    [[nodiscard]] TEstado Estado(const QString& destino, const QByteArray& marca) const;
    // Lets the record go once its mark is gone.
    void Esquece(const QString& destino, const QByteArray& marca) const;
    // Lets go the records of places in pasta whose mark is gone, and what a write cut short left.
    void Poda(const QString& pasta) const;

private:
    [[nodiscard]] QString Arquivo(const QString& destino, const QByteArray& marca) const;

    QString FPasta;
};
