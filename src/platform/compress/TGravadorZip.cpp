#include "platform/compress/TGravadorZip.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <zip.h>

#include "platform/compress/ResultadoCompressao.h"
#include "platform/compress/TAndamento.h"
#include "platform/files/TArquivoNovo.h"
#include "platform/files/TFalhasDeArquivo.h"

namespace {

// Bytes read from the members' files so far, reported as progress of the whole archive.
struct TContagem {
    TAndamento& Andamento;
    unsigned long long Total = 0;
    unsigned long long Lidos = 0;
};

// One member file read by libzip through our own source, so that every piece read reports
// progress and can stop the run (libzip's own progress reports skip whole members).
struct TLeitura {
    QFile Arquivo;
    zip_uint64_t Tamanho = 0;
    time_t Modificado = 0;
    TContagem* Contagem = nullptr;
    zip_error_t Erro;
};

zip_int64_t LeMembro(void* estado, void* dados, zip_uint64_t tamanho, zip_source_cmd_t comando)
{
    auto* leitura = static_cast<TLeitura*>(estado);
    switch (comando) {
    case ZIP_SOURCE_OPEN:
        if (!leitura->Arquivo.open(QIODevice::ReadOnly)) {
            zip_error_set(&leitura->Erro, ZIP_ER_OPEN, 0);
            return -1;
        }
        return 0;
    case ZIP_SOURCE_READ: {
        if (leitura->Contagem->Andamento.Cancelado()) {
            zip_error_set(&leitura->Erro, ZIP_ER_CANCELLED, 0);
            return -1;
        }
        if (QString falha; !TFalhasDeArquivo::Permite(TFalhasDeArquivo::Leitura, leitura->Arquivo.fileName(), falha)) {
            zip_error_set(&leitura->Erro, ZIP_ER_READ, EIO);
            return -1;
        }
        const qint64 lidos = leitura->Arquivo.read(static_cast<char*>(dados),
                                                   static_cast<qint64>(std::min<zip_uint64_t>(tamanho, 1u << 30)));
        if (lidos < 0) {
            zip_error_set(&leitura->Erro, ZIP_ER_READ, 0);
            return -1;
        }
        TContagem& c = *leitura->Contagem;
        c.Lidos += static_cast<unsigned long long>(lidos);
        c.Andamento.InformaParte(c.Lidos, c.Total);
        return lidos;
    }
    case ZIP_SOURCE_CLOSE:
        leitura->Arquivo.close();
        return 0;
    case ZIP_SOURCE_STAT: {
        if (tamanho < sizeof(zip_stat_t)) {
            zip_error_set(&leitura->Erro, ZIP_ER_INVAL, 0);
            return -1;
        }
        auto* st = static_cast<zip_stat_t*>(dados);
        zip_stat_init(st);
        st->size = leitura->Tamanho;
        st->mtime = leitura->Modificado;
        st->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&leitura->Erro, dados, tamanho);
    case ZIP_SOURCE_FREE:
        zip_error_fini(&leitura->Erro);
        delete leitura;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        zip_error_set(&leitura->Erro, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

zip_source_t* FonteDeArquivo(zip_t* za, const QString& caminho, TContagem& contagem)
{
    const QFileInfo info(caminho);
    if (!info.isFile())
        return nullptr;
    auto* leitura = new TLeitura;
    leitura->Arquivo.setFileName(caminho);
    leitura->Tamanho = static_cast<zip_uint64_t>(info.size());
    leitura->Modificado = static_cast<time_t>(info.lastModified().toSecsSinceEpoch());
    leitura->Contagem = &contagem;
    zip_error_init(&leitura->Erro);
    zip_source_t* fonte = zip_source_function(za, LeMembro, leitura);
    if (!fonte) {
        zip_error_fini(&leitura->Erro);
        delete leitura;
    }
    return fonte;
}

// The system's error number behind libzip's error; 0 when there is none.
int ErroDoSistema(const zip_error_t* erro)
{
    return zip_error_system_type(erro) == ZIP_ET_SYS ? zip_error_code_system(erro) : 0;
}

// Adds every member and closes the archive; za is freed in every case.
int Fecha(zip_t* za, const std::vector<TMembroZip>& membros, TAndamento& andamento, int& erroSistema)
{
    TContagem contagem{andamento};
    for (const auto& m : membros)
        if (!m.UsaDados)
            contagem.Total += static_cast<unsigned long long>(QFileInfo(m.Caminho).size());
    for (const auto& m : membros) {
        zip_source_t* fonte = m.UsaDados
            ? zip_source_buffer(za, m.Dados.constData(), static_cast<zip_uint64_t>(m.Dados.size()), 0)
            : FonteDeArquivo(za, m.Caminho, contagem);
        if (!fonte) {
            zip_discard(za);
            return ResultadoCompressao::Falha;
        }
        const zip_int64_t indice = zip_file_add(za, m.Nome.toUtf8().constData(), fonte, ZIP_FL_ENC_UTF_8);
        if (indice < 0) {
            zip_source_free(fonte);
            zip_discard(za);
            return ResultadoCompressao::Falha;
        }
        if (zip_set_file_compression(za, static_cast<zip_uint64_t>(indice), ZIP_CM_DEFLATE,
                                     static_cast<zip_uint32_t>(TGravadorZip::NivelCompressao))
            < 0) {
            zip_discard(za);
            return ResultadoCompressao::Falha;
        }
    }
    if (andamento.Cancelado()) {
        zip_discard(za);
        return ResultadoCompressao::Cancelado;
    }
    if (zip_close(za) == 0)
        return ResultadoCompressao::Ok;
    erroSistema = ErroDoSistema(zip_get_error(za));
    zip_discard(za);
    return andamento.Cancelado() ? ResultadoCompressao::Cancelado : ResultadoCompressao::Falha;
}

// Copies the archive libzip wrote into the memory source to the new file.
bool CopiaArquivo(zip_source_t* memoria, TArquivoNovo& destino)
{
    if (zip_source_open(memoria) < 0)
        return false;
    QByteArray pedaco(64 * 1024, Qt::Uninitialized);
    bool ok = true;
    for (;;) {
        const zip_int64_t lidos = zip_source_read(memoria, pedaco.data(), static_cast<zip_uint64_t>(pedaco.size()));
        if (lidos <= 0) {
            ok = lidos == 0;
            break;
        }
        if (!destino.Escreve(QByteArrayView(pedaco).first(static_cast<qsizetype>(lidos)))) {
            ok = false;
            break;
        }
    }
    zip_source_close(memoria);
    return ok;
}

}   // namespace

int TGravadorZip::GravaArquivo(const QString& destino, const std::vector<TMembroZip>& membros, TAndamento& andamento,
                               int* erroSistema)
{
    if (erroSistema)
        *erroSistema = 0;
    if (membros.empty())
        return ResultadoCompressao::Falha;
    // libzip writes the archive into memory and the program's own new file takes it to disk, so
    // that every write of it is checked and a run that ends midway leaves only a temporary that
    // the next start recognises as abandoned.
    zip_error_t erro;
    zip_error_init(&erro);
    zip_source_t* memoria = zip_source_buffer_create(nullptr, 0, 0, &erro);
    zip_error_fini(&erro);
    if (!memoria)
        return ResultadoCompressao::Falha;
    zip_source_keep(memoria);   // still ours after zip_close
    zip_error_init(&erro);
    zip_t* za = zip_open_from_source(memoria, ZIP_CREATE | ZIP_TRUNCATE, &erro);
    zip_error_fini(&erro);
    if (!za) {
        zip_source_free(memoria);   // the reference kept
        zip_source_free(memoria);   // the archive's, which it did not take
        return ResultadoCompressao::Falha;
    }
    int sistema = 0;
    int r = Fecha(za, membros, andamento, sistema);
    if (r == ResultadoCompressao::Ok) {
        TArquivoNovo arquivo;
        if (!arquivo.Abre(destino) || !CopiaArquivo(memoria, arquivo) || !arquivo.Confirma()) {
            r = ResultadoCompressao::Falha;
            // A folder in the file's place refuses the rename with no clearer number.
            sistema = QFileInfo(destino).isDir() ? EISDIR : arquivo.ErroSistema();
        }
    }
    zip_source_free(memoria);
    if (erroSistema && r != ResultadoCompressao::Ok)
        *erroSistema = sistema;
    return r;
}
