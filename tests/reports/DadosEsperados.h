#pragma once
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <vector>

class TPruv;
class TAnexoFC;

// What the paper of one stored declaration must say, read back through the model alone (items,
// codes, statements), never through the report code: the guard of the survey compares it with
// the words of the printed pages.
struct DadosEsperados {
    // The columns a report may show of a month (the court-decision part in the last six).
    enum TColuna { Rend, Ded, Imp, CompAno, CompAnt, SjRend, SjDed, SjImp, SjDep, Colunas };
    using TValores = std::array<qint64, Colunas>;   // in cents

    struct TItem {
        QString Dono;   // the fund's formatted CNPJ; empty for the declaration's own items
        QString Codigo;
        QString Ni;   // formatted
        QString Nome;
        QString Regime;                     // of the code: "C" its income goes to box 3 of a person's statement
        bool DecimoTerceiro = false;        // the code keeps a 13th salary in the year: the grids show its row
        std::array<TValores, 14> Meses{};   // 1 to 12, 13 the 13th salary; [0] the year's total
    };
    // A statement's boxes by printed number ("3.01" ...), in cents, summed from the items; a
    // company's lines by month and code ("03 1708 R" income, "... I" tax).
    struct TComprovante {
        bool Pessoa;        // a person's statement; else a company's
        bool Imprime;       // may be printed; else it goes to the not-printed list
        QString Nome;       // the beneficiary's
        QString Natureza;   // box 2: the nature of the income, as the statement holds it
        QString Outros;     // the text of box 4's line 07, typed by the user
        std::map<QString, qint64> Quadros;
        std::map<QString, QString> Descricoes;   // a company's line ("03 1708") -> its description
        QStringList Caixa6;                      // the typed text, then the lines added per code
        QStringList Caixa6IN4;                   // of the statement of payments for goods and services
    };
    struct TResponsavel {
        QString Cpf;   // formatted
        QString Nome;
        QString Ddd, Fone, Ramal, Fax;   // digits
        QString Email;
    };

    QString Ni;     // the declarant's, formatted
    QString Nome;   // the declarant's
    QString Ano;
    bool Retificadora = false;
    bool Especial = false;   // the special situation
    TResponsavel Responsavel;
    QString RespCnpj;   // formatted; empty for a person declarant
    QString Gravacao;   // the recording date as printed; empty when none
    int Disquetes = 0;
    QStringList Datas;                    // today's date as the reports print it (and tomorrow's, past midnight)
    QHash<QString, QString> Fundos;       // CNPJ -> name
    QHash<QString, QString> Descricoes;   // code -> description
    QSet<QString> CodigosIN4;             // codes of payments for goods and services
    std::vector<TItem> Itens;
    std::map<QString, TComprovante> Comprovantes;   // by the beneficiary's formatted NI

    // Reads the declaration and its annexes back from storage.
    static DadosEsperados Le(TPruv& Pruv, const std::vector<TAnexoFC*>& Anexos);

    // The items of a fund (or the declaration's own: empty) and code; any code when empty.
    [[nodiscard]] std::vector<const TItem*> DoGrupo(const QString& Dono, const QString& Codigo) const;
    [[nodiscard]] bool Pessoa() const { return Ni.size() == 14; }
    [[nodiscard]] const TItem* Item(const QString& Dono, const QString& Codigo, const QString& NiItem) const;
};
