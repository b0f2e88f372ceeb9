#include "model/people/TNi.h"

#include <algorithm>
#include <utility>

#include "model/values/TErro.h"
#include "model/values/TratamentoTexto.h"

namespace {

// Modulo 11 over the root and then over the root with its first digit, weights 2, 3, ...
// from the right, back to 2 after pesoMaximo. False when the root is not that many digits.
// Numbers are checked for every item saved or imported: nothing here allocates.
bool DigitosVerificadores(QStringView raiz, qsizetype tamanho, int pesoMaximo, char16_t (&dv)[2])
{
    if (raiz.size() != tamanho)
        return false;
    for (const QChar c : raiz)
        if (!EhDigito(c))
            return false;
    for (int rodada = 0; rodada < 2; ++rodada) {
        int soma = 0;
        int peso = 2;
        if (rodada == 1) {
            soma = (dv[0] - u'0') * peso;
            peso = peso == pesoMaximo ? 2 : peso + 1;
        }
        for (qsizetype i = raiz.size() - 1; i >= 0; --i) {
            soma += (raiz.at(i).unicode() - u'0') * peso;
            peso = peso == pesoMaximo ? 2 : peso + 1;
        }
        int digito = 11 - soma % 11;
        if (digito >= 10)
            digito = 0;
        dv[rodada] = static_cast<char16_t>(u'0' + digito);
    }
    return true;
}

QString DigitosVerificadores(const QString& raiz, qsizetype tamanho, int pesoMaximo)
{
    char16_t dv[2];
    if (!DigitosVerificadores(raiz, tamanho, pesoMaximo, dv))
        return {};
    return QString(reinterpret_cast<const QChar*>(dv), 2);
}

// The number's own check digits (the last two) agree with its root.
bool ConfereDigitos(const QString& numero, int pesoMaximo)
{
    char16_t dv[2];
    return DigitosVerificadores(QStringView(numero).first(numero.size() - 2), numero.size() - 2, pesoMaximo, dv)
        && numero.at(numero.size() - 2) == QChar(dv[0]) && numero.at(numero.size() - 1) == QChar(dv[1]);
}

QString Mascara(const QString& digitos, std::initializer_list<std::pair<qsizetype, char>> separadores)
{
    QString resultado(digitos.size() + static_cast<qsizetype>(separadores.size()), Qt::Uninitialized);
    QChar* destino = resultado.data();
    qsizetype copiados = 0;
    for (const auto& [posicao, separador] : separadores) {
        destino = std::copy(digitos.constData() + copiados, digitos.constData() + posicao, destino);
        *destino++ = QLatin1Char(separador);
        copiados = posicao;
    }
    std::copy(digitos.constData() + copiados, digitos.constData() + digitos.size(), destino);
    return resultado;
}

}   // namespace

QString RemoveMascara(const QString& Texto)
{
    const auto mascara = [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char('-');
    };
    // Numbers are mostly held bare and asked for many times an item: those are shared as they are.
    if (!Texto.isEmpty() && std::none_of(Texto.begin(), Texto.end(), mascara))
        return Texto;
    QString resultado;
    resultado.reserve(Texto.size());
    for (QChar c : Texto)
        if (!mascara(c))
            resultado += c;
    return resultado;
}

QString CalculaDVCpf(const QString& Raiz)
{
    return DigitosVerificadores(Raiz, 9, 11);
}

QString CalculaDVCnpj(const QString& Raiz)
{
    return DigitosVerificadores(Raiz, 12, 9);
}

std::uint8_t ValidaCpf(const QString& Texto, bool PermiteVazio)
{
    if (Texto.isEmpty())
        return PermiteVazio ? 0 : CodigoMensagem::CpfAusente;
    if (Texto.size() != 11)
        return CodigoMensagem::CpfInvalido;
    if (!ConfereDigitos(Texto, 11))
        return CodigoMensagem::CpfInvalido;
    // Their check digits agree, yet they are no one's number.
    if (QStringLiteral("00000000000 99999999999").contains(Texto))
        return CodigoMensagem::CpfInvalido;
    return 0;
}

std::uint8_t ValidaCnpj(const QString& Texto, bool MatrizObrigatoria, bool PermiteVazio)
{
    if (Texto.isEmpty())
        return PermiteVazio ? 0 : CodigoMensagem::CnpjAusente;
    if (Texto.size() != 14)
        return CodigoMensagem::CnpjInvalido;
    const QStringView ordem = QStringView(Texto).mid(8, 4);
    if (ordem == u"0000")
        return CodigoMensagem::CnpjInvalido;
    if (!ConfereDigitos(Texto, 9))
        return CodigoMensagem::CnpjInvalido;
    if (MatrizObrigatoria && ordem != u"0001")
        return CodigoMensagem::FundoForaDaMatriz;
    return 0;
}

std::uint8_t TipoPorTamanho(const QString& Texto)
{
    const qsizetype n = Texto.size();
    if (n == 9 || n == 11)
        return 1;
    if (n >= 12)
        return 2;
    return 0;
}

std::uint8_t ValidaInscricao(const QString& Texto, std::uint8_t Tipo, bool MatrizObrigatoria, bool PermiteVazio)
{
    if (Tipo == 0)
        Tipo = TipoPorTamanho(Texto);
    if (Tipo == 1)
        return ValidaCpf(Texto, PermiteVazio);
    if (Tipo == 2)
        return ValidaCnpj(Texto, MatrizObrigatoria, PermiteVazio);
    return CodigoMensagem::NiInvalido;
}

QString FormataCpf(const QString& Texto)
{
    return Texto.size() == 11 ? Mascara(Texto, {{3, '.'}, {6, '.'}, {9, '-'}}) : Texto;
}

QString FormataCnpj(const QString& Texto)
{
    return Texto.size() == 14 ? Mascara(Texto, {{2, '.'}, {5, '.'}, {8, '/'}, {12, '-'}}) : Texto;
}

void FormataNi(QString& Texto)
{
    const QString digitos = RemoveMascara(Texto);
    switch (TipoPorTamanho(digitos)) {
    case 1:
        Texto = FormataCpf(digitos);
        break;
    case 2:
        Texto = FormataCnpj(digitos);
        break;
    default:
        break;
    }
}

QString CalculaDV(const QString& Raiz)
{
    switch (TipoPorTamanho(Raiz)) {
    case 1:
        return CalculaDVCpf(Raiz);
    case 2:
        return CalculaDVCnpj(Raiz);
    default:
        return {};
    }
}

QString ObtemOrdemCnpj(const QString& Texto, bool PermiteVazio)
{
    const QString numero = RemoveMascara(Texto);
    if (ValidaInscricao(numero, 0, false, PermiteVazio) == 0 && TipoPorTamanho(numero) == 2)
        return numero.mid(8, 4);
    return {};
}

std::uint8_t TNi::Confere(const QString& Texto, QString& Numero, QString& Formatado) const
{
    Numero = RemoveMascara(Texto);
    Formatado = Formata(Numero);
    return Valida(Numero);
}

void TNi::SetNi(const QString& Texto)
{
    QString numero;
    QString formatado;
    const std::uint8_t codigo = Confere(Texto, numero, formatado);
    if (codigo != 0)
        throw EContribuinteInvalido(codigo, formatado, 0);
    FNi = std::move(numero);
    FNiFormatado = std::move(formatado);
    Notifica();
}

void TNi::SetNiSemExcecao(const QString& Texto)
{
    QString numero;
    QString formatado;
    const std::uint8_t codigo = Confere(Texto, numero, formatado);
    FNi = std::move(numero);
    FNiFormatado = std::move(formatado);
    Notifica();
    if (codigo != 0)
        RegistraErro(FErros, EContribuinteInvalido(codigo, FNiFormatado, 0));
}

void TNi::Limpa()
{
    FNi.clear();
    FNiFormatado.clear();
    Notifica();
}

void TNi::SetRaiz(const QString& Raiz)
{
    const QString raiz = RemoveMascara(Raiz);
    SetNi(raiz + CalculaDV(raiz));
}

void TNi::SetRaizSemExcecao(const QString& Raiz)
{
    const QString raiz = RemoveMascara(Raiz);
    SetNiSemExcecao(raiz + CalculaDV(raiz));
}
