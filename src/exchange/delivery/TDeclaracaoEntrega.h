#pragma once
#include <QString>

// The person responsible for filling in the declaration, as the delivery file and its receipt
// data carry it: every text as stored, and the shown forms the receipt data quotes.
struct TResponsavelEntrega {
    QString Cpf;   // 11 digits, or empty
    QString CpfFormatado;
    QString Nome;
    QString DDD;
    QString Fone;
    QString FoneFormatado;   // "-" before the last four digits
    QString Ramal;
    QString Fax;
    QString FaxFormatado;
    QString Email;
};

// A stored declaration as the delivery file needs it: plain values, read once.
struct TDeclaracaoEntrega {
    QString Chave;   // PRUV_DK, for the source that stored it
    QString Ano;     // four digits
    QString Ni;      // the declarant's 11 (CPF) or 14 (CNPJ) digits
    QString NiFormatado;
    bool PessoaFisica = false;            // the declarant has a CPF
    QString Nome;                         // as stored
    int Natureza = 0;                     // the nature's code
    QString Tipo = QStringLiteral("O");   // "O" original, "R" rectifying
    bool SituacaoEspecial = false;
    QString CpfRespCnpj;            // 11 digits of the person responsible before the CNPJ, or empty
    bool PossuiSubJudice = false;   // the declaration's summary holds sub judice values or compensations
    TResponsavelEntrega Responsavel;
};

// The annex of one investment fund or club of a declaration.
struct TAnexoEntrega {
    QString Chave;   // ANEXO_DK
    QString Ni;      // 14 digits (11 when stored as a person)
    QString NiFormatado;
    bool PessoaFisica = false;
    QString Nome;
};
