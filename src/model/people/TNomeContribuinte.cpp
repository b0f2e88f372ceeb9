#include "model/people/TNomeContribuinte.h"

#include <QStringList>

#include "model/values/TErro.h"
#include "model/values/TTexto.h"

namespace {

// Letters with the accents a name may carry: À Á Â Ã Ç É Ê Í Ó Ô Õ Ú Ü and their small forms.
bool EhLetraAcentuada(char16_t c)
{
    switch (c) {
    case 0xC0:
    case 0xC1:
    case 0xC2:
    case 0xC3:
    case 0xC7:
    case 0xC9:
    case 0xCA:
    case 0xCD:
    case 0xD3:
    case 0xD4:
    case 0xD5:
    case 0xDA:
    case 0xDC:
    case 0xE0:
    case 0xE1:
    case 0xE2:
    case 0xE3:
    case 0xE7:
    case 0xE9:
    case 0xEA:
    case 0xED:
    case 0xF3:
    case 0xF4:
    case 0xF5:
    case 0xFA:
    case 0xFC:
        return true;
    default:
        return false;
    }
}

bool EhLetraSimples(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool PodeEmPessoaJuridica(char16_t c)
{
    return c == u' ' || c == u'&' || c == u'\'' || (c >= 0x2C && c <= 0x39) || (c >= 0x40 && c <= 0x5A) || c == u'\\'
        || (c >= 0x61 && c <= 0x7A) || EhLetraAcentuada(c);
}

bool PodeEmPessoaFisica(char16_t c)
{
    return c == u' ' || c == u'\'' || c == u'.' || EhLetraSimples(c) || EhLetraAcentuada(c);
}

QString UmBrancoEntrePalavras(const QString& nome)
{
    // Most names have no double blank: those are shared as they are, nothing copied.
    if (!nome.contains(QLatin1String("  ")))
        return nome;
    QString resultado(nome.size(), Qt::Uninitialized);
    QChar* fim = resultado.data();
    for (QChar c : nome)
        if (!(c == QLatin1Char(' ') && fim != resultado.constData() && fim[-1] == QLatin1Char(' ')))
            *fim++ = c;
    resultado.truncate(fim - resultado.constData());
    return resultado;
}

bool TemTresIguais(QStringView palavra)
{
    for (qsizetype i = 2; i < palavra.size(); ++i)
        if (palavra[i] == palavra[i - 1] && palavra[i] == palavra[i - 2])
            return true;
    return false;
}

std::uint8_t ConferePessoaJuridica(const QString& nome)
{
    for (QChar c : nome)
        if (!PodeEmPessoaJuridica(c.unicode()))
            return CodigoMensagem::CaracteresInvalidosNoNome;
    return nome.size() < 3 ? CodigoMensagem::NomeEmpresarialInvalido : 0;
}

std::uint8_t ConferePessoaFisica(const QString& nome)
{
    for (QChar c : nome) {
        if (c.unicode() >= u'0' && c.unicode() <= u'9')
            return CodigoMensagem::AlgarismosNoNome;
        if (!PodeEmPessoaFisica(c.unicode()))
            return CodigoMensagem::CaracteresInvalidosNoNome;
    }
    // The words, as views: a name is checked for every item saved or imported.
    QStringView palavras[16];
    qsizetype quantas = 0;
    for (const QStringView palavra : QStringView(nome).tokenize(u' ', Qt::SkipEmptyParts)) {
        if (quantas == 15)
            return CodigoMensagem::NomeComMaisDeQuinzePartes;
        palavras[quantas++] = palavra;
    }
    if (quantas == 0)
        return CodigoMensagem::PrimeiroNomeCurto;
    for (qsizetype i = 0; i < quantas; ++i) {
        const QStringView palavra = palavras[i].left(30);
        if (quantas == 1 && palavra.size() == 1)
            return CodigoMensagem::PrimeiroNomeCurto;
        if (palavra.size() > 20)
            return CodigoMensagem::PalavraLongaNoNome;
        // Roman numerals close a name: "III" is allowed there, and only there.
        const bool ultimaEhIII = i == quantas - 1 && palavra == QLatin1String("III");
        if (!ultimaEhIII && TemTresIguais(palavra))
            return CodigoMensagem::RepeticaoNoNome;
    }
    return 0;
}

}   // namespace

std::uint8_t ConfereNome(QString& Nome, std::uint8_t Tipo, bool PermiteVazio)
{
    Nome = UmBrancoEntrePalavras(TTexto::Apara(Nome));
    if (Nome.isEmpty() && PermiteVazio)
        return 0;
    switch (Tipo) {
    case 0:
    case 2:
        return ConferePessoaJuridica(Nome);
    case 1:
        return ConferePessoaFisica(Nome);
    default:
        return 0;
    }
}

std::uint8_t TNomeContribuinte::Confere(const QString& Nome, QString& Conferido)
{
    const bool vazio = PermiteVazio();
    if (!FUltima.Feita || FUltima.Tipo != FTipo || FUltima.PermiteVazio != vazio || FUltima.Dado != Nome) {
        QString nome = Nome;
        FUltima.Codigo = ConfereNome(nome, FTipo, vazio);
        FUltima.Conferido = nome;
        FUltima.Dado = Nome;
        FUltima.Tipo = FTipo;
        FUltima.PermiteVazio = vazio;
        FUltima.Feita = true;
    }
    Conferido = FUltima.Conferido;
    return FUltima.Codigo;
}

void TNomeContribuinte::SetTexto(const QString& Nome)
{
    QString nome;
    const std::uint8_t codigo = Confere(Nome, nome);
    if (codigo != 0)
        throw EContribuinteInvalido(codigo, nome, 0);
    FNome = nome;
    Notifica();
}

void TNomeContribuinte::SetNomeSemExcecao(const QString& Nome)
{
    QString nome;
    const std::uint8_t codigo = Confere(Nome, nome);
    FNome = nome;
    Notifica();
    if (codigo != 0)
        RegistraErro(FErros, EContribuinteInvalido(codigo, nome, 0));
}

void TNomeContribuinte::Limpa()
{
    FNome.clear();
    Notifica();
}
