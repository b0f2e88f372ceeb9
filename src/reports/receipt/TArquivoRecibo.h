#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

class IBibliotecaAssinatura;

// When and under which number the tax authority received a delivery file, as its receipt file
// tells.
struct TRecepcao {
    QString Ni;             // the declarant's number, blanks trimmed
    QString NumeroRecibo;   // 10 digits, as written
    int Dia = 0, Mes = 0, Ano = 0, Hora = 0, Minuto = 0, Segundo = 0;

    [[nodiscard]] QDate Data() const { return QDate(Ano, Mes, Dia); }
    // "em " d/m/yyyy " às " hh:mm:ss: day, month and year as plain numbers.
    [[nodiscard]] QString Texto() const;
};

enum class TSituacaoRecibo {
    Certificado,     // the signature library vouches for it and its control codes match
    SemAssinatura,   // no signature library: nothing can be vouched for
    Invalido,        // damaged or forged: no receipt may be printed
};

// The receipt file (".rec") that the transmission leaves beside a delivery file: three lines of
// Latin-1 text, "HC", "RC" and "TC", each closed by a control code over its first part. Line 2
// holds the declarant's number (3-16), the reception date (17-24, ddmmyyyy) and time (25-30,
// hhmmss) and the receipt number (60-69).
class TArquivoRecibo final {
public:
    // Reads the first three lines; a file that cannot be read has none.
    explicit TArquivoRecibo(const QString& caminho);

    // The line marks, the signature library's word on the receipt data (the receipt number and
    // the declarant's number of line 2, the declaration's CRC of the receipt data, the date and
    // time) and the three control codes. The library is asked for only once the marks passed;
    // a null one gives SemAssinatura. A certified receipt must hold a real date.
    TSituacaoRecibo Verifica(const QString& crcDeclaracao, const std::function<IBibliotecaAssinatura*()>& assinatura);
    // The fields of line 2, read by Verifica.
    [[nodiscard]] const TRecepcao& Recepcao() const { return FRecepcao; }

    // The control code of a text: CRC-32 of its Latin-1 bytes as 10 decimal digits.
    [[nodiscard]] static QString CodigoControle(const QString& texto);

private:
    void LeRecepcao();
    [[nodiscard]] bool CodigosConferem() const;

    QStringList FLinhas;
    TRecepcao FRecepcao;
};
