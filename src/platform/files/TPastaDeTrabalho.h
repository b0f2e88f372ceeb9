#pragma once
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A work folder made afresh under a parent (parent/prefix-XXXXXX) and owned by this process
// while the object lives, then removed with all it holds. Ownership is an exclusive flock(2) on
// a lock file inside, which the kernel lets go when the process ends, however it ends: a folder
// whose lock can be taken belongs to no running copy, whatever process now has its old pid.
class TPastaDeTrabalho final {
public:
    TPastaDeTrabalho(const QString& Pai, const QString& Prefixo);
    ~TPastaDeTrabalho();
    TPastaDeTrabalho(const TPastaDeTrabalho&) = delete;
    TPastaDeTrabalho& operator=(const TPastaDeTrabalho&) = delete;

    // False when the folder or its lock could not be made: nothing is left then.
    [[nodiscard]] bool Valida() const { return FTrava >= 0; }
    [[nodiscard]] QString Caminho() const { return FPasta.path(); }
    [[nodiscard]] QString Arquivo(const QString& Nome) const { return FPasta.filePath(Nome); }

    // Removes the folders Pai/prefix-* of the prefixes that no running copy owns: those whose
    // lock is free, and those without a lock that are older than a folder takes to get one
    // (left by a copy killed in between, or by a version that made none). How many went.
    static int RemoveAbandonadas(const QString& Pai, const QStringList& Prefixos);

    static const QString NomeTrava;   // ".dono"

private:
    QTemporaryDir FPasta;
    int FTrava = -1;
};
