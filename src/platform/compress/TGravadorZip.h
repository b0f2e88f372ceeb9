#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

class TAndamento;

// One member of an archive being written: a file on disk, or bytes held in memory.
struct TMembroZip {
    QString Nome;      // name inside the archive: a plain file name
    QString Caminho;   // file read when the archive is written (when Dados is not used)
    QByteArray Dados;
    bool UsaDados = false;
};

// Writes zip archives through libzip. Results are those of ResultadoCompressao.
class TGravadorZip final {
public:
    // The deflate level of every member: moderate, as the highest levels cost several times the
    // time for a few per cent of size, and the archive's readers accept any level.
    static constexpr int NivelCompressao = 6;

    // Writes the archive to destino through a temporary beside it, renamed only when complete,
    // so a failed or cancelled run leaves an existing destino as it was.
    // An empty member list is refused (libzip would delete destino instead). On a failure to
    // write or put the file in place, erroSistema (when given) receives the system's error
    // number; 0 when the failure was not the file's.
    static int GravaArquivo(const QString& destino, const std::vector<TMembroZip>& membros, TAndamento& andamento,
                            int* erroSistema = nullptr);
};
