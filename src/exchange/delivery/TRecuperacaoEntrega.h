#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "platform/files/TSubstituicao.h"

// What a writing of the delivery file that ended midway left beside the file, taken back: the
// mark the writer leaves beside the place while the new file takes it (its format is here), the
// decision between the two files by what the database records, and the clean-up of a folder.
// Nothing here shows anything: what the user must hear comes back as text, for the caller to show.
//
// The mark names the declaration, the generation date recorded for the new file and what that
// file holds, the date the declaration held before the run and what the earlier file held, then
// the format's version. While the run has not committed the mark has its companion (see
// TSubstituicao), or the run's commit is recorded in PastaConfirmacoes: a file goes only when the
// database holds exactly the date that goes with the other one, and a new file that a committed
// run put in place is never taken away.
class TRecuperacaoEntrega final {
public:
    // The bytes of the mark of a run; none when the new file's hash is empty.
    [[nodiscard]] static QByteArray Marca(const QString& Ano, const QString& Ni, double Data,
                                          const QByteArray& HashNovo, const std::optional<double>& DataAnterior,
                                          const QByteArray& HashAnterior);
    // The hash a mark gives of the file at Caminho; empty when it cannot be read.
    [[nodiscard]] static QByteArray Hash(const QString& Caminho);

    // Which file a run that ended midway left recorded, for TSubstituicao::Recupera.
    [[nodiscard]] static TSubstituicao::TDestino Decide(const TSubstituicao::TSobra& Sobra);

    // Takes back what runs that ended midway left beside delivery files in Pasta, as Decide
    // answers, and removes the packing's temporaries; only names the writer makes are touched.
    // What the user is told of it (empty: nothing to tell), once: no mark is left to decide again.
    // Presos gets each delivery file (with why) whose run the database shows committed but whose
    // commit could be kept neither by settling the run nor in PastaConfirmacoes: data restored
    // from before it would read it as a run that never committed.
    [[nodiscard]] static QStringList Recupera(const QString& Pasta, QStringList* Presos = nullptr);
    // The same in every folder where delivery files go by default (the base volume's) and at the
    // root of each removable medium mounted now: the start's clean-up of delivery files.
    [[nodiscard]] static QStringList RecuperaPadrao(QStringList* Presos = nullptr);
    // The same before the data are replaced by a backup's, while they still know every commit:
    // what the user is told of it goes in Textos; the result says why the data may not be
    // replaced now (empty: they may).
    [[nodiscard]] static QString AcertaAntesDeRestaurar(QStringList& Textos);

    // Where a run that committed records so when the delivery folder would not let the mark's
    // companion go (TConfirmacoes): in the data folder, beside the database but in no backup, so
    // that a restore of one taken before the run cannot make the run read as never committed.
    [[nodiscard]] static QString PastaConfirmacoes();

    // What the recovery asks for the generation date stored for a declaration (none: not
    // stored; raises when it cannot be read); the database's when empty.
    using TRegistro = std::function<std::optional<double>(const QString& Ano, const QString& Ni)>;
    static void DefineRegistro(TRegistro Registro);
};
