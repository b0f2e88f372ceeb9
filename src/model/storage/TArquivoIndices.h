#pragma once
#include <QString>
#include <QStringList>

// One line of the index file: the index's fields (separated by ";", as a table's index lists
// them), its name (empty for the primary index) and the table's name in the data folder.
struct TLinhaIndice {
    QString Campos;
    QString Nome;
    QString Tabela;
};

// The index file "indices.dat", one index a line in three parts separated by "\":
//     IN_PF_PJ;NR_PF_PJ\IPFPJ\Benef.db
// Blank lines and lines that begin with "#" are not index lines.
class TArquivoIndices final {
public:
    TArquivoIndices() = delete;

    static QString NomeArquivo();   // "indices.dat"
    // The file in the program's folder when there is one there, else the one that comes with the
    // program; when neither exists, the path in the program's folder, which is where the
    // reorganisation tells the user it is missing.
    static QString Localiza();
    // The index lines of the file, in order. False when the file cannot be read.
    static bool Le(const QString& Caminho, QStringList& Linhas);
    // The three parts, split at the first two "\"; missing parts are empty.
    static TLinhaIndice Separa(const QString& Linha);
};
