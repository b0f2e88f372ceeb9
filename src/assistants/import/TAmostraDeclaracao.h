#pragma once
#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// What the import assistant reads of a file in the delivery layout before importing it: the
// first record of a declarant (type 1), of values (types 2 and 5) or of a fund (type 4) after
// the header, what it tells of the declarant, and the first value lines for the sample grid.
class TAmostraDeclaracao final {
public:
    static constexpr int MaximoAmostras = 19;
    static constexpr int ColunasAmostra = 46;   // those of the sample grid

    // Formato: 2 for the recorded files of earlier versions (two-digit year, fields two places
    // back). False when the file cannot be opened or read; what was read stays.
    bool Le(const QString& Arquivo, std::uint8_t Formato);

    // The record type of the first data line: '1', '2', '4' or '5'; a null character when none.
    QChar Tipo;
    // Type 1: the year as written ("19" + two digits with format 2), the kind ('1' person, '2'
    // legal entity), the nature (a character: a digit when one stands there) and the name.
    QString Ano;
    QChar Especie;
    QChar Natureza;
    QString Nome;
    // The declarant's number: from a type 1 line by its kind; from a type 2 line (a valid CNPJ
    // at 10-23, else a valid CPF at 13-23) or a type 4 line (151-164, else 154-164). Empty when
    // none.
    QString Ni;
    // Up to 19 value lines (types 2 and 5), each as the 46 texts of the grid's columns.
    std::vector<QStringList> Amostras;

    // The 46 texts of a value line: order, type, declarant, code, kind, beneficiary, name and the
    // 39 values of the 13 periods, as they stand.
    [[nodiscard]] static QStringList Colunas(const QString& Linha);
};
