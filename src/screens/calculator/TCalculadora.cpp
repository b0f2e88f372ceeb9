#include "screens/calculator/TCalculadora.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr long double Limite = 99999999999.99L;
constexpr int MaximoInteiros = 11;
constexpr int DecimaisDaFigura = 9;

QString Agrupa(const QString& digitos)
{
    QString r;
    const auto n = digitos.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            r += QLatin1Char('.');
        r += digitos.at(i);
    }
    return r;
}

}   // namespace

TCalculadora::TCalculadora() = default;

long double TCalculadora::Numero(const QString& entrada)
{
    long double inteiro = 0;
    long double fracao = 0;
    long double escala = 1;
    bool decimais = false;
    for (const QChar c : entrada) {
        if (c == u',') {
            decimais = true;
        } else if (c >= u'0' && c <= u'9') {
            const int d = c.unicode() - u'0';
            if (decimais) {
                escala /= 10;
                fracao += d * escala;
            } else {
                inteiro = inteiro * 10 + d;
            }
        }
    }
    const long double v = inteiro + fracao;
    return entrada.startsWith(QLatin1Char('-')) ? -v : v;
}

QString TCalculadora::ComoNumero(long double valor)
{
    const long double a = std::fabs(valor);
    int digitos = 1;
    for (long double p = 10; p <= a && digitos < 20; p *= 10)
        ++digitos;
    QString s = QString::number(static_cast<double>(valor), 'f', std::max(0, 15 - digitos));
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString TCalculadora::TextoVisor(long double valor, bool digitando, const QString& entrada, TCasas casas, bool& erro)
{
    erro = false;
    const long double a = std::fabs(valor);
    long double inteiro = std::floor(a);
    long long fracao = std::llround((a - inteiro) * 1e9L);
    if (fracao >= 1000000000LL) {
        inteiro += 1;
        fracao -= 1000000000LL;
    }
    if (inteiro >= 1e11L) {
        erro = true;
        return {};
    }
    const QString digitos = QString::number(static_cast<long long>(inteiro));
    const QString decimais = QString::number(fracao).rightJustified(DecimaisDaFigura, QLatin1Char('0'));
    // Every digit must fit the display's cells: decimals give way to the integer part.
    const int cabem = std::max(0, DigitosVisor - static_cast<int>(digitos.size()));
    int casasMostradas = 0;
    bool virgula = false;
    if (digitando) {
        const auto pos = entrada.indexOf(QLatin1Char(','));
        virgula = pos >= 0;
        casasMostradas = virgula ? std::min(static_cast<int>(entrada.size() - pos - 1), cabem) : 0;
    } else {
        switch (casas) {
        case TCasas::Fixa2:
            casasMostradas = std::min(2, cabem);
            break;
        case TCasas::Fixa4:
            casasMostradas = std::min(4, cabem);
            break;
        case TCasas::Livre:
            casasMostradas = std::min(DecimaisDaFigura, cabem);
            while (casasMostradas > 0 && decimais.at(casasMostradas - 1) == u'0')
                --casasMostradas;
            break;
        }
        virgula = casasMostradas > 0;
    }
    QString texto = Agrupa(digitos);
    if (virgula)
        texto += QLatin1Char(',') + decimais.left(casasMostradas);
    if (valor < 0)
        texto.prepend(QLatin1Char('-'));
    return texto;
}

void TCalculadora::Atualiza(bool digitando)
{
    bool erro = false;
    const QString texto = TextoVisor(FValor, digitando, FEntrada, FCasas, erro);
    if (erro) {
        FErro = true;
        FMarca = true;
        return;
    }
    FErro = false;
    FVisor = texto;
    FNegativo = FValor < 0;
}

void TCalculadora::Anota(const QString& texto, const QString& sinal)
{
    FFita.push_back({texto, sinal});
}

void TCalculadora::Digito(int d)
{
    if (d < 0 || d > 9)
        return;
    if (!FMarca) {
        const bool virgula = FEntrada.contains(QLatin1Char(','));
        if ((!virgula && FEntrada.size() >= MaximoInteiros) || (virgula && FEntrada.size() >= 15))
            return;
    } else {
        FEntrada.clear();
        FValor = 0;
        FMarca = false;
    }
    FEntrada += QChar(u'0' + d);
    FValor = Numero(FEntrada);
    Atualiza(true);
}

void TCalculadora::Virgula()
{
    if (!FMarca) {
        if (FEntrada.size() >= 12 || FEntrada.contains(QLatin1Char(',')))
            return;
    } else {
        FEntrada = QStringLiteral("0");
        FValor = 0;
        FMarca = false;
    }
    FEntrada += QLatin1Char(',');
    Atualiza(true);
}

bool TCalculadora::Executa()
{
    long double r = 0;
    bool falhou = false;
    switch (FPendente.unicode()) {
    case u'+':
        r = FAcumulador + FValor;
        break;
    case u'-':
        r = FAcumulador - FValor;
        break;
    case u'x':
        r = FAcumulador * FValor;
        break;
    case u'/':
        if (FValor == 0)
            falhou = true;
        else
            r = FAcumulador / FValor;
        break;
    default:
        r = FValor;
        break;
    }
    FIndicador = QChar();
    if (falhou || r > Limite) {
        FErro = true;
        FMarca = true;
        FEntrada.clear();
        FValor = 0;
        FAcumulador = 0;
        FPendente = QChar();
        Anota(QStringLiteral("** Erro **"), QString());
        return false;
    }
    FValor = r;
    FEntrada = ComoNumero(r);
    Atualiza(false);
    return true;
}

void TCalculadora::Operacao(QChar sinal)
{
    if (!FPendente.isNull() && !FMarca) {
        Anota(FVisor, QString(FPendente));
        if (!Executa())
            return;
        Anota(FVisor, QStringLiteral("="));
    }
    FAcumulador = FValor;
    FPendente = sinal;
    Anota(FVisor, QString(sinal));
    FIndicador = sinal;
    FMarca = true;
    Atualiza(false);
}

void TCalculadora::Resultado()
{
    if (FPendente.isNull())
        return;
    Anota(FVisor, QStringLiteral(" "));
    if (!Executa())
        return;
    Anota(FVisor, QStringLiteral("="));
    FPendente = QChar();
    FMarca = true;
    Atualiza(false);
}

void TCalculadora::TrocaSinal()
{
    FValor = -FValor;
    FEntrada = ComoNumero(FValor);
    Atualiza(true);
    Anota(FVisor, QStringLiteral("="));
}

void TCalculadora::CE()
{
    if (FMarca && !FPendente.isNull()) {
        FPendente = QChar();
        FIndicador = QChar();
    } else if (FMarca) {
        AC();
    } else {
        FEntrada.chop(1);
        FValor = Numero(FEntrada);
        Atualiza(true);
    }
}

void TCalculadora::AC()
{
    // A second AC, with nothing left to clear, clears the memory too.
    if (FEntrada.isEmpty() && FAcumulador == 0 && FPendente.isNull()) {
        FMemoria = 0;
        FMemoriaVisivel = false;
    }
    FEntrada.clear();
    FValor = 0;
    FAcumulador = 0;
    FPendente = QChar();
    FMarca = false;
    FIndicador = QChar();
    FErro = false;
    FNegativo = false;
    FVisor = QStringLiteral("0");
    Anota(QStringLiteral("0"), QStringLiteral("C"));
}

void TCalculadora::MC()
{
    FMemoria = 0;
    FMemoriaVisivel = false;
}

void TCalculadora::MR()
{
    if (FMemoria != FValor) {
        FValor = FMemoria;
        FEntrada = ComoNumero(FValor);
        FMarca = true;
        Atualiza(false);
    } else {
        FMemoria = 0;
        FMemoriaVisivel = false;
    }
    Anota(FVisor, QStringLiteral("M"));
}

void TCalculadora::MSoma()
{
    FMemoria += FValor;
    FMemoriaVisivel = true;
}

void TCalculadora::MSubtrai()
{
    FMemoria -= FValor;
    FMemoriaVisivel = true;
}

void TCalculadora::RecebeValor(long double valor)
{
    FValor = valor;
    FEntrada = ComoNumero(valor);
    FMarca = false;
    Atualiza(true);
}

void TCalculadora::SetCasas(TCasas casas)
{
    FCasas = casas;
    if (!FErro)
        Atualiza(false);
}

bool TCalculadora::Tecla(QChar c)
{
    c = c.toUpper();
    if (FModoMemoria) {
        FModoMemoria = false;
        switch (c.unicode()) {
        case u'+':
            MSoma();
            return true;
        case u'-':
            MSubtrai();
            return true;
        case u'C':
            MC();
            return true;
        case u'R':
            MR();
            return true;
        default:
            break;   // not a memory key: an ordinary one
        }
    }
    switch (c.unicode()) {
    case 8:
        CE();
        return true;
    case 13:
    case u'=':
        Resultado();
        return true;
    case 27:
    case u'C':
        AC();
        return true;
    case u'*':
        Operacao(u'x');
        return true;
    case u'+':
    case u'-':
    case u'/':
        Operacao(c);
        return true;
    case u',':
    case u'.':
        Virgula();
        return true;
    case u'S':
        TrocaSinal();
        return true;
    case u'M':
        FModoMemoria = true;
        return true;
    default:
        if (c >= u'0' && c <= u'9') {
            Digito(c.unicode() - u'0');
            return true;
        }
        return false;
    }
}
