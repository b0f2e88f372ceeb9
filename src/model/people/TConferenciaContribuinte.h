#pragma once
#include <QString>
#include <cstdint>

class TContribuinte;
class TErros;

// A taxpayer's number and name checks for a walk that meets the same taxpayer many times in a
// row (the items of one beneficiary): the codes are worked out again only when the number, its
// kind, its rules or the name differ from the last ones asked about. The pending items are added
// every time, each with its own owner and object, as the taxpayer's own checks add them.
class TConferenciaContribuinte {
public:
    // As Contribuinte.VerificaNiPendencia, then Contribuinte.VerificaNomePendencia.
    void Pendencias(const TContribuinte& Contribuinte, TErros& Erros, const QString& AQuemPertence,
                    const QString& QuemEh, std::uint8_t ObjetoNi, std::uint8_t ObjetoNome);

private:
    bool FConhecido = false;
    QString FNi;
    QString FNome;
    std::uint8_t FTipo = 0;
    bool FMatrizObrigatoria = false;
    bool FPermiteVazio = false;
    std::uint8_t FCodigoNi = 0;
    std::uint8_t FCodigoNome = 0;
};
