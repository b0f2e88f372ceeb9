#include "platform/compress/TLeitorZip.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <cstring>
#include <memory>
#include <zip.h>

#include "platform/compress/ResultadoCompressao.h"
#include "platform/files/TFalhasDeArquivo.h"

TLeitorZip::~TLeitorZip()
{
    if (FZip)
        zip_discard(FZip);
}

int TLeitorZip::Abre(const QString& caminho, qint64 inicio)
{
    if (FZip) {
        zip_discard(FZip);
        FZip = nullptr;
    }
    FCaminho = caminho;
    QString falha;
    if (inicio < 0 || !TFalhasDeArquivo::Permite(TFalhasDeArquivo::Leitura, caminho, falha))
        return ResultadoCompressao::Falha;
    zip_error_t erro;
    zip_error_init(&erro);
    zip_source_t* fonte = zip_source_file_create(QFile::encodeName(caminho).constData(),
                                                 static_cast<zip_uint64_t>(inicio), -1, &erro);
    int codigo = ZIP_ER_OK;
    if (fonte) {
        FZip = zip_open_from_source(fonte, ZIP_RDONLY | ZIP_CHECKCONS, &erro);
        if (!FZip) {
            codigo = zip_error_code_zip(&erro);
            zip_source_free(fonte);
        }
    } else {
        codigo = zip_error_code_zip(&erro);
    }
    zip_error_fini(&erro);
    if (FZip && !CabeNoArquivo(QFileInfo(caminho).size() - inicio)) {
        zip_discard(FZip);
        FZip = nullptr;
        return ResultadoCompressao::Falha;
    }
    if (FZip)
        return ResultadoCompressao::Ok;
    // An empty or foreign file is "not a zip"; anything else is a damaged or unreadable one.
    return codigo == ZIP_ER_NOZIP ? ResultadoCompressao::FormatoDesconhecido : ResultadoCompressao::Falha;
}

bool TLeitorZip::CabeNoArquivo(qint64 bytes) const
{
    // The smallest local header: its 30 fixed bytes and the name.
    constexpr unsigned long long CabecalhoLocal = 30;
    unsigned long long ocupados = 0;
    const zip_int64_t n = zip_get_num_entries(FZip, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(FZip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW, &st) != 0
            || !(st.valid & ZIP_STAT_COMP_SIZE))
            return false;
        const char* nome = zip_get_name(FZip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        ocupados += CabecalhoLocal + (nome ? std::strlen(nome) : 0) + st.comp_size;
        if (bytes < 0 || ocupados > static_cast<unsigned long long>(bytes))
            return false;
    }
    return true;
}

int TLeitorZip::Quantidade() const
{
    if (!FZip)
        return 0;
    const zip_int64_t n = zip_get_num_entries(FZip, 0);
    return n > 0 && n < 1000000 ? static_cast<int>(n) : 0;
}

QString TLeitorZip::Nome(int i) const
{
    const char* nome = FZip && i >= 0 ? zip_get_name(FZip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS) : nullptr;
    return nome ? QString::fromUtf8(nome) : QString();
}

unsigned long long TLeitorZip::Tamanho(int i) const
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (!FZip || i < 0 || zip_stat_index(FZip, static_cast<zip_uint64_t>(i), 0, &st) != 0
        || !(st.valid & ZIP_STAT_SIZE))
        return 0;
    return st.size;
}

int TLeitorZip::Procura(const QString& nome) const
{
    for (int i = 0; i < Quantidade(); ++i)
        if (Nome(i).compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool TLeitorZip::NomeSeguro(const QString& nome)
{
    if (nome.isEmpty() || nome == QLatin1String(".") || nome == QLatin1String("..") || nome.toUtf8().size() > 255)
        return false;
    for (const QChar c : nome)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20
            || (c.unicode() >= 0x7F && c.unicode() < 0xA0) || c == QChar::ReplacementCharacter)
            return false;
    return true;
}

unsigned long long TLeitorZip::TamanhoComprimido(int i) const
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (!FZip || i < 0 || zip_stat_index(FZip, static_cast<zip_uint64_t>(i), 0, &st) != 0
        || !(st.valid & ZIP_STAT_COMP_SIZE))
        return 0;
    return st.comp_size;
}

quint32 TLeitorZip::Crc(int i) const
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (!FZip || i < 0 || zip_stat_index(FZip, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_CRC))
        return 0;
    return st.crc;
}

bool TLeitorZip::NomeBrutoImprimivel(int i) const
{
    // The bytes as stored: read as CP437, control bytes would pass for graphic characters.
    const char* bruto = FZip && i >= 0 ? zip_get_name(FZip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW) : nullptr;
    if (!bruto)
        return false;
    const QByteArrayView bytes(bruto);
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    // Beyond ASCII only UTF-8, read as such: the name checked is the name written.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString nome = utf8(bytes);
    return !utf8.hasError() && nome == Nome(i);
}

bool TLeitorZip::NomesSeguros() const
{
    QSet<QString> vistos;
    for (int i = 0; i < Quantidade(); ++i) {
        const QString nome = Nome(i);
        if (!NomeBrutoImprimivel(i) || !NomeSeguro(nome))
            return false;
        const QString chave = nome.toLower();
        if (vistos.contains(chave))
            return false;
        vistos.insert(chave);
    }
    return true;
}

bool TLeitorZip::Le(int i, const std::function<bool(QByteArrayView)>& recebe) const
{
    if (!FZip || i < 0 || i >= Quantidade())
        return false;
    zip_file_t* arquivo = zip_fopen_index(FZip, static_cast<zip_uint64_t>(i), 0);
    if (!arquivo)
        return false;
    const std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> fecha(arquivo, zip_fclose);
    char pedaco[64 * 1024];
    for (;;) {
        // libzip checks the member's CRC when it reaches the end and fails the read otherwise.
        QString falha;
        if (!TFalhasDeArquivo::Permite(TFalhasDeArquivo::Leitura, FCaminho, falha))
            return false;
        const zip_int64_t lidos = zip_fread(arquivo, pedaco, sizeof pedaco);
        if (lidos < 0)
            return false;
        if (lidos == 0)
            return true;
        if (!recebe(QByteArrayView(pedaco, static_cast<qsizetype>(lidos))))
            return false;
    }
}

bool TLeitorZip::LeTudo(int i, QByteArray& dados, qint64 limite) const
{
    dados.clear();
    return Le(i, [&](QByteArrayView pedaco) {
        if (dados.size() + pedaco.size() > limite)
            return false;
        dados.append(pedaco);
        return true;
    });
}
