#include "platform/files/TIniFile.h"

#include <QFile>
#include <QHash>
#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

#include "platform/files/AbreArquivoComum.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TFalhasDeArquivo.h"
#include "platform/files/TMotivoSistema.h"

namespace {

struct Linha {
    enum class Tipo { Secao, Chave, Outra };
    QString texto;   // as in the file, without its line end
    Tipo tipo = Tipo::Outra;
    QString nome;   // section or key name, trimmed

    [[nodiscard]] QString Valor() const { return texto.mid(texto.indexOf(QLatin1Char('=')) + 1); }
};

// Names are stored trimmed, so the name asked for is trimmed too: " Chave " finds what writing
// " Chave " stored.
bool MesmoNome(const QString& guardado, const QString& pedido)
{
    return guardado.compare(pedido.trimmed(), Qt::CaseInsensitive) == 0;
}

Linha Analisa(const QString& texto)
{
    Linha linha{texto, Linha::Tipo::Outra, {}};
    const QString limpo = texto.trimmed();
    if (limpo.startsWith(QLatin1Char('['))) {
        const qsizetype fecho = limpo.indexOf(QLatin1Char(']'));
        if (fecho > 0) {
            linha.tipo = Linha::Tipo::Secao;
            linha.nome = limpo.mid(1, fecho - 1).trimmed();
        }
    } else if (!limpo.startsWith(QLatin1Char(';'))) {
        const qsizetype igual = texto.indexOf(QLatin1Char('='));
        if (igual >= 0 && !texto.left(igual).trimmed().isEmpty()) {
            linha.tipo = Linha::Tipo::Chave;
            linha.nome = texto.left(igual).trimmed();
        }
    }
    return linha;
}

class Conteudo {
public:
    // nullopt when the file exists but cannot be read, its reason in erro and its error number in
    // erroSistema.
    static std::optional<Conteudo> Le(const QString& caminho, QString& erro, int& erroSistema)
    {
        Conteudo conteudo;
        QFile arquivo(caminho);
        // Never a fifo, which would hold the read for good, nor what a link points at.
        if (!AbreLeituraComum(arquivo, erro)) {
            if (errno == ENOENT)
                return conteudo;
            erroSistema = errno;
            return std::nullopt;
        }
        if (!TFalhasDeArquivo::Permite(TFalhasDeArquivo::Leitura, caminho, erro))
            return std::nullopt;
        const QByteArray bytes = arquivo.readAll();
        if (arquivo.error() != QFileDevice::NoError) {
            erroSistema = errno;
            erro = TMotivoSistema::Texto(errno);
            return std::nullopt;
        }
        for (const QByteArray& texto : TIniFile::Linhas(bytes))
            conteudo.FLinhas.push_back(Analisa(QString::fromLatin1(texto)));
        return conteudo;
    }

    static Conteudo LeParaConsulta(const QString& caminho)
    {
        QString erro;
        int numero = 0;
        return Le(caminho, erro, numero).value_or(Conteudo{});
    }

    static Conteudo LeParaAlterar(const QString& caminho)
    {
        QString erro;
        int erroSistema = 0;
        auto conteudo = Le(caminho, erro, erroSistema);
        if (!conteudo)
            throw EIniFile(QStringLiteral("não foi possível ler o arquivo %1: %2").arg(caminho, erro).toStdString(),
                           erroSistema);
        return std::move(*conteudo);
    }

    void Grava(const QString& caminho) const
    {
        QByteArray bytes;
        for (const Linha& linha : FLinhas) {
            bytes += linha.texto.toLatin1();
            bytes += "\r\n";
        }
        // Every step is checked up to the rename: a failure leaves the old file whole.
        TArquivoNovo arquivo;
        if (!(arquivo.Abre(caminho) && arquivo.Escreve(bytes) && arquivo.Confirma()))
            throw EIniFile(
                QStringLiteral("não foi possível gravar o arquivo %1: %2").arg(caminho, arquivo.Erro()).toStdString(),
                arquivo.ErroSistema());
    }

    // Index of the first header of that section, or -1.
    [[nodiscard]] qsizetype Secao(const QString& secao) const
    {
        for (qsizetype i = 0; i < Tamanho(); ++i)
            if (FLinhas[i].tipo == Linha::Tipo::Secao && MesmoNome(FLinhas[i].nome, secao))
                return i;
        return -1;
    }

    // One past the last line of the section whose header is at `cabecalho`.
    [[nodiscard]] qsizetype FimDaSecao(qsizetype cabecalho) const
    {
        qsizetype i = cabecalho + 1;
        while (i < Tamanho() && FLinhas[i].tipo != Linha::Tipo::Secao)
            ++i;
        return i;
    }

    // Index of the first line of that key in that section, or -1.
    [[nodiscard]] qsizetype Chave(const QString& secao, const QString& chave) const
    {
        const qsizetype cabecalho = Secao(secao);
        if (cabecalho < 0)
            return -1;
        for (qsizetype i = cabecalho + 1, fim = FimDaSecao(cabecalho); i < fim; ++i)
            if (FLinhas[i].tipo == Linha::Tipo::Chave && MesmoNome(FLinhas[i].nome, chave))
                return i;
        return -1;
    }

    [[nodiscard]] std::vector<const Linha*> ChavesDaSecao(const QString& secao) const
    {
        std::vector<const Linha*> chaves;
        const qsizetype cabecalho = Secao(secao);
        if (cabecalho < 0)
            return chaves;
        for (qsizetype i = cabecalho + 1, fim = FimDaSecao(cabecalho); i < fim; ++i)
            if (FLinhas[i].tipo == Linha::Tipo::Chave)
                chaves.push_back(&FLinhas[i]);
        return chaves;
    }

    [[nodiscard]] qsizetype Tamanho() const { return static_cast<qsizetype>(FLinhas.size()); }
    [[nodiscard]] const std::vector<Linha>& Linhas() const { return FLinhas; }
    std::vector<Linha>& Linhas() { return FLinhas; }

private:
    std::vector<Linha> FLinhas;
};

// The file's lines cut at its section headers, each section's keys found by their folded names:
// writing a key costs the same however many keys the file holds. Where a name comes twice, the
// first section and the first key of it are the ones written, as a read finds them.
class Edicao {
public:
    explicit Edicao(Conteudo& Lido)
        : FLido(Lido)
    {
        FBlocos.emplace_back();   // the lines before the first header
        for (Linha& linha : Lido.Linhas()) {
            if (linha.tipo == Linha::Tipo::Secao) {
                Primeiro(FSecoes, linha.nome, FBlocos.size());
                FBlocos.emplace_back();
            }
            FBlocos.back().linhas.push_back(std::move(linha));
        }
    }

    // True when the file changes.
    bool Escreve(const QString& secao, const QString& chave, const QString& valor)
    {
        const QString dono = secao.trimmed().toCaseFolded();
        const auto achada = FSecoes.constFind(dono);
        if (achada == FSecoes.cend()) {
            FSecoes.insert(dono, FBlocos.size());
            FBlocos.emplace_back();
            FBlocos.back().linhas.push_back(Analisa(QLatin1Char('[') + secao.trimmed() + QLatin1Char(']')));
            FBlocos.back().linhas.push_back(Analisa(chave.trimmed() + QLatin1Char('=') + valor));
            return true;
        }
        Bloco& bloco = FBlocos[achada.value()];
        if (!bloco.indexado) {
            for (std::size_t i = 1; i < bloco.linhas.size(); ++i)
                if (bloco.linhas[i].tipo == Linha::Tipo::Chave)
                    Primeiro(bloco.chaves, bloco.linhas[i].nome, i);
            bloco.indexado = true;
        }
        const QString nome = chave.trimmed().toCaseFolded();
        if (const auto existente = bloco.chaves.constFind(nome); existente != bloco.chaves.cend()) {
            Linha& linha = bloco.linhas[existente.value()];
            if (linha.Valor() == valor)
                return false;
            // The key keeps its spelling and spacing; only the value changes.
            linha.texto = linha.texto.left(linha.texto.indexOf(QLatin1Char('=')) + 1) + valor;
            return true;
        }
        // After the section's last non-blank line, so that blank separators stay before the next
        // one: only blank lines move, so no key changes place.
        std::size_t posicao = bloco.linhas.size();
        while (posicao > 1 && bloco.linhas[posicao - 1].texto.trimmed().isEmpty())
            --posicao;
        bloco.linhas.insert(bloco.linhas.begin() + static_cast<std::ptrdiff_t>(posicao),
                            Analisa(chave.trimmed() + QLatin1Char('=') + valor));
        bloco.chaves.insert(nome, posicao);
        return true;
    }

    // The lines, whole again, in the content read.
    Conteudo& Junta()
    {
        auto& linhas = FLido.Linhas();
        linhas.clear();
        for (Bloco& bloco : FBlocos)
            for (Linha& linha : bloco.linhas)
                linhas.push_back(std::move(linha));
        FBlocos.clear();
        return FLido;
    }

private:
    static void Primeiro(QHash<QString, std::size_t>& Nomes, const QString& Nome, std::size_t Posicao)
    {
        const QString dobrado = Nome.toCaseFolded();
        if (!Nomes.contains(dobrado))
            Nomes.insert(dobrado, Posicao);
    }

    struct Bloco {
        std::vector<Linha> linhas;   // the header first, but in the lines before the first header
        QHash<QString, std::size_t> chaves;
        bool indexado = false;
    };
    Conteudo& FLido;
    std::vector<Bloco> FBlocos;
    QHash<QString, std::size_t> FSecoes;
};

void ConfereTexto(const QString& texto, const char* oque)
{
    for (const QChar c : texto)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() > 0xFF)
            throw EIniFile(std::string(oque)
                           + " de um arquivo de configuração não pode ter quebra de linha nem caractere fora do "
                             "alfabeto latino");
}

void ConfereNomes(const QString& secao, const QString& chave)
{
    ConfereTexto(secao, "o nome da seção");
    ConfereTexto(chave, "a chave");
    if (secao.trimmed().isEmpty() || secao.contains(QLatin1Char(']')))
        throw EIniFile("o nome da seção de um arquivo de configuração não pode ser vazio nem conter \"]\"");
    if (chave.trimmed().isEmpty() || chave.contains(QLatin1Char('=')) || chave.trimmed().startsWith(QLatin1Char(';'))
        || chave.trimmed().startsWith(QLatin1Char('[')))
        throw EIniFile("a chave de um arquivo de configuração não pode ser vazia, conter \"=\" nem começar por \";\" "
                       "ou \"[\"");
}

std::optional<int> Inteiro(const QString& texto)
{
    bool ok = false;
    const int valor = texto.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(valor) : std::nullopt;
}

}   // namespace

TIniFile::TIniFile(QString caminho)
    : FCaminho(std::move(caminho))
{}

QList<QByteArray> TIniFile::Linhas(const QByteArray& bytes)
{
    QList<QByteArray> linhas;
    qsizetype inicio = 0;
    while (inicio < bytes.size()) {
        qsizetype fim = bytes.indexOf('\n', inicio);
        if (fim < 0)
            fim = bytes.size();
        QByteArray linha = bytes.mid(inicio, fim - inicio);
        if (linha.endsWith('\r'))
            linha.chop(1);
        linhas << linha;
        inicio = fim + 1;
    }
    return linhas;
}

QString TIniFile::ReadString(const QString& secao, const QString& chave, const QString& padrao) const
{
    const Conteudo conteudo = Conteudo::LeParaConsulta(FCaminho);
    const qsizetype i = conteudo.Chave(secao, chave);
    return i < 0 ? padrao : conteudo.Linhas()[i].Valor();
}

QString TIniFile::ReadStringChecked(const QString& secao, const QString& chave, const QString& padrao) const
{
    const Conteudo conteudo = Conteudo::LeParaAlterar(FCaminho);
    const qsizetype i = conteudo.Chave(secao, chave);
    return i < 0 ? padrao : conteudo.Linhas()[i].Valor();
}

int TIniFile::ReadInteger(const QString& secao, const QString& chave, int padrao) const
{
    return Inteiro(ReadString(secao, chave, QString())).value_or(padrao);
}

bool TIniFile::ReadBool(const QString& secao, const QString& chave, bool padrao) const
{
    const auto valor = Inteiro(ReadString(secao, chave, QString()));
    return valor ? *valor != 0 : padrao;
}

QStringList TIniFile::ReadSection(const QString& secao) const
{
    QStringList nomes;
    const Conteudo conteudo = Conteudo::LeParaConsulta(FCaminho);
    for (const Linha* linha : conteudo.ChavesDaSecao(secao))
        nomes << linha->nome;
    return nomes;
}

QStringList TIniFile::ReadSections() const
{
    QStringList nomes;
    const Conteudo conteudo = Conteudo::LeParaConsulta(FCaminho);
    for (const Linha& linha : conteudo.Linhas())
        if (linha.tipo == Linha::Tipo::Secao)
            nomes << linha.nome;
    return nomes;
}

QStringList TIniFile::ReadSectionValues(const QString& secao) const
{
    QStringList linhas;
    const Conteudo conteudo = Conteudo::LeParaConsulta(FCaminho);
    for (const Linha* linha : conteudo.ChavesDaSecao(secao))
        linhas << linha->nome + QLatin1Char('=') + linha->Valor();
    return linhas;
}

bool TIniFile::SectionExists(const QString& secao) const
{
    return Conteudo::LeParaConsulta(FCaminho).Secao(secao) >= 0;
}

bool TIniFile::ValueExists(const QString& secao, const QString& chave) const
{
    return Conteudo::LeParaConsulta(FCaminho).Chave(secao, chave) >= 0;
}

void TIniFile::WriteString(const QString& secao, const QString& chave, const QString& valor)
{
    WriteStrings({{secao, chave, valor}});
}

void TIniFile::WriteStrings(const QList<TValor>& valores)
{
    for (const TValor& v : valores) {
        ConfereNomes(v.Secao, v.Chave);
        ConfereTexto(v.Valor, "o valor");
    }
    Conteudo conteudo = Conteudo::LeParaAlterar(FCaminho);
    Edicao edicao(conteudo);
    bool mudou = false;
    for (const TValor& v : valores)
        mudou = edicao.Escreve(v.Secao, v.Chave, v.Valor) || mudou;
    if (mudou)
        edicao.Junta().Grava(FCaminho);
}

void TIniFile::WriteInteger(const QString& secao, const QString& chave, int valor)
{
    WriteString(secao, chave, QString::number(valor));
}

void TIniFile::WriteBool(const QString& secao, const QString& chave, bool valor)
{
    WriteString(secao, chave, valor ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::DeleteKey(const QString& secao, const QString& chave)
{
    Conteudo conteudo = Conteudo::LeParaAlterar(FCaminho);
    const qsizetype i = conteudo.Chave(secao, chave);
    if (i < 0)
        return;
    conteudo.Linhas().erase(conteudo.Linhas().begin() + i);
    conteudo.Grava(FCaminho);
}

void TIniFile::EraseSection(const QString& secao)
{
    Conteudo conteudo = Conteudo::LeParaAlterar(FCaminho);
    const qsizetype cabecalho = conteudo.Secao(secao);
    if (cabecalho < 0)
        return;
    auto& linhas = conteudo.Linhas();
    linhas.erase(linhas.begin() + cabecalho, linhas.begin() + conteudo.FimDaSecao(cabecalho));
    conteudo.Grava(FCaminho);
}
