#include "components/data/richtext/TdvRtfReader.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <map>

namespace {

// Beyond these the input is hostile or broken; what passes them is ignored, not trusted.
constexpr int ProfundidadeMaxima = 512;
constexpr int DigitosMaximos = 10;
constexpr int LetrasMaximas = 32;
constexpr int FontesMaximas = 4096;
constexpr int CoresMaximas = 4096;
constexpr int NomeFonteMaximo = 128;
constexpr int TabsMaximos = 32;
constexpr qint64 MedidaMaxima = 1 << 22;

constexpr int CodigoPadrao = 1252;
constexpr int BytesPendentesMaximos = 1 << 16;

// The Windows code page of a font's \fcharset; 0 when the font takes the document's.
int CodigoDoCharset(qint64 charset)
{
    static const QHash<int, int> codigos = {
        {0, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
        {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
        {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850},
    };
    return charset >= 0 && charset <= 255 ? codigos.value(static_cast<int>(charset), 0) : 0;
}

// A decoder of that code page through Qt's converters; an invalid one when Qt has none for it.
// It keeps the lead byte of a character that a piece of text ends with for the next piece.
QStringDecoder DecodificadorDe(int codigo)
{
    const QByteArray numero = QByteArray::number(codigo);
    QByteArrayList nomes;
    if (codigo == 10000)
        nomes << "macintosh";
    else if (codigo == 932)
        nomes << "windows-31j"
              << "Shift_JIS";
    nomes << "windows-" + numero << "cp" + numero << "IBM" + numero << "ibm-" + numero;
    for (const QByteArray& nome : nomes) {
        QStringDecoder decodificador(nome.constData());
        if (decodificador.isValid())
            return decodificador;
    }
    return QStringDecoder();
}

enum class TDestino { Texto, Ignora, Fontes, Cores, Marcador };

struct TEstado {
    TDestino Destino = TDestino::Texto;
    int Fonte = -1;   // number in the font table; -1 the default
    TdvRtfCharFormat Formato;
    int Cor = 0;   // index in the colour table; 0 automatic
    int Realce = 0;
    int PularUnicode = 1;
};

class TLeitor {
public:
    explicit TLeitor(const QByteArray& bytes)
        : FBytes(bytes)
    {
        FParagrafo = TdvRtfParagraph();
    }

    TdvRtfDocument Le()
    {
        const qsizetype n = FBytes.size();
        while (FPos < n) {
            const char c = FBytes[FPos++];
            if (c == '{')
                AbreGrupo();
            else if (c == '}')
                FechaGrupo();
            else if (c == '\\')
                Controle();
            else if (c == '\r' || c == '\n')
                continue;
            else
                Literal(c);
        }
        Descarrega();
        FDocumento.Paragraphs.push_back(FParagrafo);
        return FDocumento;
    }

private:
    void AbreGrupo()
    {
        Descarrega();
        FPularPendente = 0;
        if (FPilha.size() >= ProfundidadeMaxima) {
            ++FExcesso;   // counted, so that its closing brace is matched
            return;
        }
        FPilha.push_back(FEstado);
        FIgnoravel = false;
    }

    void FechaGrupo()
    {
        Descarrega();
        FPularPendente = 0;
        FIgnoravel = false;
        if (FExcesso > 0) {
            --FExcesso;
            return;
        }
        if (FEstado.Destino == TDestino::Fontes)
            GuardaFonte();
        if (FPilha.empty())
            return;   // an unmatched brace closes nothing
        FEstado = FPilha.back();
        FPilha.pop_back();
    }

    void Controle()
    {
        const qsizetype n = FBytes.size();
        if (FPos >= n)
            return;
        const char c = FBytes[FPos];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            ++FPos;
            Simbolo(c);
            return;
        }
        // The bytes so far belong to the font and destination in force before this word.
        Descarrega();
        QByteArray palavra;
        while (FPos < n
               && ((FBytes[FPos] >= 'a' && FBytes[FPos] <= 'z') || (FBytes[FPos] >= 'A' && FBytes[FPos] <= 'Z'))) {
            if (palavra.size() < LetrasMaximas)
                palavra += FBytes[FPos];
            ++FPos;
        }
        bool temNumero = false;
        bool negativo = false;
        qint64 numero = 0;
        if (FPos < n && FBytes[FPos] == '-' && FPos + 1 < n && FBytes[FPos + 1] >= '0' && FBytes[FPos + 1] <= '9') {
            negativo = true;
            ++FPos;
        }
        int digitos = 0;
        while (FPos < n && FBytes[FPos] >= '0' && FBytes[FPos] <= '9') {
            if (digitos++ < DigitosMaximos)
                numero = numero * 10 + (FBytes[FPos] - '0');
            temNumero = true;
            ++FPos;
        }
        if (FPos < n && FBytes[FPos] == ' ')
            ++FPos;
        if (negativo)
            numero = -numero;
        Palavra(palavra, temNumero, numero);
    }

    void Simbolo(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Caractere(QChar::fromLatin1(c));
            break;
        case '~':
            Caractere(QChar(0xA0));
            break;
        case '_':
            Caractere(QChar(0x2011));
            break;
        case '*':
            FIgnoravel = true;
            break;
        case '\r':
        case '\n':
            Palavra("par", false, 0);
            break;
        case '\'': {
            int valor = 0;
            int lidos = 0;
            while (lidos < 2 && FPos < FBytes.size()) {
                const int d = Hexa(FBytes[FPos]);
                if (d < 0)
                    break;
                valor = valor * 16 + d;
                ++FPos;
                ++lidos;
            }
            if (lidos == 2)   // a broken escape gives nothing
                Byte(static_cast<unsigned char>(valor));
            break;
        }
        default:
            break;   // \- and the rest show nothing
        }
    }

    // Windows-1252: Latin-1 but for 0x80 to 0x9F (unassigned bytes keep their code).
    static QChar Cp1252(int byte)
    {
        static const char16_t faixa80[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        if (byte >= 0x80 && byte <= 0x9F)
            return QChar(faixa80[byte - 0x80]);
        return QChar(char16_t(byte));
    }

    static int Hexa(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    static int Limita(qint64 valor) { return static_cast<int>(std::clamp<qint64>(valor, -MedidaMaxima, MedidaMaxima)); }

    void Palavra(const QByteArray& p, bool temNumero, qint64 numero)
    {
        const bool ignoravel = FIgnoravel;
        FIgnoravel = false;
        if (FEstado.Destino == TDestino::Ignora)
            return PalavraIgnorada(p, numero);
        if (p == "pn") {
            FEstado.Destino = TDestino::Marcador;
            return;
        }
        if (p == "ansicpg" || p == "mac" || p == "pc" || p == "pca" || p == "ansi") {
            FCodigoDocumento = p == "ansicpg" ? static_cast<int>(std::clamp<qint64>(numero, 0, 65535))
                : p == "mac"                  ? 10000
                : p == "pc"                   ? 437
                : p == "pca"                  ? 850
                                              : CodigoPadrao;
            return;
        }
        if (FEstado.Destino == TDestino::Marcador) {
            if (p == "pnlvlblt")
                FParagrafo.Bullet = true;
            return;
        }
        static const QByteArray ignorados[] = {
            "stylesheet",        "info",      "pict",     "object",    "header",
            "headerl",           "headerr",   "headerf",  "footer",    "footerl",
            "footerr",           "footerf",   "footnote", "pntext",    "listtable",
            "listoverridetable", "rsidtbl",   "fldinst",  "themedata", "colorschememapping",
            "latentstyles",      "datastore", "xmlnstbl", "filetbl",   "revtbl",
            "generator",         "bkmkstart", "bkmkend",
        };
        // A field's result is shown: only its instruction (\fldinst) is skipped.
        if (std::find(std::begin(ignorados), std::end(ignorados), p) != std::end(ignorados)) {
            FEstado.Destino = TDestino::Ignora;
            return;
        }
        if (p == "fonttbl") {
            FEstado.Destino = TDestino::Fontes;
            return;
        }
        if (p == "colortbl") {
            FEstado.Destino = TDestino::Cores;
            FCorAtual = 0;
            return;
        }
        if (p == "bin")
            return Binario(numero);
        if (FEstado.Destino == TDestino::Fontes) {
            if (p == "f") {
                GuardaFonte();
                FFonteAtual = static_cast<int>(numero);
            } else if (p == "fcharset") {
                if (FCodigoFonteAtual <= 0)
                    FCodigoFonteAtual = CodigoDoCharset(numero);
            } else if (p == "cpg") {
                FCodigoFonteAtual = static_cast<int>(std::clamp<qint64>(numero, 0, 65535));
            } else if (p == "u") {
                Caractere(QChar(static_cast<char16_t>(static_cast<qint16>(numero))));
                FPularPendente = FEstado.PularUnicode;
            } else if (ignoravel) {
                FEstado.Destino = TDestino::Ignora;
            }
            return;
        }
        if (FEstado.Destino == TDestino::Cores) {
            const int v = static_cast<int>(std::clamp<qint64>(numero, 0, 255));
            FCorDefinida = FCorDefinida || p == "red" || p == "green" || p == "blue";
            if (p == "red")
                FCorAtual = (FCorAtual & 0x00FFFF) | (v << 16);
            else if (p == "green")
                FCorAtual = (FCorAtual & 0xFF00FF) | (v << 8);
            else if (p == "blue")
                FCorAtual = (FCorAtual & 0xFFFF00) | v;
            return;
        }
        if (ignoravel) {
            FEstado.Destino = TDestino::Ignora;
            return;
        }
        PalavraDeTexto(p, temNumero, numero);
    }

    void PalavraIgnorada(const QByteArray& p, qint64 numero)
    {
        if (p == "bin")
            Binario(numero);
    }

    void Binario(qint64 numero)
    {
        // Raw bytes follow; they are never text.
        FPos += static_cast<qsizetype>(std::clamp<qint64>(numero, 0, FBytes.size() - FPos));
    }

    void PalavraDeTexto(const QByteArray& p, bool temNumero, qint64 numero)
    {
        TdvRtfCharFormat& f = FEstado.Formato;
        const bool liga = !temNumero || numero != 0;
        if (p == "par") {
            NovoParagrafo();
        } else if (p == "pard") {
            std::vector<TdvRtfRun> trechos = std::move(FParagrafo.Runs);
            FParagrafo = TdvRtfParagraph();
            FParagrafo.Runs = std::move(trechos);
        } else if (p == "plain") {
            FEstado.Formato = TdvRtfCharFormat();
            FEstado.Fonte = -1;
            FEstado.Cor = FEstado.Realce = 0;
        } else if (p == "tab" || p == "cell" || p == "nestcell") {
            // A table's cell ends with a tab, its row with a paragraph, as plain text shows them.
            Caractere(u'\t');
        } else if (p == "row" || p == "nestrow") {
            NovoParagrafo();
        } else if (p == "line") {
            Caractere(QChar(0x2028));
        } else if (p == "u") {
            Caractere(QChar(static_cast<char16_t>(static_cast<qint16>(numero))));
            FPularPendente = FEstado.PularUnicode;
        } else if (p == "uc") {
            FEstado.PularUnicode = static_cast<int>(std::clamp<qint64>(numero, 0, 8));
        } else if (p == "deff") {
            FFontePadrao = static_cast<int>(numero);
        } else if (p == "f") {
            FEstado.Fonte = static_cast<int>(numero);
        } else if (p == "fs") {
            f.HalfPoints = static_cast<int>(std::clamp<qint64>(temNumero ? numero : 24, 2, 3276));
        } else if (p == "b") {
            f.Bold = liga;
        } else if (p == "i") {
            f.Italic = liga;
        } else if (p == "ul") {
            f.Underline = liga;
        } else if (p == "ulnone") {
            f.Underline = false;
        } else if (p == "strike") {
            f.StrikeOut = liga;
        } else if (p == "cf") {
            FEstado.Cor = static_cast<int>(std::clamp<qint64>(numero, 0, CoresMaximas));
        } else if (p == "highlight" || p == "cb") {
            FEstado.Realce = static_cast<int>(std::clamp<qint64>(numero, 0, CoresMaximas));
        } else if (p == "ql") {
            FParagrafo.Alignment = TdvRtfAlignment::Left;
        } else if (p == "qc") {
            FParagrafo.Alignment = TdvRtfAlignment::Center;
        } else if (p == "qr") {
            FParagrafo.Alignment = TdvRtfAlignment::Right;
        } else if (p == "qj") {
            FParagrafo.Alignment = TdvRtfAlignment::Justify;
        } else if (p == "li") {
            FParagrafo.LeftIndent = Limita(numero);
        } else if (p == "ri") {
            FParagrafo.RightIndent = Limita(numero);
        } else if (p == "fi") {
            FParagrafo.FirstIndent = Limita(numero);
        } else if (p == "sb") {
            FParagrafo.SpaceBefore = Limita(numero);
        } else if (p == "sa") {
            FParagrafo.SpaceAfter = Limita(numero);
        } else if (p == "sl") {
            FParagrafo.LineSpacing = Limita(numero);
        } else if (p == "slmult") {
            FParagrafo.LineMultiple = numero != 0;
        } else if (p == "tx") {
            const int tab = Limita(numero);
            QList<int>& tabs = FParagrafo.Tabs;
            const auto pos = std::lower_bound(tabs.begin(), tabs.end(), tab);
            if ((pos == tabs.end() || *pos != tab) && tabs.size() < TabsMaximos)
                tabs.insert(pos, tab);
        }
    }

    // A byte of the text itself. Only a literal ';' ends an entry of the font or colour table;
    // an escaped one belongs to the name.
    void Literal(char c)
    {
        if (c == ';' && FPularPendente == 0 && FEstado.Destino == TDestino::Fontes) {
            GuardaFonte();
        } else if (c == ';' && FPularPendente == 0 && FEstado.Destino == TDestino::Cores) {
            if (FCores.size() < CoresMaximas)
                FCores.append(FCorDefinida ? FCorAtual : -1);
            FCorAtual = 0;
            FCorDefinida = false;
        } else {
            Byte(static_cast<unsigned char>(c));
        }
    }

    // A byte of text in the code page of its font: kept until the run of bytes ends, since a
    // character of an Asian code page takes two.
    void Byte(unsigned char c)
    {
        if (FPularPendente > 0) {
            --FPularPendente;
            return;
        }
        if (FEstado.Destino != TDestino::Texto && FEstado.Destino != TDestino::Fontes)
            return;
        if (FPendentes.size() >= BytesPendentesMaximos)
            Descarrega(false);
        FPendentes += static_cast<char>(c);
    }

    // The bytes kept, decoded in the code page of the font in force (of the font being
    // defined, in the font table). Until the run of text ends, a character split between two
    // pieces waits in the decoder for its trail byte; at its end, a lone lead byte is dropped.
    void Descarrega(bool fimDoTrecho = true)
    {
        if (FPendentes.isEmpty())
            return;
        int codigo = FEstado.Destino == TDestino::Fontes ? FCodigoFonteAtual : FCodigos.value(NumeroDaFonte(), 0);
        if (codigo <= 0)
            codigo = FCodigoDocumento;
        QStringDecoder* decodificador = codigo == CodigoPadrao ? nullptr : Decodificador(codigo);
        if (decodificador) {
            const QString texto = decodificador->decode(FPendentes);
            if (fimDoTrecho)
                decodificador->resetState();
            for (const QChar c : texto)
                Emite(c);
        } else {
            for (const char c : std::as_const(FPendentes))
                Emite(Cp1252(static_cast<unsigned char>(c)));
        }
        FPendentes.clear();
    }

    // Nothing when Qt has no converter for the code page: Windows-1252 reads it then.
    QStringDecoder* Decodificador(int codigo)
    {
        auto achado = FDecodificadores.find(codigo);
        if (achado == FDecodificadores.end())
            achado = FDecodificadores.emplace(codigo, DecodificadorDe(codigo)).first;
        return achado->second.isValid() ? &achado->second : nullptr;
    }

    void Caractere(QChar c)
    {
        if (FPularPendente > 0) {
            --FPularPendente;
            return;
        }
        Descarrega();
        Emite(c);
    }

    void Emite(QChar c)
    {
        if (FEstado.Destino == TDestino::Fontes) {
            if (FNomeFonte.size() < NomeFonteMaximo && c.unicode() >= 0x20)
                FNomeFonte += c;
            return;
        }
        if (FEstado.Destino != TDestino::Texto || (c.unicode() < 0x20 && c != u'\t'))
            return;
        TdvRtfCharFormat formato = FEstado.Formato;
        formato.Font = NomeDaFonte();
        formato.Color = CorDaTabela(FEstado.Cor);
        formato.Highlight = CorDaTabela(FEstado.Realce);
        std::vector<TdvRtfRun>& trechos = FParagrafo.Runs;
        if (trechos.empty() || !(trechos.back().Format == formato))
            trechos.push_back({QString(), formato});
        trechos.back().Text += c;
    }

    [[nodiscard]] int NumeroDaFonte() const { return FEstado.Fonte >= 0 ? FEstado.Fonte : FFontePadrao; }

    [[nodiscard]] QString NomeDaFonte() const { return FFontes.value(NumeroDaFonte()); }

    [[nodiscard]] int CorDaTabela(int indice) const
    {
        return indice > 0 && indice < FCores.size() ? FCores[indice] : -1;
    }

    void GuardaFonte()
    {
        Descarrega();
        const QString nome = FNomeFonte.trimmed();
        if (FFonteAtual >= 0 && !nome.isEmpty() && FFontes.size() < FontesMaximas)
            FFontes.insert(FFonteAtual, nome);
        if (FFonteAtual >= 0 && FCodigoFonteAtual > 0 && FCodigos.size() < FontesMaximas)
            FCodigos.insert(FFonteAtual, FCodigoFonteAtual);
        FNomeFonte.clear();
        FFonteAtual = -1;
        FCodigoFonteAtual = 0;
    }

    void NovoParagrafo()
    {
        FDocumento.Paragraphs.push_back(FParagrafo);
        FParagrafo.Runs.clear();   // the paragraph's formats carry on until \pard
    }

    const QByteArray& FBytes;
    qsizetype FPos = 0;
    TEstado FEstado;
    std::vector<TEstado> FPilha;
    int FExcesso = 0;
    bool FIgnoravel = false;
    int FPularPendente = 0;
    int FFontePadrao = -1;
    QHash<int, QString> FFontes;
    QHash<int, int> FCodigos;   // the fonts' code pages, by font number
    int FFonteAtual = -1;
    int FCodigoFonteAtual = 0;
    int FCodigoDocumento = CodigoPadrao;
    QByteArray FPendentes;
    std::map<int, QStringDecoder> FDecodificadores;
    QString FNomeFonte;
    QList<int> FCores;
    int FCorAtual = 0;
    bool FCorDefinida = false;
    TdvRtfParagraph FParagrafo;
    TdvRtfDocument FDocumento;
};

}   // namespace

bool TdvRtfReader::IsRtf(const QByteArray& bytes)
{
    return bytes.startsWith("{\\rtf");
}

std::optional<TdvRtfDocument> TdvRtfReader::Read(const QByteArray& bytes)
{
    if (!IsRtf(bytes))
        return std::nullopt;
    return TLeitor(bytes).Le();
}
