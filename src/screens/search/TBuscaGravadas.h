#pragma once
#include <QDateTime>
#include <QList>
#include <QString>
#include <cstdint>

class TdvTable;

// One delivery file found on a volume, with what its plain header tells.
struct TDeclaracaoGravada {
    QString Caminho;       // the file's folder, without a trailing separator
    QString NomeArquivo;   // with its extension
    QDateTime DataGera;    // the file's date and time
    QString InPfPj;        // "1" a person (CPF), "2" a legal entity (CNPJ)
    QString NrPfPj;        // 11 or 14 digits
    QString Ano;
    QString Nome;
    QString Hash;             // the receipt number: ten digits and their two check digits
    QString Tipo;             // "Original" or "Retificadora"
    bool ComRecibo = false;   // the receipt file of the transmission lies beside it

    [[nodiscard]] QString CaminhoCompleto() const { return Caminho + QLatin1Char('/') + NomeArquivo; }
};

// Finds the delivery files that the program wrote on the volumes of the machine (TVolumes) and
// lists them in the table Geradas.
class TBuscaGravadas final {
public:
    // Which files are listed.
    static constexpr std::uint8_t NaoTransmitidas = 0;
    static constexpr std::uint8_t Transmitidas = 1;
    static constexpr std::uint8_t Todas = 2;

    TBuscaGravadas() = delete;

    // Reads a delivery file's header (its first 142 bytes) into Gravada; false when the header is
    // not one of ours (short, another program's, another layout).
    static bool LeCabecalho(const QString& Cabecalho, TDeclaracaoGravada& Gravada);
    // Whether the name is one the writer gives a delivery file.
    [[nodiscard]] static bool NomeDeEntrega(const QString& Nome);
    // The delivery files of one folder that pass the situation filter, receipts themselves never.
    [[nodiscard]] static QList<TDeclaracaoGravada> BuscaPasta(const QString& Pasta, std::uint8_t Situacao);
    // Every volume: removable media in their root (CD-ROMs only with IncluiCDROM), the fixed base
    // folder in the declarant and year folders under "Declaracoes Gravadas XEQ/Pruv2003". With
    // Situacao 0 and IncluiCDROM only CD-ROMs are searched.
    [[nodiscard]] static QList<TDeclaracaoGravada> Busca(std::uint8_t Situacao, bool IncluiCDROM);
    // Replaces the rows of the open table by those of the files, in one transaction: on a failure
    // (EColecaoError 141) the table keeps what it had.
    static void Preenche(TdvTable& Geradas, const QList<TDeclaracaoGravada>& Arquivos);
};
