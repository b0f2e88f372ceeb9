#pragma once
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <vector>

// Files written into one folder all or none: each is written under a temporary name beside its
// final place and renamed only by Confirma. Whatever was not confirmed is removed when the
// object goes, so a failed or cancelled run leaves the folder as it was.
class TArquivosNovos final {
public:
    TArquivosNovos();
    TArquivosNovos(const TArquivosNovos&) = delete;
    TArquivosNovos& operator=(const TArquivosNovos&) = delete;
    ~TArquivosNovos();

    // Starts the file caminho (a full path); false when its temporary cannot be created.
    bool Novo(const QString& caminho);
    // Appends to the file started last.
    bool Escreve(QByteArrayView dados);
    // The temporary name of the file started last, its bytes flushed, so that it can be read
    // back and checked before Confirma; empty when none was started or the flush failed.
    QString Temporario();
    // Renames every temporary to its final name, replacing a file of that name (a link there
    // is replaced itself, never followed). False when a rename fails: the files renamed before
    // it stay, the others are removed.
    bool Confirma();

    // The system's error number (errno) of the first step that failed, and the file it wrote;
    // 0 and empty while none failed, or when the failure was no system call's.
    [[nodiscard]] int ErroSistema() const { return FErroSistema; }
    [[nodiscard]] const QString& ArquivoDoErro() const { return FArquivoDoErro; }

private:
    struct TNovo;
    // False, keeping what the first failure of novo was.
    bool Falhou(const TNovo& novo);

    std::vector<std::unique_ptr<TNovo>> FArquivos;
    int FErroSistema = 0;
    QString FArquivoDoErro;
};
