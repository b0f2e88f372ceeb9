#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

// One row of the establishments and funds of a delivery receipt: up to five entries.
struct TLinhaEstabelecimentos {
    bool Fundos = false;   // the entries are funds' CNPJs, else establishment orders
    QStringList Entradas;
};

// What the delivery receipt shows, read from the receipt data file (Recibo.ini) that travelled
// inside the delivery file: every text as it prints. Never read from the database, so the
// receipt shows exactly what was delivered.
struct TDadosRecibo {
    static constexpr int EntradasPorLinha = 5;
    // The amounts of the statement in the order they print: "03." to "05." from [Valores],
    // "06." to "11." from [ValoresSJ].
    static constexpr int QuantidadeValores = 9;

    bool PessoaFisica = false;   // [Declarante] IN_PF_PJ is "1"
    QString TituloNi;            // "CPF do Declarante:" or "CNPJ do Declarante:"
    QString Ni;
    QString TituloNome;   // "Nome:" or "Nome Empresarial:"
    QString Nome;

    QString Ano;                // the calendar year as written ("E" when missing)
    QString Exercicio;          // "Exercício: " and the year of the exercise
    QString AnoCalendario;      // "Ano-calendário: " and the year
    QString Tipo;               // "Tipo: Original" or "Tipo: Retificadora"
    QString SituacaoEspecial;   // empty for a declaration without one

    QString BeneficiariosPf;
    QString BeneficiariosPj;
    std::array<QString, QuantidadeValores> Valores;

    QString NomeResponsavel, CpfResponsavel, EmailResponsavel, DddResponsavel, TelefoneResponsavel, FaxResponsavel;

    QString Crc;                       // [Declaracao] CRC as written ("0" when missing)
    QString NumeroControle;            // the CRC's first five pairs of digits joined by "."
    QString NumeroRecibo;              // "Nº do Recibo: " and the receipt number, NN.NN.NN.NN.NN-NN
    bool NumeroReciboValido = false;   // the CRC and its check digits make a valid receipt number
    QString NiAcesso;                  // "CPF: " or "CNPJ: " and the declarant's number

    std::vector<TLinhaEstabelecimentos> Linhas;

    // Reads the file. nullopt when an amount is not a number: the receipt data are damaged and
    // no receipt may be printed from them. A missing file reads as one without keys.
    [[nodiscard]] static std::optional<TDadosRecibo> Le(const QString& caminho);

    // An amount of the receipt data in cents, rounded half away from zero: digits with "," or
    // "." as the decimal sign. nullopt for anything else, or beyond 14 whole digits.
    [[nodiscard]] static std::optional<qint64> LeCentavos(const QString& texto);
    // Cents with thousands separators and two decimals, in the program's format.
    [[nodiscard]] static QString FormataCentavos(qint64 centavos);
    // The first five pairs of digits of the CRC joined by ".".
    [[nodiscard]] static QString NumeroDeControle(const QString& crc);
    // Splits the entries into rows of EntradasPorLinha.
    static void AcrescentaLinhas(std::vector<TLinhaEstabelecimentos>& linhas, const QStringList& entradas, bool fundos);
};
