#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One file written under a temporary name beside its final place ("." + name + ".novo-XXXXXX")
// and put there by Confirma only when every byte is on disk, so that the final place holds the
// old file or the whole new one, never a part. Every write, the last flush, the sync and the
// rename are checked (and pass through TFalhasDeArquivo). The temporary is held under an
// exclusive lock while this object writes it: one that no running copy holds was left by a
// process that ended midway, and RemoveAbandonados takes it away. The file, new or replacing
// another, has the permissions of the rule for what the program makes (PermissoesNovas.h).
class TArquivoNovo final {
public:
    TArquivoNovo() = default;
    ~TArquivoNovo();   // what was not confirmed is removed; the old file stays
    TArquivoNovo(const TArquivoNovo&) = delete;
    TArquivoNovo& operator=(const TArquivoNovo&) = delete;

    // Starts the file caminho; its folder must exist. False when the temporary cannot be made.
    bool Abre(const QString& caminho);
    // Appends; false when a write failed (and every later call fails too).
    bool Escreve(QByteArrayView dados);
    // Hands what is held back to the system, so that the temporary can be read back.
    bool Descarrega();
    // Moves where the next bytes go (what is held back handed to the system first), so that a
    // header written ahead of its data can be written again in its place. False when it failed.
    bool Posiciona(qint64 posicao);
    // Flushes, syncs and renames the temporary over the final name. False when any step failed:
    // the temporary is then removed and the final name keeps what it had.
    bool Confirma();
    // Drops the temporary without touching the final file.
    void Descarta();

    [[nodiscard]] bool Aberto() const { return FDescritor >= 0; }
    [[nodiscard]] const QString& Caminho() const { return FFinal; }
    [[nodiscard]] const QString& Temporario() const { return FTemporario; }
    [[nodiscard]] const QString& Erro() const { return FErro; }
    [[nodiscard]] int ErroSistema() const { return FErroSistema; }   // errno of the first failure

    // The whole of dados as the file caminho, in one step as above; false with the reason in erro
    // when any step failed, the earlier file then as it was.
    static bool GravaInteiro(const QString& caminho, QByteArrayView dados, QString& erro);
    // Renames origem over destino in one step (an existing destino is replaced); false with the
    // system's text in erro when it failed, both files then as they were.
    static bool Renomeia(const QString& origem, const QString& destino, QString& erro);

    // Removes the temporaries of pasta that no running writer holds. How many went.
    static int RemoveAbandonados(const QString& pasta);

private:
    bool Falha(const QString& erro);
    // Hands the bytes held back to the system, as a call of that kind of TFalhasDeArquivo.
    bool Entrega(unsigned operacao);

    int FDescritor = -1;
    QString FFinal;
    QString FTemporario;
    QString FErro;
    int FErroSistema = 0;
    QByteArray FRetido;   // bytes not yet handed to the system
    bool FFalhou = false;
};
