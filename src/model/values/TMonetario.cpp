#include "model/values/TMonetario.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <QRegularExpression>

#include "model/values/TErro.h"
#include "model/values/TratamentoTexto.h"
#include "platform/files/TFormatSettings.h"

namespace {

QChar Decimal()
{
    return TFormatSettings::Programa().DecimalSeparator;
}

// Four UTF-16 characters at P as one number, the first in the lowest lane.
std::uint64_t Quatro(const char16_t* P)
{
    std::uint64_t x = 0;
    std::memcpy(&x, P, sizeof x);
    return x;
}

constexpr std::uint64_t QuatroZeros = 0x0030003000300030ULL;   // "0000"

// Four UTF-16 characters at P appended to Valor as decimal digits, all four at once (a file's
// line holds tens of 15-digit values); false, Valor untouched, when one is not a digit.
bool QuatroDigitos(const char16_t* P, qint64& Valor)
{
    static_assert(std::endian::native == std::endian::little, "the first character is the lowest lane");
    std::uint64_t x = 0;
    std::memcpy(&x, P, sizeof x);
    // Per 16-bit lane: below 0x8000, so that the sums below carry into no other lane; at least
    // '0' (0x8000 - 0x30 added sets the top bit) and below ':' (0x8000 - 0x3A added leaves it).
    constexpr std::uint64_t Altos = 0x8000800080008000ULL;
    const std::uint64_t desdeZero = x + 0x7FD07FD07FD07FD0ULL;
    const std::uint64_t depoisNove = x + 0x7FC67FC67FC67FC6ULL;
    if (((x | depoisNove) & Altos) != 0 || (desdeZero & Altos) != Altos)
        return false;
    std::uint64_t d = x - 0x0030003000300030ULL;
    d = (d * 10 + (d >> 16)) & 0x000000FF000000FFULL;   // two-digit numbers in lanes 0 and 2
    d = (d * 100 + (d >> 32)) & 0xFFFFFFFFULL;
    Valor = Valor * 10000 + static_cast<qint64>(d);
    return true;
}

[[noreturn]] void LevantaLimite(const QString& Parametro = QString())
{
    throw EMonetarioInvalido(CodigoMensagem::ValorExcessivo, Parametro, 0);
}

// Reads a cleaned text (digits, at most one separator, at most four decimals) as ten-thousandths;
// nullopt when it holds no digit or does not fit in 64 bits.
std::optional<qint64> Converte(const QString& Texto)
{
    const qsizetype separador = Texto.indexOf(Decimal());
    const QString inteiros = separador < 0 ? Texto : Texto.left(separador);
    const QString decimais = separador < 0 ? QString() : Texto.mid(separador + 1);
    if ((inteiros.isEmpty() && decimais.isEmpty()) || decimais.size() > 4)
        return std::nullopt;
    qint64 valor = 0;
    for (const QChar c : inteiros) {
        if (!EhDigito(c) || __builtin_mul_overflow(valor, 10, &valor)
            || __builtin_add_overflow(valor, c.unicode() - '0', &valor))
            return std::nullopt;
    }
    if (__builtin_mul_overflow(valor, TMonetario::Escala, &valor))
        return std::nullopt;
    qint64 peso = TMonetario::Escala / 10;
    for (const QChar c : decimais) {
        if (!EhDigito(c))
            return std::nullopt;
        valor += (c.unicode() - '0') * peso;   // below Escala: cannot overflow past the check above
        peso /= 10;
    }
    return valor;
}

}   // namespace

QString TMonetario::Inteiros(qint64 Unidades, bool Agrupa)
{
    QString texto = QString::number(Unidades);
    if (Agrupa)
        for (qsizetype i = texto.size() - 3; i > 0; i -= 3)
            texto.insert(i, TFormatSettings::Programa().ThousandSeparator);
    return texto;
}

qint64 TMonetario::Centavos() const
{
    // Rounded half up without adding first: a total may reach what 64 bits hold.
    const qint64 valor = GetValorPositivo();
    return valor / 100 + (valor % 100 >= 50 ? 1 : 0);
}

QString TMonetario::GetTexto() const
{
    const qint64 centavos = Centavos();
    return Inteiros(centavos / 100, false) + Decimal()
        + QString::number(centavos % 100).rightJustified(2, QLatin1Char('0'));
}

QString TMonetario::GetTextoFormatado() const
{
    const qint64 centavos = Centavos();
    return Inteiros(centavos / 100, true) + Decimal()
        + QString::number(centavos % 100).rightJustified(2, QLatin1Char('0'));
}

void TMonetario::SetTexto(const QString& Texto)
{
    QString limpo = Texto;
    LimpaTexto(limpo);
    if (limpo.isEmpty()) {
        Limpa();
        return;
    }
    // A separator alone is no amount, rather than one too long to hold.
    if (limpo == Decimal())
        throw EMonetarioInvalido(CodigoMensagem::ValorInvalido, QString(), 0);
    const auto valor = Converte(limpo);
    if (!valor)
        LevantaLimite(limpo);
    VerificaLimite(*valor);
    SetValor(*valor);
}

void TMonetario::SetValor(qint64 Valor)
{
    if (Valor == FValor)
        return;
    FValor = Valor;
    Notifica();
}

void TMonetario::VerificaLimite(qint64 Valor) const
{
    if (Valor > Maximo)
        LevantaLimite();
}

void TMonetario::Limpa()
{
    FValor = 0;
    Notifica();
}

void TMonetario::LimpaTexto(QString& Texto)
{
    QString limpo;
    limpo.reserve(Texto.size());
    bool separador = false;
    int decimais = 0;
    for (const QChar c : Texto) {
        if (separador && decimais == 3)
            break;   // everything after the third decimal goes
        if (EhDigito(c)) {
            limpo += c;
            if (separador)
                ++decimais;
        } else if (c == Decimal() && !separador) {
            limpo += c;
            separador = true;
        }
    }
    Texto = limpo;
}

TMonetario::TDigitacao TMonetario::Digitacao(const QString& Texto, int SelStart, int SelLength, QChar Tecla)
{
    constexpr int MaximoDeInteiros = 11;
    const int fimSelecao = SelStart + SelLength;
    const int separador = static_cast<int>(Texto.indexOf(Decimal()));
    const bool separadorSelecionado = separador >= 0 && SelStart <= separador && separador < fimSelecao;
    // Where the decimals begin (1-based), once the selection is gone.
    const int p = separador < 0 || separadorSelecionado ? static_cast<int>(Texto.size()) + 1 : separador + 1;
    const int n = p - SelLength;
    if (Tecla == u'.' || Tecla == u',') {
        const bool outroSeparador = separador >= 0 && !separadorSelecionado;
        if (SelStart < n && SelStart <= MaximoDeInteiros && !outroSeparador)
            return {Decimal()};
        return {};
    }
    if (EhDigito(Tecla)) {
        if (SelStart < n) {
            if (SelStart >= MaximoDeInteiros || n > MaximoDeInteiros)
                return {};
            return {Tecla};
        }
        if (SelStart == n)
            return {Tecla};
        if (SelStart == n + 1)
            return {Tecla, true};
        return {};
    }
    if (Tecla.unicode() >= 32)
        return {};
    return {Tecla};
}

std::optional<QString> TMonetario::Quantia(const QString& Texto)
{
    // Digits in groups of three after the first when separated, then up to two decimals.
    static const QRegularExpression quantia(
        QStringLiteral("^\\s*(?:R\\$\\s*)?([0-9]{1,3}(?:%1[0-9]{3})+|[0-9]*)(%2[0-9]{1,2})?\\s*$")
            .arg(QRegularExpression::escape(TFormatSettings::Programa().ThousandSeparator),
                 QRegularExpression::escape(Decimal())),
        QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch achado = quantia.match(Texto);
    if (!achado.hasMatch() || (achado.capturedLength(1) == 0 && achado.capturedLength(2) == 0))
        return std::nullopt;
    return achado.captured(1).remove(TFormatSettings::Programa().ThousandSeparator) + achado.captured(2);
}

QString TMonetario::QuantiaColada(const QString& Texto)
{
    const std::optional<QString> quantia = Quantia(Texto);
    if (!quantia)
        throw EMonetarioInvalido(CodigoMensagem::ValorInvalido, QString(), 0);
    const auto valor = Converte(*quantia);
    if (!valor || *valor > Maximo)
        LevantaLimite();
    // Leading zeros go, one is kept before the separator.
    QString texto = *quantia;
    qsizetype zeros = 0;
    while (zeros + 1 < texto.size() && texto[zeros] == u'0' && texto[zeros + 1] != Decimal())
        ++zeros;
    return texto.remove(0, zeros);
}

std::uint8_t TMonetario::SetTextoSemSeparador(QStringView Texto)
{
    // The width of a file's column (15) or less, from two digits on: checked and summed in one
    // pass, as nothing there can overflow.
    if (Texto.size() >= 2 && Texto.size() <= 15) {
        qint64 digitos = 0;
        const char16_t* p = Texto.utf16();
        const char16_t* fim = p + Texto.size();
        // A column of zeros, as most of a file's are (deductions, the 13th salary), told by
        // comparing four characters at a time, the last four overlapping the others.
        if (Texto.size() >= 4) {
            std::uint64_t diferenca = 0;
            for (const char16_t* q = p; q + 4 <= fim; q += 4)
                diferenca |= Quatro(q) ^ QuatroZeros;
            diferenca |= Quatro(fim - 4) ^ QuatroZeros;
            if (diferenca == 0) {
                SetValor(0);
                return 0;
            }
        }
        for (qsizetype resto = Texto.size() % 4; resto > 0; --resto, ++p) {
            const unsigned d = static_cast<unsigned>(*p) - '0';
            if (d > 9)
                return CodigoMensagem::ValorInvalido;
            digitos = digitos * 10 + d;
        }
        for (; p < fim; p += 4) {
            // Leading zeros add nothing: most of a 15-digit column is.
            if (digitos == 0 && Quatro(p) == QuatroZeros)
                continue;
            if (!QuatroDigitos(p, digitos))
                return CodigoMensagem::ValorInvalido;
        }
        // The last two digits are the cents.
        if (digitos > Maximo / (Escala / 100))
            return CodigoMensagem::ValorExcessivo;
        SetValor(digitos * (Escala / 100));
        return 0;
    }
    if (Texto.isEmpty() || !SoNumeros(Texto))
        return CodigoMensagem::ValorInvalido;
    // The last two digits are the cents; a single digit gets the separator in front of it, so "5"
    // reads as 0,50. Read in place: an import reads tens of values per line.
    const qsizetype inteiros = Texto.size() < 2 ? 0 : Texto.size() - 2;
    qint64 valor = 0;
    for (qsizetype i = 0; i < inteiros; ++i)
        if (__builtin_mul_overflow(valor, 10, &valor)
            || __builtin_add_overflow(valor, Texto[i].unicode() - '0', &valor))
            return CodigoMensagem::ValorInvalido;
    if (__builtin_mul_overflow(valor, Escala, &valor))
        return CodigoMensagem::ValorInvalido;
    qint64 peso = Escala / 10;
    for (qsizetype i = inteiros; i < Texto.size(); ++i, peso /= 10)
        valor += (Texto[i].unicode() - '0') * peso;
    if (valor > Maximo)
        return CodigoMensagem::ValorExcessivo;
    SetValor(valor);
    return 0;
}

QString TMonetario::GetTextoArquivo() const
{
    if (GetValorPositivo() > Maximo)
        LevantaLimite();
    return QString::number(Centavos()).rightJustified(15, QLatin1Char('0'));
}

qint64 TMonetario::SomaExata(qint64 A, qint64 B)
{
    qint64 resultado = 0;
    if (__builtin_add_overflow(A, B, &resultado))
        LevantaLimite();
    return resultado;
}

qint64 TMonetario::SubtracaoExata(qint64 A, qint64 B)
{
    qint64 resultado = 0;
    if (__builtin_sub_overflow(A, B, &resultado))
        LevantaLimite();
    return resultado;
}

void TMonetario::Soma(const TMonetario& Outro)
{
    FValor = SomaExata(FValor, Outro.GetValorPositivo());
}

void TMonetario::Subtrai(const TMonetario& Outro)
{
    FValor = SubtracaoExata(FValor, Outro.GetValorPositivo());
}

QString TNumero::GetTexto() const
{
    return Inteiros((GetValorPositivo() + Escala / 2) / Escala, false);
}

QString TNumero::GetTextoFormatado() const
{
    return Inteiros((GetValorPositivo() + Escala / 2) / Escala, true);
}
