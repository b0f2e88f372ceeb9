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

// The archive's own bytes, which libzip writes straight into the new file as it packs, so that
// memory does not grow with the archive. libzip writes each member's header ahead of its data
// and comes back to fill it in: the file takes writes at a position. A new archive has nothing
// to read.
struct TSaida {
    TArquivoNovo& Arquivo;
    zip_uint64_t Posicao = 0;
    zip_uint64_t Tamanho = 0;   // the furthest byte written
    zip_error_t Erro{};
};

zip_int64_t FalhaDaSaida(TSaida& saida)
{
    const int sistema = saida.Arquivo.ErroSistema();
    zip_error_set(&saida.Erro, ZIP_ER_WRITE, sistema != 0 ? sistema : EIO);
    return -1;
}

zip_int64_t EscreveSaida(void* estado, void* dados, zip_uint64_t tamanho, zip_source_cmd_t comando)
{
    auto& saida = *static_cast<TSaida*>(estado);
    switch (comando) {
    case ZIP_SOURCE_STAT: {
        auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, dados, tamanho, &saida.Erro);
        if (!st)
            return -1;
        zip_stat_init(st);
        st->size = 0;
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_OPEN:
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_READ:   // nothing to read: the end at once
    case ZIP_SOURCE_TELL:
    case ZIP_SOURCE_REMOVE:
    case ZIP_SOURCE_FREE:   // the state is the caller's
        return 0;
    case ZIP_SOURCE_SEEK:
        return zip_source_seek_compute_offset(0, 0, dados, tamanho, &saida.Erro) < 0 ? -1 : 0;
    case ZIP_SOURCE_BEGIN_WRITE:
        saida.Posicao = saida.Tamanho = 0;
        return 0;
    case ZIP_SOURCE_WRITE:
        if (!saida.Arquivo.Escreve(QByteArrayView(static_cast<const char*>(dados), static_cast<qsizetype>(tamanho))))
            return FalhaDaSaida(saida);
        saida.Posicao += tamanho;
        saida.Tamanho = std::max(saida.Tamanho, saida.Posicao);
        return static_cast<zip_int64_t>(tamanho);
    case ZIP_SOURCE_SEEK_WRITE: {
        const zip_int64_t posicao = zip_source_seek_compute_offset(saida.Posicao, saida.Tamanho, dados, tamanho,
                                                                   &saida.Erro);
        if (posicao < 0)
            return -1;
        if (!saida.Arquivo.Posiciona(posicao))
            return FalhaDaSaida(saida);
        saida.Posicao = static_cast<zip_uint64_t>(posicao);
        return 0;
    }
    case ZIP_SOURCE_TELL_WRITE:
        return static_cast<zip_int64_t>(saida.Posicao);
    case ZIP_SOURCE_COMMIT_WRITE:   // the file is put in place by the caller, once synced
        return saida.Arquivo.Descarrega() ? 0 : FalhaDaSaida(saida);
    case ZIP_SOURCE_ROLLBACK_WRITE:
        saida.Arquivo.Descarta();
        return 0;
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&saida.Erro, dados, tamanho);
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_WRITABLE;
    default:
        zip_error_set(&saida.Erro, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

}   // namespace

int TGravadorZip::GravaArquivo(const QString& destino, const std::vector<TMembroZip>& membros, TAndamento& andamento,
                               int* erroSistema)
{
    if (erroSistema)
        *erroSistema = 0;
    if (membros.empty())
        return ResultadoCompressao::Falha;
    // libzip packs straight into the program's own new file, so that every write of it is
    // checked, memory stays flat whatever the archive's size, and a run that ends midway leaves
    // only a temporary that the next start recognises as abandoned.
    TArquivoNovo arquivo;
    if (!arquivo.Abre(destino)) {
        if (erroSistema)
            *erroSistema = arquivo.ErroSistema();
        return ResultadoCompressao::Falha;
    }
    TSaida saida{arquivo};
    zip_error_init(&saida.Erro);
    zip_error_t erro;
    zip_error_init(&erro);
    zip_source_t* fonte = zip_source_function_create(EscreveSaida, &saida, &erro);
    zip_t* za = fonte ? zip_open_from_source(fonte, ZIP_CREATE | ZIP_TRUNCATE, &erro) : nullptr;
    zip_error_fini(&erro);
    if (!za) {
        if (fonte)
            zip_source_free(fonte);   // not taken by an archive
        zip_error_fini(&saida.Erro);
        return ResultadoCompressao::Falha;
    }
    int sistema = 0;
    int r = Fecha(za, membros, andamento, sistema);
    if (r == ResultadoCompressao::Ok && !arquivo.Confirma()) {
        r = ResultadoCompressao::Falha;
        // A folder in the file's place refuses the rename with no clearer number.
        sistema = QFileInfo(destino).isDir() ? EISDIR : arquivo.ErroSistema();
    }
    zip_error_fini(&saida.Erro);
    if (erroSistema && r != ResultadoCompressao::Ok)
        *erroSistema = sistema;
    return r;
}
